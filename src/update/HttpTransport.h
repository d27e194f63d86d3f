#pragma once
// What the download client needs of an HTTP stack: a session, a connection to one host, a GET
// for one path, the body read in chunks, and closing everything again. The client's own logic
// (URL splitting, the read loop, the limits) stays independent of the stack behind it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

// Why a download gave no usable file. The update check turns each into its own message.
enum class DownloadError
{
    None,
    BadUrl,           // the URL does not fit its fields or names no usable port
    Session,          // the HTTP stack could not be set up
    NameNotResolved,  // the server's name is unknown (or there is no network)
    ConnectFailed,    // the connection was refused or the network is unreachable
    Timeout,          // no connection, or the server stopped sending, within the time limits
    ConnectionLost,   // the connection broke off before the body was complete
    BadReply,         // the server's answer is not HTTP
    TooManyRedirects, // the server redirects in a loop
    TooLarge,         // the body exceeds the size limit
    OutOfMemory,      // the data block could not grow
    EmptyBody,        // the server sent nothing
    NoVersion,        // the body names no version
    Network,          // any other failure of the network
    Cancelled,        // the user stopped the download
};

class IHttpTransport
{
public:
    virtual ~IHttpTransport() = default;

    // Asked now and then while the transport waits for the network; true ends the wait with
    // DownloadError::Cancelled.
    virtual void SetCancelCheck(std::function<bool()> cancelled) = 0;

    virtual bool OpenSession(std::string_view agent) = 0;
    virtual bool Connect(std::string_view host, std::uint16_t port) = 0;
    // Sends the GET for path and waits until the answer begins; false when it fails.
    virtual bool SendGet(std::string_view path) = 0;
    // Reads the next chunk of the body into buffer: the number of bytes, 0 at the end of the
    // body, or -1 when reading failed.
    virtual std::ptrdiff_t Read(std::span<char> buffer) = 0;
    // Closes the request, the connection and the session, whichever are open.
    virtual void Close() = 0;

    // The reason of the last failure, and the HTTP status of the answer (0 when none came).
    virtual DownloadError LastError() const = 0;
    virtual int StatusCode() const = 0;
};

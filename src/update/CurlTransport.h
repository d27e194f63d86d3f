#pragma once
// The HTTP transport of the running program, on libcurl. It asks the server for a fresh copy
// and stores nothing; it uses the proxy of the environment (http_proxy, no_proxy); it accepts
// the body whatever the status; and it bounds the time of every step, so that no server can
// hold the update check for long.

#include "update/HttpTransport.h"

#include <memory>
#include <string>

struct CurlLimits
{
    long connectTimeoutMs = 10'000;
    // Receiving fewer than stallBytesPerSecond for stallSeconds ends the download: this covers a
    // server that accepts and never answers as well as one that trickles.
    long stallSeconds = 10;
    long stallBytesPerSecond = 16;
    long totalTimeoutMs = 60'000;
    long maxRedirects = 5;
    // A body announced as longer than this fails at once.
    long long maxBody = 1024LL * 1024;
};

class CCurlTransport final : public IHttpTransport
{
public:
    explicit CCurlTransport(CurlLimits limits = {});
    ~CCurlTransport() override;
    CCurlTransport(const CCurlTransport&) = delete;
    CCurlTransport& operator=(const CCurlTransport&) = delete;

    void SetCancelCheck(std::function<bool()> cancelled) override;
    bool OpenSession(std::string_view agent) override;
    bool Connect(std::string_view host, std::uint16_t port) override;
    bool SendGet(std::string_view path) override;
    std::ptrdiff_t Read(std::span<char> buffer) override;
    void Close() override;
    DownloadError LastError() const override;
    int StatusCode() const override;

private:
    struct Transfer;
    CurlLimits m_limits;
    std::function<bool()> m_cancelled;
    std::string m_strAgent;
    std::string m_strHost;
    std::uint16_t m_nPort = 80;
    std::unique_ptr<Transfer> m_transfer;
    DownloadError m_error = DownloadError::None;
    int m_nStatus = 0;
};

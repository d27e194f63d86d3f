#pragma once
// Fetches one file over HTTP into memory and reads the version record from it.
// The body collects in one heap block that grows by exactly each chunk, so the block is always
// as long as the data (no terminating zero). The length and the flags sit behind one lock for
// the whole process, so another thread can follow a running download and ask it to stop.

#include "update/HttpTransport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class CHttpDownloader
{
public:
    static constexpr std::string_view kAgent = "Pemberlo Vision Check";
    // A version file is a few hundred bytes; a larger answer is not one.
    static constexpr std::size_t kMaxBody = std::size_t{1024} * 1024;
    static constexpr std::size_t kChunk = 1024;

    // Grows the data block as realloc does; null when it cannot (the block is then unchanged).
    using ResizeFn = std::function<void*(void*, std::size_t)>;

    explicit CHttpDownloader(std::unique_ptr<IHttpTransport> transport, std::size_t maxBody = kMaxBody,
                             ResizeFn resize = &std::realloc);
    ~CHttpDownloader();
    CHttpDownloader(const CHttpDownloader&) = delete;
    CHttpDownloader& operator=(const CHttpDownloader&) = delete;

    // Splits url into host (at most 255 bytes), path (at most 1023 bytes, from its '/') and
    // port (80 unless given). "http://" or "https://" is skipped and selects nothing. False
    // when the host or the path is too long.
    static bool ParseUrl(std::string_view url, std::string& host, std::string& path, int& port);

    // Downloads url: the number of bytes received, 0 on failure (GetError tells why). Drops
    // the bytes of an earlier download once the request has been answered.
    std::uint32_t Download(std::string_view url);
    void FreeData();

    // Downloads the version file at url and fills the version record: greater than 0 when
    // the file names a version newer than current, 0 or less otherwise. A failed download
    // gives 0 with GetError set; the bytes are freed in every case.
    int CheckVersion(std::string_view url, std::string_view current);

    // The locked accessors.
    const char* GetData() const;
    std::uint32_t GetDataLength() const;
    void SetDataLength(std::uint32_t length);
    void SetFinished(bool finished);
    void SetStopRequest(bool stop);
    void SetFailed(bool failed);
    bool IsStopRequested() const;
    bool IsFinished() const;
    bool IsFailed() const;
    DownloadError GetError() const;
    int GetStatusCode() const;

    // The version record, each value at most its field size - 2 bytes (code page 932).
    static constexpr std::size_t kVersionSize = 14;
    static constexpr std::size_t kNameSize = 256;
    static constexpr std::size_t kLocationSize = 1024;
    static constexpr std::size_t kSizeSize = 34;
    static constexpr std::size_t kParamSize = 256;
    static constexpr std::size_t kDelaySize = 6;
    static constexpr std::size_t kFlagSize = 4;
    std::string m_szVersion;
    std::string m_szName;
    std::string m_szLocation;
    std::string m_szSize;
    std::string m_szParam;
    std::string m_szDelay;
    std::string m_szFlag;

private:
    struct FreeDeleter
    {
        void operator()(char* p) const { std::free(p); }
    };

    void SetError(DownloadError error);
    void SetStatusCode(int status);
    // Reads the body chunk by chunk into the data block; false when reading failed.
    bool ReadBody();
    // Grows the data block to total bytes; false (block unchanged) when it cannot.
    bool Resize(std::size_t total);
    // Fills the version record from the data; false when the data names no version.
    bool FillVersionRecord();
    std::uint32_t FailDownload(DownloadError error);

    std::unique_ptr<IHttpTransport> m_transport;
    std::size_t m_nMaxBody;
    ResizeFn m_resize;

    std::unique_ptr<char, FreeDeleter> m_pData;
    std::uint32_t m_nDataLength = 0;
    bool m_bFinished = false;
    bool m_bStopRequest = false;
    bool m_bFailed = false;
    DownloadError m_error = DownloadError::None;
    int m_nStatusCode = 0;
};

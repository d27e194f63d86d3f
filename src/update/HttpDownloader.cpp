#include "update/HttpDownloader.h"

#include "update/VersionFile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <mutex>

namespace {

// One lock for every client of the process. It is never destroyed while the process runs, so
// no client can pull it away from another.
std::mutex& ProcessLock()
{
    static std::mutex lock;
    return lock;
}

constexpr std::size_t kMaxHost = 255;
constexpr std::size_t kMaxPath = 1023;
constexpr std::size_t kMaxPortText = 11;

// The value of the leading decimal digits of text; none gives 0. Saturates at INT_MAX.
int LeadingDigits(std::string_view text)
{
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

} // namespace

CHttpDownloader::CHttpDownloader(std::unique_ptr<IHttpTransport> transport, std::size_t maxBody,
                                 ResizeFn resize)
    : m_transport(std::move(transport)), m_nMaxBody(maxBody), m_resize(std::move(resize))
{
    SetDataLength(0);
    SetFinished(false);
    SetStopRequest(false);
    SetFailed(false);
}

CHttpDownloader::~CHttpDownloader() = default;

bool CHttpDownloader::ParseUrl(std::string_view url, std::string& host, std::string& path, int& port)
{
    port = 80;
    path.clear();
    std::size_t pos = 0;
    if (url.starts_with("https://") && url.size() > 8)
        pos = 8;
    else if (url.starts_with("http://") && url.size() > 7)
        pos = 7;

    const std::size_t hostEnd = std::min(url.find_first_of(":/", pos), url.size());
    const std::string_view hostPart = url.substr(pos, hostEnd - pos);
    pos = hostEnd;
    int portValue = 80;
    if (pos < url.size() && url[pos] == ':') {
        ++pos;
        const std::size_t portEnd = std::min({url.find('/', pos), url.size(), pos + kMaxPortText});
        portValue = LeadingDigits(url.substr(pos, portEnd - pos));
        pos = portEnd; // a port text cut at its limit leaves the position inside it
    }
    const std::string_view pathPart =
        pos < url.size() && url[pos] == '/' ? url.substr(pos) : std::string_view();
    if (hostPart.size() > kMaxHost || pathPart.size() > kMaxPath)
        return false;
    host.assign(hostPart);
    path.assign(pathPart);
    port = portValue;
    return true;
}

std::uint32_t CHttpDownloader::Download(std::string_view url)
{
    // The stop request is left as it is: one made just before the download begins still holds.
    SetFinished(false);
    SetFailed(false);
    SetError(DownloadError::None);
    SetStatusCode(0);

    std::string host;
    std::string path;
    int port = 80;
    if (!ParseUrl(url, host, path, port) || host.empty() || port < 1 || port > 65535)
        return FailDownload(DownloadError::BadUrl);

    m_transport->SetCancelCheck([this] { return IsStopRequested(); });
    if (!m_transport->OpenSession(kAgent) || !m_transport->Connect(host, static_cast<std::uint16_t>(port)) ||
        !m_transport->SendGet(path))
        return FailDownload(m_transport->LastError());

    FreeData();
    SetDataLength(0);
    const bool complete = ReadBody();
    SetFinished(true);
    SetStatusCode(m_transport->StatusCode());
    m_transport->Close();
    if (!complete && !IsFailed() && GetError() != DownloadError::Cancelled) {
        FreeData(); // a broken or oversized body is of no use, and must not stay in memory
        return 0;
    }
    return GetDataLength();
}

std::uint32_t CHttpDownloader::FailDownload(DownloadError error)
{
    m_transport->Close();
    SetError(error == DownloadError::None ? DownloadError::Network : error);
    return 0;
}

bool CHttpDownloader::ReadBody()
{
    std::array<char, kChunk> chunk{};
    std::size_t total = 0;
    for (;;) {
        const std::ptrdiff_t n = m_transport->Read(chunk);
        if (n < 0) {
            const DownloadError error = m_transport->LastError();
            SetError(error == DownloadError::None ? DownloadError::Network : error);
            return false;
        }
        if (n == 0)
            return true;
        const std::size_t size = std::min(static_cast<std::size_t>(n), chunk.size());
        if (total + size > m_nMaxBody) {
            SetError(DownloadError::TooLarge);
            return false;
        }
        if (!Resize(total + size)) {
            // The bytes received so far stay; the length counts only them.
            SetFailed(true);
            SetError(DownloadError::OutOfMemory);
            return false;
        }
        std::memcpy(m_pData.get() + total, chunk.data(), size);
        total += size;
        SetDataLength(static_cast<std::uint32_t>(total));
        if (IsStopRequested()) {
            SetError(DownloadError::Cancelled);
            return false;
        }
    }
}

bool CHttpDownloader::Resize(std::size_t total)
{
    void* grown = m_resize(m_pData.get(), total);
    if (!grown)
        return false;
    (void)m_pData.release(); // the block now lives at grown
    m_pData.reset(static_cast<char*>(grown));
    return true;
}

void CHttpDownloader::FreeData()
{
    if (m_pData) {
        m_pData.reset();
        SetDataLength(0);
    }
}

int CHttpDownloader::CheckVersion(std::string_view url, std::string_view current)
{
    const std::uint32_t n = Download(url);
    int result = 0;
    if (GetError() == DownloadError::None) {
        if (n == 0)
            SetError(DownloadError::EmptyBody);
        else if (!FillVersionRecord())
            SetError(DownloadError::NoVersion);
        else
            result = CompareMbcs(m_szVersion, current);
    }
    FreeData();
    return result;
}

bool CHttpDownloader::FillVersionRecord()
{
    const std::string_view text(GetData(), GetDataLength());
    const struct
    {
        std::string_view key;
        std::string& field;
        std::size_t size;
    } entries[] = {
        {"Version", m_szVersion, kVersionSize},
        {"Name", m_szName, kNameSize},
        {"Location", m_szLocation, kLocationSize},
        {"Size", m_szSize, kSizeSize},
        {"Param", m_szParam, kParamSize},
        {"Delay", m_szDelay, kDelaySize},
        {"Flag", m_szFlag, kFlagSize},
    };
    bool version = false;
    for (const auto& e : entries) {
        const bool found = FindValue(e.key, text, e.field, e.size, kValueSeparators, kValueTerminators);
        if (&e.field == &m_szVersion)
            version = found;
    }
    return version;
}

const char* CHttpDownloader::GetData() const
{
    std::lock_guard guard(ProcessLock());
    return m_pData.get();
}

std::uint32_t CHttpDownloader::GetDataLength() const
{
    std::lock_guard guard(ProcessLock());
    return m_nDataLength;
}

void CHttpDownloader::SetDataLength(std::uint32_t length)
{
    std::lock_guard guard(ProcessLock());
    m_nDataLength = length;
}

void CHttpDownloader::SetFinished(bool finished)
{
    std::lock_guard guard(ProcessLock());
    m_bFinished = finished;
}

void CHttpDownloader::SetStopRequest(bool stop)
{
    std::lock_guard guard(ProcessLock());
    m_bStopRequest = stop;
}

void CHttpDownloader::SetFailed(bool failed)
{
    std::lock_guard guard(ProcessLock());
    m_bFailed = failed;
}

bool CHttpDownloader::IsStopRequested() const
{
    std::lock_guard guard(ProcessLock());
    return m_bStopRequest;
}

bool CHttpDownloader::IsFinished() const
{
    std::lock_guard guard(ProcessLock());
    return m_bFinished;
}

bool CHttpDownloader::IsFailed() const
{
    std::lock_guard guard(ProcessLock());
    return m_bFailed;
}

DownloadError CHttpDownloader::GetError() const
{
    std::lock_guard guard(ProcessLock());
    return m_error;
}

int CHttpDownloader::GetStatusCode() const
{
    std::lock_guard guard(ProcessLock());
    return m_nStatusCode;
}

void CHttpDownloader::SetError(DownloadError error)
{
    std::lock_guard guard(ProcessLock());
    m_error = error;
}

void CHttpDownloader::SetStatusCode(int status)
{
    std::lock_guard guard(ProcessLock());
    m_nStatusCode = status;
}

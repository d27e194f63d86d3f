#include "update/CurlTransport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>

namespace {

// How long one wait for the network lasts before the cancel check is asked again.
constexpr int kPollMs = 100;
// Bytes held for the reader before the transfer pauses; memory stays bounded whatever the
// server sends.
constexpr std::size_t kMaxPending = std::size_t{64} * 1024;

void InitCurlOnce()
{
    static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)init;
}

DownloadError FromCurl(CURLcode code)
{
    switch (code) {
    case CURLE_OK:
        return DownloadError::None;
    case CURLE_URL_MALFORMAT:
        return DownloadError::BadUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return DownloadError::NameNotResolved;
    case CURLE_COULDNT_CONNECT:
        return DownloadError::ConnectFailed;
    case CURLE_OPERATION_TIMEDOUT:
        return DownloadError::Timeout;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
        return DownloadError::ConnectionLost;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_BAD_CONTENT_ENCODING:
        return DownloadError::BadReply;
    case CURLE_TOO_MANY_REDIRECTS:
        return DownloadError::TooManyRedirects;
    case CURLE_FILESIZE_EXCEEDED:
        return DownloadError::TooLarge;
    case CURLE_OUT_OF_MEMORY:
        return DownloadError::OutOfMemory;
    case CURLE_ABORTED_BY_CALLBACK:
        return DownloadError::Cancelled;
    default:
        return DownloadError::Network;
    }
}

} // namespace

// One GET in flight on its own multi handle, so that the reader can wait in short steps.
struct CCurlTransport::Transfer
{
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    bool added = false;
    bool paused = false;
    bool done = false;
    CURLcode result = CURLE_OK;
    std::string pending; // received, not yet read
    std::size_t pendingPos = 0;

    ~Transfer()
    {
        if (added)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }

    std::size_t Available() const { return pending.size() - pendingPos; }

    static std::size_t OnWrite(char* data, std::size_t size, std::size_t count, void* user)
    {
        auto* self = static_cast<Transfer*>(user);
        const std::size_t bytes = size * count;
        if (self->Available() >= kMaxPending) {
            self->paused = true;
            return CURL_WRITEFUNC_PAUSE; // handed over again once the reader caught up
        }
        if (self->pendingPos == self->pending.size()) {
            self->pending.clear();
            self->pendingPos = 0;
        }
        self->pending.append(data, bytes);
        return bytes;
    }

    void CollectResult()
    {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) {
                done = true;
                result = msg->data.result;
            }
        }
    }

    // Drives the transfer until body bytes are waiting, it ended, or cancelled() says stop.
    // False when it was cancelled.
    bool Pump(const std::function<bool()>& cancelled)
    {
        while (Available() == 0 && !done) {
            if (cancelled && cancelled())
                return false;
            if (paused) {
                paused = false;
                curl_easy_pause(easy, CURLPAUSE_CONT);
                continue;
            }
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK) {
                done = true;
                result = CURLE_RECV_ERROR;
                return true;
            }
            CollectResult();
            if (Available() == 0 && !done)
                curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        }
        return true;
    }
};

CCurlTransport::CCurlTransport(CurlLimits limits) : m_limits(limits) {}

CCurlTransport::~CCurlTransport() = default;

void CCurlTransport::SetCancelCheck(std::function<bool()> cancelled)
{
    m_cancelled = std::move(cancelled);
}

bool CCurlTransport::OpenSession(std::string_view agent)
{
    InitCurlOnce();
    m_error = DownloadError::None;
    m_nStatus = 0;
    m_strAgent.assign(agent);
    m_transfer = std::make_unique<Transfer>();
    m_transfer->multi = curl_multi_init();
    m_transfer->easy = curl_easy_init();
    if (!m_transfer->multi || !m_transfer->easy) {
        m_transfer.reset();
        m_error = DownloadError::Session;
        return false;
    }
    return true;
}

bool CCurlTransport::Connect(std::string_view host, std::uint16_t port)
{
    // The connection opens with the request, where a failure to reach the server shows.
    m_strHost.assign(host);
    m_nPort = port;
    return m_transfer != nullptr;
}

bool CCurlTransport::SendGet(std::string_view path)
{
    if (!m_transfer) {
        m_error = DownloadError::Session;
        return false;
    }
    Transfer& t = *m_transfer;
    const std::string url =
        "http://" + m_strHost + ":" + std::to_string(m_nPort) + (path.empty() ? "/" : std::string(path));
    t.headers = curl_slist_append(t.headers, "Cache-Control: no-cache");
    t.headers = curl_slist_append(t.headers, "Pragma: no-cache");
    CURL* easy = t.easy;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, m_strAgent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, t.headers);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, m_limits.maxRedirects);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, m_limits.connectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, m_limits.stallBytesPerSecond);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, m_limits.stallSeconds);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, m_limits.totalTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxBody));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // A cancel during a slow name lookup ends at once instead of waiting for the lookup.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::OnWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
    if (curl_multi_add_handle(t.multi, easy) != CURLM_OK) {
        m_error = DownloadError::Session;
        return false;
    }
    t.added = true;
    // Wait for the answer to begin: here a name that does not resolve or a refused connection
    // shows, as it does when the request is sent.
    if (!t.Pump(m_cancelled)) {
        m_error = DownloadError::Cancelled;
        return false;
    }
    if (t.done && t.result != CURLE_OK && t.Available() == 0) {
        m_error = FromCurl(t.result);
        return false;
    }
    return true;
}

std::ptrdiff_t CCurlTransport::Read(std::span<char> buffer)
{
    if (!m_transfer) {
        m_error = DownloadError::Session;
        return -1;
    }
    Transfer& t = *m_transfer;
    if (!t.Pump(m_cancelled)) {
        m_error = DownloadError::Cancelled;
        return -1;
    }
    if (t.Available() > 0) {
        const std::size_t n = std::min(buffer.size(), t.Available());
        std::memcpy(buffer.data(), t.pending.data() + t.pendingPos, n);
        t.pendingPos += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    long status = 0;
    curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &status);
    m_nStatus = static_cast<int>(status);
    if (t.result != CURLE_OK) {
        m_error = FromCurl(t.result);
        return -1;
    }
    return 0;
}

void CCurlTransport::Close()
{
    if (m_transfer && m_transfer->easy) {
        long status = 0;
        curl_easy_getinfo(m_transfer->easy, CURLINFO_RESPONSE_CODE, &status);
        if (status != 0)
            m_nStatus = static_cast<int>(status);
    }
    m_transfer.reset();
}

DownloadError CCurlTransport::LastError() const
{
    return m_error;
}

int CCurlTransport::StatusCode() const
{
    return m_nStatus;
}

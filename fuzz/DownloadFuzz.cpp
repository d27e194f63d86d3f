// The download client over a transport that answers from the fuzzer's bytes: any step may fail,
// the body comes in chunks of any size (a broken transport may even claim more bytes than the
// buffer holds), long bursts reach the size limit, the data block may fail to grow, and the
// user may cancel at any chunk. Several downloads run on one client. After each, the data held
// must be exactly what the rules say: the whole body, the part kept by a cancel or a failed
// growth, or nothing, and never more than the size limit.
#include "FuzzCheck.h"

#include "update/HttpDownloader.h"
#include "update/VersionFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <vector>

namespace {

DownloadError SomeError(FuzzedDataProvider& fdp)
{
    return static_cast<DownloadError>(fdp.ConsumeIntegralInRange<int>(
        static_cast<int>(DownloadError::None), static_cast<int>(DownloadError::Cancelled)));
}

class ScriptedTransport final : public IHttpTransport
{
public:
    explicit ScriptedTransport(FuzzedDataProvider& fdp) : m_fdp(fdp) {}

    void SetClient(CHttpDownloader* client) { m_client = client; }
    void BeginDownload()
    {
        m_body.clear();
        m_lastChunk = 0;
        m_bodyStarted = false;
        m_readFailed = false;
        m_closes = 0;
        m_burst = 0;
    }
    const std::string& Body() const { return m_body; }
    size_t LastChunk() const { return m_lastChunk; }
    bool BodyStarted() const { return m_bodyStarted; }
    bool ReadFailed() const { return m_readFailed; }
    DownloadError Error() const { return m_error; }
    int Closes() const { return m_closes; }

    void SetCancelCheck(std::function<bool()> cancelled) override { m_cancelled = std::move(cancelled); }
    bool OpenSession(std::string_view agent) override
    {
        Require(!agent.empty(), "no agent");
        return Step();
    }
    bool Connect(std::string_view host, std::uint16_t port) override
    {
        Require(!host.empty() && host.size() <= 255 && port != 0, "connecting to an impossible host");
        return Step();
    }
    bool SendGet(std::string_view path) override
    {
        Require(path.size() <= 1023, "a path beyond its limit");
        const bool ok = Step();
        m_bodyStarted = ok;
        return ok;
    }
    std::ptrdiff_t Read(std::span<char> buffer) override
    {
        Require(!buffer.empty(), "reading into an empty buffer");
        Require(m_cancelled != nullptr, "no cancel check");
        if (m_burst > 0) {
            --m_burst;
            return Deliver(buffer, std::string(buffer.size(), m_burstByte), buffer.size());
        }
        if (m_fdp.remaining_bytes() == 0)
            return 0;
        switch (m_fdp.ConsumeIntegralInRange(0, 15)) {
        case 0:
            m_error = SomeError(m_fdp);
            m_readFailed = true;
            return -1;
        case 1:
            return 0;
        case 2: // the user presses Cancel while this chunk arrives
            m_client->SetStopRequest(true);
            break;
        case 3: // a transport that claims more than the buffer holds
            return Deliver(buffer, m_fdp.ConsumeBytesAsString(buffer.size()),
                           buffer.size() + m_fdp.ConsumeIntegralInRange<size_t>(1, 1 << 20));
        case 4: // a long run of full chunks, enough to reach the size limit
            m_burst = m_fdp.ConsumeIntegralInRange<size_t>(1, 1100);
            m_burstByte = m_fdp.ConsumeIntegral<char>();
            return Read(buffer);
        default:
            break;
        }
        const std::string bytes =
            m_fdp.ConsumeBytesAsString(m_fdp.ConsumeIntegralInRange<size_t>(1, buffer.size()));
        if (bytes.empty())
            return 0;
        return Deliver(buffer, bytes, bytes.size());
    }
    void Close() override { ++m_closes; }
    DownloadError LastError() const override { return m_error; }
    int StatusCode() const override { return m_bodyStarted ? 200 : 0; }

private:
    bool Step()
    {
        if (m_fdp.ConsumeIntegralInRange(0, 15) != 0)
            return true;
        m_error = SomeError(m_fdp);
        return false;
    }

    std::ptrdiff_t Deliver(std::span<char> buffer, const std::string& bytes, size_t claimed)
    {
        std::memcpy(buffer.data(), bytes.data(), std::min(bytes.size(), buffer.size()));
        // What the client may take: never more than the buffer holds.
        m_lastChunk = std::min(claimed, buffer.size());
        m_body.append(buffer.data(), m_lastChunk);
        return static_cast<std::ptrdiff_t>(claimed);
    }

    FuzzedDataProvider& m_fdp;
    CHttpDownloader* m_client = nullptr;
    std::function<bool()> m_cancelled;
    DownloadError m_error = DownloadError::None;
    std::string m_body;
    size_t m_lastChunk = 0;
    bool m_bodyStarted = false;
    bool m_readFailed = false;
    int m_closes = 0;
    size_t m_burst = 0;
    char m_burstByte = 0;
};

std::string Held(const CHttpDownloader& client)
{
    const char* data = client.GetData();
    Require(data != nullptr || client.GetDataLength() == 0, "a length without data");
    return data ? std::string(data, client.GetDataLength()) : std::string();
}

void CheckDownload(const CHttpDownloader& client, const ScriptedTransport& transport, std::uint32_t result,
                   const std::string& before, size_t maxBody)
{
    const std::string held = Held(client);
    const std::string& body = transport.Body();
    Require(transport.Closes() >= 1, "the transport was left open");
    Require(held.size() <= maxBody, "more data held than the size limit");
    Require(client.IsFinished() == transport.BodyStarted(), "finished flag");
    if (!transport.BodyStarted()) {
        Require(result == 0 && client.GetError() != DownloadError::None, "a failed request reported success");
        Require(held == before, "a failed request dropped the earlier data");
        return;
    }
    if (transport.ReadFailed()) {
        const DownloadError told =
            transport.Error() == DownloadError::None ? DownloadError::Network : transport.Error();
        Require(client.GetError() == told, "a failed read reported another reason");
        if (told == DownloadError::Cancelled)
            Require(held == body && result == body.size(), "a cancel lost the bytes received");
        else
            Require(result == 0 && held.empty() && client.GetData() == nullptr, "a broken body was kept");
        return;
    }
    switch (client.GetError()) {
    case DownloadError::None:
        Require(held == body && result == body.size(), "the body is not held whole");
        break;
    case DownloadError::Cancelled:
        Require(held == body && result == body.size(), "a cancel lost the bytes received");
        break;
    case DownloadError::OutOfMemory:
        Require(client.IsFailed() && held == body.substr(0, body.size() - transport.LastChunk()) &&
                    result == held.size(),
                "a failed growth did not keep the bytes before it");
        break;
    case DownloadError::TooLarge:
        Require(body.size() > maxBody, "a body within the limit was refused");
        Require(result == 0 && held.empty() && client.GetData() == nullptr, "an oversized body was kept");
        break;
    default:
        Require(false, "a body read without failure ended with an error");
    }
}

void CheckVersionRecord(CHttpDownloader& client, int result, std::string_view current,
                        const ScriptedTransport& transport)
{
    Require(client.GetData() == nullptr && client.GetDataLength() == 0, "the version file stays in memory");
    const std::string& body = transport.Body();
    const struct
    {
        const std::string& value;
        size_t size;
    } fields[] = {{client.m_szVersion, CHttpDownloader::kVersionSize},
                  {client.m_szName, CHttpDownloader::kNameSize},
                  {client.m_szLocation, CHttpDownloader::kLocationSize},
                  {client.m_szSize, CHttpDownloader::kSizeSize},
                  {client.m_szParam, CHttpDownloader::kParamSize},
                  {client.m_szDelay, CHttpDownloader::kDelaySize},
                  {client.m_szFlag, CHttpDownloader::kFlagSize}};
    for (const auto& f : fields)
        Require(f.value.size() <= f.size - 2, "a version record value beyond its field");
    if (!transport.BodyStarted() || transport.ReadFailed()) {
        // The transport's own reason, whatever it names.
        Require(result == 0 && client.GetError() != DownloadError::None,
                "a failed download reported a version");
        return;
    }
    switch (client.GetError()) {
    case DownloadError::None:
        Require(body.find("Version") != std::string::npos, "a version record without a version");
        Require(result == CompareMbcs(client.m_szVersion, current), "the version comparison");
        break;
    case DownloadError::EmptyBody:
        Require(body.empty() && result == 0, "an empty body");
        break;
    case DownloadError::NoVersion:
        Require(body.find("Version") == std::string::npos && result == 0, "a version was overlooked");
        break;
    default:
        Require(result == 0, "a failed check reported a version");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const size_t maxBody =
        fdp.ConsumeBool() ? CHttpDownloader::kMaxBody : fdp.ConsumeIntegralInRange<size_t>(0, 5000);
    auto owned = std::make_unique<ScriptedTransport>(fdp);
    ScriptedTransport& transport = *owned;
    const CHttpDownloader::ResizeFn resize = [&fdp](void* block, size_t bytes) -> void* {
        return fdp.ConsumeIntegralInRange(0, 31) == 0 ? nullptr : std::realloc(block, bytes);
    };
    CHttpDownloader client(std::move(owned), maxBody, resize);
    transport.SetClient(&client);

    for (int round = 0; round < 4 && fdp.remaining_bytes() > 0; ++round) {
        const int what = fdp.ConsumeIntegralInRange(0, 7);
        const std::string url = what == 0 ? fdp.ConsumeRandomLengthString(300)
                                          : std::string("http://update.velliqa.invalid/version.txt");
        if (what == 1)
            client.SetStopRequest(false);
        const std::string before = Held(client);
        transport.BeginDownload();
        if (what >= 5) {
            const std::string current =
                what == 5 ? fdp.ConsumeRandomLengthString(16) : std::string(kCurrentVersion);
            const int result = client.CheckVersion(url, current);
            CheckVersionRecord(client, result, current, transport);
        } else {
            const std::uint32_t result = client.Download(url);
            CheckDownload(client, transport, result, before, maxBody);
        }
    }
    return 0;
}

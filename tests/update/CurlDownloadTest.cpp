// The download client on libcurl against a real HTTP server on 127.0.0.1: well-behaved answers,
// broken ones and hostile ones. Every failure ends as a failed check with its reason, in bounded
// time and memory, and cancelling ends a download that waits on a silent server.
#include "update/CurlTransport.h"
#include "update/HttpDownloader.h"

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <future>

namespace {

using Connection = LoopbackConnection;

const std::string kNewerFile = "Version=001000001\r\nLocation=http://127.0.0.1/setup.bin\r\nSize=4096\r\n";

// Short limits, so that the failures by time take about a second.
CurlLimits TestLimits(long stallSeconds = 1)
{
    CurlLimits limits;
    limits.connectTimeoutMs = 2000;
    limits.stallSeconds = stallSeconds;
    limits.totalTimeoutMs = 8000;
    return limits;
}

class CurlDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("no_proxy", "*", 1); }

    // The result of a version check against url, and the reason of a failure.
    std::pair<int, DownloadError> Check(const std::string& url)
    {
        client = std::make_unique<CHttpDownloader>(std::make_unique<CCurlTransport>(TestLimits()));
        const int r = client->CheckVersion(url, "001000000");
        EXPECT_EQ(client->GetData(), nullptr);
        return {r, client->GetError()};
    }

    std::unique_ptr<CHttpDownloader> client;
};

void SendEndlessly(Connection& c, std::string head)
{
    const std::string block(16 * 1024, 'x');
    for (bool more = c.Send(head); more; more = c.Send(block)) {
    }
}

} // namespace

TEST_F(CurlDownloadTest, NewerVersionIsFoundAndTheRequestAsksForAFreshCopy)
{
    LoopbackServer server([](Connection& c) { c.Respond(kNewerFile); });
    EXPECT_EQ(Check(server.Url()), std::make_pair(1, DownloadError::None));
    EXPECT_EQ(client->m_szLocation, "http://127.0.0.1/setup.bin");
    const std::string head = server.Requests().at(0);
    EXPECT_EQ(head.rfind("GET /velliqa/version.txt HTTP/1.1\r\n", 0), 0u) << head;
    for (const char* line : {"\r\nUser-Agent: Pemberlo Vision Check\r\n", "\r\nCache-Control: no-cache\r\n",
                             "\r\nPragma: no-cache\r\n"})
        EXPECT_NE(head.find(line), std::string::npos) << line << head;
}

TEST_F(CurlDownloadTest, SameVersionIsUpToDateAndAnErrorPageNamesNoVersion)
{
    LoopbackServer same([](Connection& c) { c.Respond("Version=001000000\r\n"); });
    EXPECT_EQ(Check(same.Url()), std::make_pair(0, DownloadError::None));
    LoopbackServer missing([](Connection& c) { c.Respond("<h1>Not Found</h1>", "404 Not Found"); });
    EXPECT_EQ(Check(missing.Url()), std::make_pair(0, DownloadError::NoVersion));
    EXPECT_EQ(client->GetStatusCode(), 404);
}

TEST_F(CurlDownloadTest, BrokenAndHostileServersEndInAFailedCheck)
{
    const struct
    {
        const char* what;
        std::function<void(Connection&)> behaviour;
        DownloadError expected;
    } cases[] = {
        {"10 MiB body",
         [](Connection& c) { SendEndlessly(c, "HTTP/1.1 200 OK\r\nContent-Length: 10485760\r\n\r\n"); },
         DownloadError::TooLarge},
        {"100 MiB body",
         [](Connection& c) { SendEndlessly(c, "HTTP/1.1 200 OK\r\nContent-Length: 104857600\r\n\r\n"); },
         DownloadError::TooLarge},
        {"endless body",
         [](Connection& c) { SendEndlessly(c, "HTTP/1.1 200 OK\r\n\r\nVersion=001000001\r\n"); },
         DownloadError::TooLarge},
        {"never answers", [](Connection& c) { c.Silence(); }, DownloadError::Timeout},
        {"a byte a second",
         [](Connection& c) {
             for (bool more = c.Send("HTTP/1.1 200 OK\r\n\r\n"); more && c.Send("V"); more = c.Pause(1000)) {
             }
         },
         DownloadError::Timeout},
        {"stops half-way",
         [](Connection& c) { c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nVersion=2"); },
         DownloadError::ConnectionLost},
        {"closes at once", [](Connection&) {}, DownloadError::ConnectionLost},
        {"garbage",
         [](Connection& c) { c.Send(std::string("\x16\x03\x01\x00\xFF garbage\r\n\r\n\x00\x81", 20)); },
         DownloadError::BadReply},
        {"garbage body", [](Connection& c) { c.Respond(std::string("\xFF\x00\x81\r\n\x82", 6)); },
         DownloadError::NoVersion},
        {"redirect loop",
         [](Connection& c) { c.Respond("", "302 Found", "Location: /velliqa/version.txt\r\n"); },
         DownloadError::TooManyRedirects},
    };
    for (const auto& c : cases) {
        LoopbackServer server(c.behaviour);
        EXPECT_EQ(Check(server.Url()), std::make_pair(0, c.expected)) << c.what;
        EXPECT_LE(server.Requests().size(), 6u) << c.what; // a redirect loop is followed a few times only
    }
    EXPECT_EQ(Check(LoopbackServer::RefusingUrl()), std::make_pair(0, DownloadError::ConnectFailed));
}

TEST_F(CurlDownloadTest, OneRedirectIsFollowed)
{
    LoopbackServer moved([](Connection& c) {
        if (c.request.starts_with("GET /old/"))
            c.Respond("", "301 Moved Permanently", "Location: /velliqa/version.txt\r\n");
        else
            c.Respond(kNewerFile);
    });
    EXPECT_EQ(Check(moved.Url("/old/version.txt")), std::make_pair(1, DownloadError::None));
}

TEST_F(CurlDownloadTest, CancelEndsADownloadFromASilentServer)
{
    std::promise<void> arrived;
    LoopbackServer silent([&](Connection& c) {
        arrived.set_value();
        c.Silence();
    });
    CHttpDownloader patient(std::make_unique<CCurlTransport>(TestLimits(30)));
    auto download = std::async(std::launch::async, [&] { return patient.Download(silent.Url()); });
    arrived.get_future().wait();
    patient.SetStopRequest(true);
    // Ended by the cancel, long before the thirty seconds of silence the limits allow.
    ASSERT_EQ(download.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(download.get(), 0u);
    EXPECT_EQ(patient.GetError(), DownloadError::Cancelled);
}

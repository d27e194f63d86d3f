// The download client with libcurl against a real HTTP server on 127.0.0.1: well-behaved
// answers, broken ones and hostile ones. Every failure ends as a failed check, in bounded time
// and memory, and cancelling ends a download that waits for a silent server.
#include "update/CurlTransport.h"
#include "update/HttpDownloader.h"

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

namespace {

using namespace std::chrono_literals;

const std::string kNewerFile = "Version=001000001\r\nName=Velliqa\r\nLocation=http://127.0.0.1/setup.bin\r\n"
                               "Size=4096\r\nParam=-q\r\nDelay=5\r\nFlag=1\r\n";

// Short limits, so that the failures by time take about a second.
CurlLimits TestLimits()
{
    CurlLimits limits;
    limits.connectTimeoutMs = 2000;
    limits.stallSeconds = 1;
    limits.totalTimeoutMs = 8000;
    return limits;
}

class CurlDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("no_proxy", "*", 1); }

    std::unique_ptr<CHttpDownloader> Client(CurlLimits limits = TestLimits())
    {
        return std::make_unique<CHttpDownloader>(std::make_unique<CCurlTransport>(limits));
    }

    // The outcome of a version check against url: the result and the reason of a failure.
    std::pair<int, DownloadError> Check(const std::string& url)
    {
        auto client = Client();
        const int r = client->CheckVersion(url, "001000000");
        EXPECT_EQ(client->GetData(), nullptr);
        return {r, client->GetError()};
    }
};

} // namespace

TEST_F(CurlDownloadTest, NewerVersionIsFoundAndTheRequestAsksForAFreshCopy)
{
    LoopbackServer server([](LoopbackConnection& c) { c.Respond(kNewerFile); });
    auto client = Client();
    EXPECT_GT(client->CheckVersion(server.Url(), "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::None);
    EXPECT_EQ(client->m_szLocation, "http://127.0.0.1/setup.bin");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_EQ(head.rfind("GET /velliqa/version.txt HTTP/1.1\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Pemberlo Vision Check\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos) << head;
    EXPECT_EQ(head.find("Accept-Encoding"), std::string::npos) << head;
}

TEST_F(CurlDownloadTest, SameVersionIsUpToDate)
{
    LoopbackServer server([](LoopbackConnection& c) { c.Respond("Version=001000000\r\n"); });
    EXPECT_EQ(Check(server.Url()), std::make_pair(0, DownloadError::None));
}

TEST_F(CurlDownloadTest, ErrorPageIsReadButNamesNoVersion)
{
    LoopbackServer server([](LoopbackConnection& c) { c.Respond("<h1>Not Found</h1>", "404 Not Found"); });
    auto client = Client();
    EXPECT_EQ(client->CheckVersion(server.Url(), "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::NoVersion);
    EXPECT_EQ(client->GetStatusCode(), 404);
}

TEST_F(CurlDownloadTest, OversizedBodiesFailWithoutBeingHeld)
{
    for (const std::size_t size : {std::size_t{10} << 20, std::size_t{100} << 20}) {
        LoopbackServer server([size](LoopbackConnection& c) {
            c.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n");
            const std::string block(64 * 1024, 'x');
            for (std::size_t sent = 0; sent < size && c.Send(block); sent += block.size()) {
            }
        });
        EXPECT_EQ(Check(server.Url()), std::make_pair(0, DownloadError::TooLarge)) << size;
    }
}

TEST_F(CurlDownloadTest, EndlessBodyStopsAtTheCap)
{
    LoopbackServer server([](LoopbackConnection& c) {
        c.Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nVersion=001000001\r\n");
        const std::string block(16 * 1024, 'x');
        while (c.Send(block)) {
        }
    });
    auto client = Client();
    EXPECT_EQ(client->Download(server.Url()), 0u);
    EXPECT_EQ(client->GetError(), DownloadError::TooLarge);
    EXPECT_EQ(client->GetData(), nullptr);
}

TEST_F(CurlDownloadTest, SilentOrTricklingServerTimesOut)
{
    LoopbackServer silent([](LoopbackConnection& c) { c.Silence(); });
    EXPECT_EQ(Check(silent.Url()), std::make_pair(0, DownloadError::Timeout));

    LoopbackServer trickle([](LoopbackConnection& c) {
        c.Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        while (c.Send("V") && c.Pause(1000ms)) {
        }
    });
    EXPECT_EQ(Check(trickle.Url()), std::make_pair(0, DownloadError::Timeout));
}

TEST_F(CurlDownloadTest, RefusedConnectionFails)
{
    const std::string url = "http://127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort()) + "/version.txt";
    EXPECT_EQ(Check(url), std::make_pair(0, DownloadError::ConnectFailed));
}

TEST_F(CurlDownloadTest, ConnectionBrokenOffFails)
{
    LoopbackServer halfWay([](LoopbackConnection& c) {
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nVersion=001000001\r\n" + std::string(480, 'x'));
    });
    EXPECT_EQ(Check(halfWay.Url()), std::make_pair(0, DownloadError::ConnectionLost));

    LoopbackServer closesAtOnce([](LoopbackConnection&) {});
    EXPECT_EQ(Check(closesAtOnce.Url()), std::make_pair(0, DownloadError::ConnectionLost));
}

TEST_F(CurlDownloadTest, GarbageInsteadOfHttpFails)
{
    LoopbackServer garbage([](LoopbackConnection& c) {
        std::string bytes(4096, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 131 + 7) % 256);
        c.Send(bytes);
    });
    EXPECT_EQ(Check(garbage.Url()), std::make_pair(0, DownloadError::BadReply));

    LoopbackServer garbageBody([](LoopbackConnection& c) { c.Respond(std::string("\xFF\x00\x81\r\n\x82", 6)); });
    EXPECT_EQ(Check(garbageBody.Url()), std::make_pair(0, DownloadError::NoVersion));
}

TEST_F(CurlDownloadTest, RedirectIsFollowedButALoopFails)
{
    LoopbackServer moved([](LoopbackConnection& c) {
        if (c.Request().find("GET /old/version.txt") == 0)
            c.Respond("", "301 Moved Permanently", "Location: /velliqa/version.txt\r\n");
        else
            c.Respond(kNewerFile);
    });
    EXPECT_EQ(Check(moved.Url("/old/version.txt")), std::make_pair(1, DownloadError::None));

    LoopbackServer loop([](LoopbackConnection& c) {
        c.Respond("", "302 Found", "Location: /velliqa/version.txt\r\n");
    });
    EXPECT_EQ(Check(loop.Url()), std::make_pair(0, DownloadError::TooManyRedirects));
    EXPECT_LE(loop.Requests().size(), 6u);
}

TEST_F(CurlDownloadTest, CancelEndsADownloadFromASilentServer)
{
    LoopbackServer silent([](LoopbackConnection& c) { c.Silence(); });
    CurlLimits patient = TestLimits();
    patient.stallSeconds = 30;
    patient.totalTimeoutMs = 60'000;
    auto client = Client(patient);
    auto download = std::async(std::launch::async, [&] { return client->Download(silent.Url()); });
    ASSERT_TRUE(silent.WaitForRequest());
    const auto cancelled = std::chrono::steady_clock::now();
    client->SetStopRequest(true);
    // Far sooner than any of the limits above; the figure itself is for the report, not a test.
    ASSERT_EQ(download.wait_for(10s), std::future_status::ready);
    const auto took = std::chrono::steady_clock::now() - cancelled;
    EXPECT_EQ(download.get(), 0u);
    EXPECT_EQ(client->GetError(), DownloadError::Cancelled);
    RecordProperty("cancel_ms", static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

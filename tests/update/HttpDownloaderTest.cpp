// The download client's own logic against a scripted transport: splitting the URL, the read
// loop and its limits, the failures, and the version check.
#include "update/HttpDownloader.h"

#include "FakeTransport.h"

#include <gtest/gtest.h>

namespace {

struct Parsed
{
    bool ok;
    std::string host;
    int port;
    std::string path;
    bool operator==(const Parsed&) const = default;
};

Parsed Parse(std::string_view url)
{
    Parsed p{false, "<none>", -1, "<none>"};
    p.ok = CHttpDownloader::ParseUrl(url, p.host, p.path, p.port);
    return p;
}

std::string Body(std::size_t size)
{
    std::string body(size, 'a');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

class DownloaderTest : public ::testing::Test
{
protected:
    CHttpDownloader& Client(const std::string& body,
                            FakeTransport::FailAt failAt = FakeTransport::FailAt::Nothing,
                            std::size_t maxBody = CHttpDownloader::kMaxBody)
    {
        auto transport = std::make_unique<FakeTransport>(body, log, failAt);
        fake = transport.get();
        client = std::make_unique<CHttpDownloader>(
            std::move(transport), maxBody, [this](void* block, std::size_t size) {
                resizes.push_back(size);
                return resizes.size() == failResizeAt ? nullptr : std::realloc(block, size);
            });
        return *client;
    }
    std::string Data() const
    {
        return client->GetData() ? std::string(client->GetData(), client->GetDataLength()) : "";
    }

    std::shared_ptr<FakeTransportLog> log = std::make_shared<FakeTransportLog>();
    FakeTransport* fake = nullptr;
    std::unique_ptr<CHttpDownloader> client;
    std::vector<std::size_t> resizes;
    std::size_t failResizeAt = 0; // the resize that fails, from 1; 0 for none
    const std::string url = "http://update.example.org/velliqa/version.txt";
};

} // namespace

TEST(ParseUrlTest, SplitsHostPortAndPath)
{
    EXPECT_EQ(Parse("http://update.example.org/v/version.txt"),
              (Parsed{true, "update.example.org", 80, "/v/version.txt"}));
    EXPECT_EQ(Parse("http://host:8080/v"), (Parsed{true, "host", 8080, "/v"}));
    EXPECT_EQ(Parse("https://host/v"), (Parsed{true, "host", 80, "/v"})); // the prefix is only skipped
    EXPECT_EQ(Parse("http://host"), (Parsed{true, "host", 80, ""}));
    EXPECT_EQ(Parse("host:81"), (Parsed{true, "host", 81, ""}));
    EXPECT_EQ(Parse("http://"), (Parsed{true, "http", 0, "//"}));      // too short to be a scheme
    EXPECT_EQ(Parse("http://h:80x/p"), (Parsed{true, "h", 80, "/p"})); // leading digits only
    // Cut at eleven characters, the position stays inside the port text: no path.
    EXPECT_EQ(Parse("http://h:12345678/p").path, "/p");
    EXPECT_EQ(Parse("http://h:123456789012/p").path, "");
}

TEST(ParseUrlTest, RefusesHostOrPathLongerThanItsField)
{
    EXPECT_TRUE(Parse("http://" + std::string(255, 'h') + "/p").ok);
    EXPECT_EQ(Parse("http://" + std::string(256, 'h') + "/p"), (Parsed{false, "<none>", 80, ""}));
    EXPECT_TRUE(Parse("http://h/" + std::string(1022, 'p')).ok);
    EXPECT_FALSE(Parse("http://h/" + std::string(1023, 'p')).ok);
}

TEST_F(DownloaderTest, BodyArrivesInChunksAndEndsExactlyAsLong)
{
    const std::string body = Body(2500);
    EXPECT_EQ(Client(body).Download(url), 2500u);
    EXPECT_EQ(Data(), body);
    EXPECT_EQ(resizes, (std::vector<std::size_t>{1024, 2048, 2500})); // one per chunk, no terminating zero
    EXPECT_TRUE(client->IsFinished());
    EXPECT_EQ(client->GetError(), DownloadError::None);
    EXPECT_EQ(log->agent, "Pemberlo Vision Check");
    EXPECT_EQ(log->host + ":" + std::to_string(log->port) + log->path,
              "update.example.org:80/velliqa/version.txt");
    EXPECT_EQ(log->closes, 1);
}

TEST_F(DownloaderTest, SecondDownloadDropsTheFirst)
{
    Client(Body(2500)).Download(url);
    fake->SetAnswer("second");
    EXPECT_EQ(client->Download(url), 6u);
    EXPECT_EQ(Data(), "second");
    fake->SetAnswer("");
    EXPECT_EQ(client->Download(url), 0u);
    EXPECT_EQ(client->GetData(), nullptr);
}

TEST_F(DownloaderTest, FailedResizeKeepsWhatCameBefore)
{
    failResizeAt = 3;
    EXPECT_EQ(Client(Body(2500)).Download(url), 2048u);
    EXPECT_EQ(Data(), Body(2048));
    EXPECT_TRUE(client->IsFailed());
    EXPECT_EQ(client->GetError(), DownloadError::OutOfMemory);
    fake->SetAnswer("Version=9");
    resizes.clear();
    failResizeAt = 1;
    EXPECT_EQ(client->CheckVersion(url, "001000000"), 0); // a check that runs out of memory fails
    EXPECT_EQ(client->GetError(), DownloadError::OutOfMemory);
}

TEST_F(DownloaderTest, BodyBeyondTheCapFailsAndFreesTheBytes)
{
    EXPECT_EQ(Client(Body(5000), FakeTransport::FailAt::Nothing, 3000).Download(url), 0u);
    EXPECT_EQ(client->GetError(), DownloadError::TooLarge);
    EXPECT_EQ(client->GetData(), nullptr);
    EXPECT_EQ(resizes.back(), 2048u); // never grown past the cap
}

TEST_F(DownloaderTest, EveryFailingStepClosesAndGivesNothing)
{
    using enum FakeTransport::FailAt;
    for (auto failAt : {Session, Connect, Send, Read}) {
        log->closes = 0;
        EXPECT_EQ(Client(Body(1500), failAt).Download(url), 0u);
        EXPECT_EQ(client->GetError(), DownloadError::ConnectFailed);
        EXPECT_EQ(client->GetData(), nullptr);
        EXPECT_EQ(log->closes, 1);
    }
}

TEST_F(DownloaderTest, StopRequestEndsAfterTheChunkInHand)
{
    Client(Body(5000)).SetStopRequest(true);
    EXPECT_EQ(client->Download(url), 1024u);
    EXPECT_EQ(client->GetError(), DownloadError::Cancelled);
    EXPECT_EQ(log->reads, 1);
}

TEST_F(DownloaderTest, UnusableUrlIsRefusedBeforeAnyConnection)
{
    for (const std::string& bad : {"http://" + std::string(300, 'h') + "/v", std::string("http://h:0/v"),
                                   std::string("http://h:70000/v"), std::string("http:///version.txt")}) {
        EXPECT_EQ(Client("Version=9").CheckVersion(bad, "1"), 0) << bad;
        EXPECT_EQ(client->GetError(), DownloadError::BadUrl) << bad;
        EXPECT_EQ(log->agent, "") << bad;
    }
}

TEST_F(DownloaderTest, CheckVersionFillsTheRecordOrTellsWhyNot)
{
    const std::string file = "Version=001000001\r\nName=Velliqa\r\nLocation=http://h/setup\r\n"
                             "Size=4096\r\nParam=-q\r\nDelay=12345\r\nFlag=1\r\n";
    EXPECT_GT(Client(file).CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::None);
    const std::vector<std::string> record{client->m_szVersion, client->m_szName,  client->m_szLocation,
                                          client->m_szSize,    client->m_szParam, client->m_szDelay,
                                          client->m_szFlag};
    EXPECT_EQ(record, (std::vector<std::string>{"001000001", "Velliqa", "http://h/setup", "4096", "-q",
                                                "1234", "1"}));
    EXPECT_EQ(client->GetData(), nullptr);

    EXPECT_EQ(Client("Version=001000000").CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::None);
    EXPECT_EQ(Client("").CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::EmptyBody);
    EXPECT_EQ(Client("<html>Not Found</html>").CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::NoVersion);
}

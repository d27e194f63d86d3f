// The download client's own logic: splitting the URL, the read loop and its limits, the
// failures, and the version check, against a scripted transport.
#include "update/HttpDownloader.h"

#include "FakeTransport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Parsed
{
    bool ok;
    std::string host;
    int port;
    std::string path;
};

Parsed Parse(std::string_view url)
{
    Parsed p{false, "<none>", -1, "<none>"};
    p.ok = CHttpDownloader::ParseUrl(url, p.host, p.path, p.port);
    return p;
}

std::string Body(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

class DownloaderTest : public ::testing::Test
{
protected:
    std::unique_ptr<CHttpDownloader> Client(std::vector<std::string> chunks,
                                            FakeTransport::FailAt failAt = FakeTransport::FailAt::Nothing,
                                            std::size_t maxBody = CHttpDownloader::kMaxBody)
    {
        return std::make_unique<CHttpDownloader>(std::make_unique<FakeTransport>(std::move(chunks), log, failAt),
                                                 maxBody, CountingResize());
    }

    CHttpDownloader::ResizeFn CountingResize()
    {
        return [this](void* block, std::size_t size) -> void* {
            resizes.push_back(size);
            if (failResizeAt == resizes.size())
                return nullptr;
            return std::realloc(block, size);
        };
    }

    static std::string Data(const CHttpDownloader& client)
    {
        return client.GetData() ? std::string(client.GetData(), client.GetDataLength()) : std::string();
    }

    std::shared_ptr<FakeTransportLog> log = std::make_shared<FakeTransportLog>();
    std::vector<std::size_t> resizes;
    std::size_t failResizeAt = 0; // 1-based; 0 never
    const std::string url = "http://update.example.org/velliqa/version.txt";
};

} // namespace

TEST(ParseUrlTest, SplitsHostPortAndPath)
{
    const Parsed a = Parse("http://update.example.org/velliqa/version.txt");
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.host, "update.example.org");
    EXPECT_EQ(a.port, 80);
    EXPECT_EQ(a.path, "/velliqa/version.txt");

    const Parsed b = Parse("http://host:8080/v/version.txt");
    EXPECT_EQ(b.host, "host");
    EXPECT_EQ(b.port, 8080);
    EXPECT_EQ(b.path, "/v/version.txt");

    const Parsed c = Parse("https://secure.example.org/version.txt");
    EXPECT_EQ(c.host, "secure.example.org");
    EXPECT_EQ(c.port, 80); // the prefix is only skipped
}

TEST(ParseUrlTest, MissingPartsAndTheSchemeAlone)
{
    const Parsed noPath = Parse("http://host");
    EXPECT_EQ(noPath.host, "host");
    EXPECT_EQ(noPath.path, "");
    const Parsed bare = Parse("host:81");
    EXPECT_EQ(bare.host, "host");
    EXPECT_EQ(bare.port, 81);
    EXPECT_EQ(bare.path, "");
    const Parsed scheme = Parse("http://");
    EXPECT_TRUE(scheme.ok);
    EXPECT_EQ(scheme.host, "http");
    EXPECT_EQ(scheme.port, 0);
    EXPECT_EQ(scheme.path, "//");
}

TEST(ParseUrlTest, PortTakesLeadingDigitsOfAtMostElevenCharacters)
{
    EXPECT_EQ(Parse("http://h:80x/p").port, 80);
    EXPECT_EQ(Parse("http://h:x/p").port, 0);
    // Cut at eleven characters, the position stays inside the port text: no path.
    const Parsed longPort = Parse("http://h:123456789012/p");
    EXPECT_EQ(longPort.path, "");
    EXPECT_GT(longPort.port, 65535);
}

TEST(ParseUrlTest, RefusesHostOrPathLongerThanItsField)
{
    EXPECT_TRUE(Parse("http://" + std::string(255, 'h') + "/p").ok);
    EXPECT_FALSE(Parse("http://" + std::string(256, 'h') + "/p").ok);
    EXPECT_TRUE(Parse("http://h/" + std::string(1022, 'p')).ok);
    const Parsed tooLong = Parse("http://h/" + std::string(1023, 'p'));
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.host, "<none>");
}

TEST_F(DownloaderTest, BodyArrivesInChunksAndEndsExactlyAsLong)
{
    const std::string body = Body(2500);
    auto client = Client(FakeTransport::Chunks(body));
    EXPECT_EQ(client->Download(url), 2500u);
    EXPECT_EQ(client->GetDataLength(), 2500u);
    EXPECT_EQ(Data(*client), body);
    // One resize per chunk, each to exactly the bytes held: no terminating zero.
    EXPECT_EQ(resizes, (std::vector<std::size_t>{1024, 2048, 2500}));
    EXPECT_TRUE(client->IsFinished());
    EXPECT_FALSE(client->IsFailed());
    EXPECT_EQ(client->GetError(), DownloadError::None);
    EXPECT_EQ(log->agent, "Pemberlo Vision Check");
    EXPECT_EQ(log->host, "update.example.org");
    EXPECT_EQ(log->port, 80);
    EXPECT_EQ(log->path, "/velliqa/version.txt");
    EXPECT_EQ(log->closes, 1);
}

TEST_F(DownloaderTest, SecondDownloadDropsTheFirst)
{
    auto transport = std::make_unique<FakeTransport>(FakeTransport::Chunks(Body(2500)), log);
    FakeTransport* fake = transport.get();
    CHttpDownloader client(std::move(transport));
    EXPECT_EQ(client.Download(url), 2500u);
    fake->SetAnswer({"second"});
    EXPECT_EQ(client.Download(url), 6u);
    EXPECT_EQ(Data(client), "second");
    fake->SetAnswer({});
    EXPECT_EQ(client.Download(url), 0u);
    EXPECT_EQ(client.GetData(), nullptr);
}

TEST_F(DownloaderTest, FailedResizeKeepsWhatCameBefore)
{
    const std::string body = Body(2500);
    failResizeAt = 3;
    auto client = Client(FakeTransport::Chunks(body));
    EXPECT_EQ(client->Download(url), 2048u);
    EXPECT_EQ(Data(*client), body.substr(0, 2048));
    EXPECT_TRUE(client->IsFailed());
    EXPECT_TRUE(client->IsFinished());
    EXPECT_EQ(client->GetError(), DownloadError::OutOfMemory);
    EXPECT_EQ(log->closes, 1);
}

TEST_F(DownloaderTest, BodyBeyondTheCapFailsAndFreesTheBytes)
{
    auto client = Client(FakeTransport::Chunks(Body(5000)), FakeTransport::FailAt::Nothing, 3000);
    EXPECT_EQ(client->Download(url), 0u);
    EXPECT_EQ(client->GetError(), DownloadError::TooLarge);
    EXPECT_EQ(client->GetData(), nullptr);
    EXPECT_EQ(resizes.back(), 2048u); // never grown past the cap
    EXPECT_EQ(log->closes, 1);
}

TEST_F(DownloaderTest, FailuresBeforeReadingCloseEverythingAndKeepEarlierBytes)
{
    for (auto failAt : {FakeTransport::FailAt::Session, FakeTransport::FailAt::Connect, FakeTransport::FailAt::Send}) {
        log->closes = 0;
        auto client = Client({"body"}, failAt);
        EXPECT_EQ(client->Download(url), 0u);
        EXPECT_EQ(client->GetError(), DownloadError::ConnectFailed);
        EXPECT_FALSE(client->IsFinished());
        EXPECT_EQ(log->closes, 1);
        EXPECT_EQ(log->reads, 0);
    }
}

TEST_F(DownloaderTest, ReadFailureMidwayIsAFailedDownloadWithNoBytes)
{
    auto client = Client(FakeTransport::Chunks(Body(1500)), FakeTransport::FailAt::Read);
    EXPECT_EQ(client->Download(url), 0u);
    EXPECT_EQ(client->GetError(), DownloadError::ConnectFailed);
    EXPECT_EQ(client->GetData(), nullptr);
    EXPECT_EQ(client->GetDataLength(), 0u);
}

TEST_F(DownloaderTest, StopRequestEndsAfterTheChunkInHand)
{
    auto client = Client(FakeTransport::Chunks(Body(5000)));
    client->SetStopRequest(true);
    EXPECT_EQ(client->Download(url), 1024u);
    EXPECT_EQ(client->GetError(), DownloadError::Cancelled);
    EXPECT_TRUE(client->IsFinished());
    EXPECT_EQ(log->reads, 1);
}

TEST_F(DownloaderTest, UnusableUrlIsRefusedBeforeAnyConnection)
{
    for (const std::string& bad : {"http://" + std::string(300, 'h') + "/version.txt", std::string("http://h:0/v"),
                                  std::string("http://h:70000/v"), std::string("http:///version.txt")}) {
        auto client = Client({"body"});
        EXPECT_EQ(client->Download(bad), 0u) << bad;
        EXPECT_EQ(client->GetError(), DownloadError::BadUrl) << bad;
        EXPECT_EQ(log->agent, "") << bad;
    }
}

TEST_F(DownloaderTest, CheckVersionFillsTheRecordAndFreesTheBytes)
{
    const std::string file = "Version=001000001\r\nName=Velliqa\r\nLocation=http://example.org/setup\r\n"
                             "Size=4096\r\nParam=-q\r\nDelay=12345\r\nFlag=1\r\n";
    auto client = Client(FakeTransport::Chunks(file, 7));
    EXPECT_GT(client->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(client->GetError(), DownloadError::None);
    EXPECT_EQ(client->m_szVersion, "001000001");
    EXPECT_EQ(client->m_szName, "Velliqa");
    EXPECT_EQ(client->m_szLocation, "http://example.org/setup");
    EXPECT_EQ(client->m_szSize, "4096");
    EXPECT_EQ(client->m_szParam, "-q");
    EXPECT_EQ(client->m_szDelay, "1234"); // cut at its field
    EXPECT_EQ(client->m_szFlag, "1");
    EXPECT_EQ(client->GetData(), nullptr);

    auto same = Client({"Version=001000000\r\n"});
    EXPECT_EQ(same->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(same->GetError(), DownloadError::None);
}

TEST_F(DownloaderTest, CheckVersionTellsAFailureFromAnUpToDateFile)
{
    auto empty = Client({});
    EXPECT_EQ(empty->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(empty->GetError(), DownloadError::EmptyBody);

    auto page = Client({"<html>Not Found</html>"});
    EXPECT_EQ(page->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(page->GetError(), DownloadError::NoVersion);

    auto refused = Client({"Version=9"}, FakeTransport::FailAt::Send);
    EXPECT_EQ(refused->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(refused->GetError(), DownloadError::ConnectFailed);
    EXPECT_EQ(refused->m_szVersion, "");

    resizes.clear();
    failResizeAt = 1;
    auto noMemory = Client({"Version=9"});
    EXPECT_EQ(noMemory->CheckVersion(url, "001000000"), 0);
    EXPECT_EQ(noMemory->GetError(), DownloadError::OutOfMemory);
}

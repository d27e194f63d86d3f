#pragma once
// A transport that answers from a script: the body as chunks, and the step that fails with
// which reason. It records what the client asked of it.

#include "update/HttpTransport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct FakeTransportLog
{
    std::string agent, host, path;
    std::uint16_t port = 0;
    int reads = 0, closes = 0;
};

class FakeTransport final : public IHttpTransport
{
public:
    enum class FailAt
    {
        Nothing,
        Session,
        Connect,
        Send,
        Read /* after the chunks */
    };

    FakeTransport(const std::string& body, std::shared_ptr<FakeTransportLog> log,
                  FailAt failAt = FailAt::Nothing, DownloadError error = DownloadError::ConnectFailed)
        : m_log(std::move(log)), m_failAt(failAt), m_error(error)
    {
        SetAnswer(body);
    }

    // The body of the next download, in chunks of at most chunkSize bytes.
    void SetAnswer(const std::string& body, std::size_t chunkSize = 1024)
    {
        m_chunks.clear();
        for (std::size_t i = 0; i < body.size(); i += chunkSize)
            m_chunks.push_back(body.substr(i, chunkSize));
        m_next = 0;
    }

    void SetCancelCheck(std::function<bool()>) override {}
    bool OpenSession(std::string_view agent) override
    {
        m_log->agent = agent;
        return m_failAt != FailAt::Session;
    }
    bool Connect(std::string_view host, std::uint16_t port) override
    {
        m_log->host = host;
        m_log->port = port;
        return m_failAt != FailAt::Connect;
    }
    bool SendGet(std::string_view path) override
    {
        m_log->path = path;
        return m_failAt != FailAt::Send;
    }
    std::ptrdiff_t Read(std::span<char> buffer) override
    {
        ++m_log->reads;
        if (m_next == m_chunks.size())
            return m_failAt == FailAt::Read ? -1 : 0;
        const std::string& chunk = m_chunks[m_next++];
        std::memcpy(buffer.data(), chunk.data(), std::min(chunk.size(), buffer.size()));
        return static_cast<std::ptrdiff_t>(std::min(chunk.size(), buffer.size()));
    }
    void Close() override { ++m_log->closes; }
    DownloadError LastError() const override
    {
        return m_failAt == FailAt::Nothing ? DownloadError::None : m_error;
    }
    int StatusCode() const override { return 200; }

private:
    std::vector<std::string> m_chunks;
    std::size_t m_next = 0;
    std::shared_ptr<FakeTransportLog> m_log;
    FailAt m_failAt;
    DownloadError m_error;
};

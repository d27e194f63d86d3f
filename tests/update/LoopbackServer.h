#pragma once
// A small HTTP server on 127.0.0.1 for the tests, on a port of its own. It serves one
// connection after another on its own thread: it reads the request head, records it and hands
// the connection to the test's behaviour, which may answer well or be as hostile as it likes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class LoopbackConnection
{
public:
    LoopbackConnection(int fd, const std::atomic<bool>& stopping, std::string request)
        : m_fd(fd), m_stopping(stopping), m_request(std::move(request))
    {
    }

    // The request head as it came in.
    const std::string& Request() const { return m_request; }

    // False once the client has gone or the server is stopping.
    bool Send(std::string_view bytes)
    {
        while (!bytes.empty()) {
            if (m_stopping)
                return false;
            pollfd p{m_fd, POLLOUT, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    // Waits the given time; false when the server is stopping or the client has gone.
    bool Pause(std::chrono::milliseconds time)
    {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            if (m_stopping || ClientGone())
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // Holds the connection open without a word until the client closes it.
    void Silence()
    {
        while (Pause(std::chrono::milliseconds(1000))) {
        }
    }

    void Respond(std::string_view body, std::string_view status = "200 OK", std::string_view headers = "")
    {
        Send("HTTP/1.1 " + std::string(status) + "\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nConnection: close\r\n" + std::string(headers) + "\r\n");
        Send(body);
    }

private:
    bool ClientGone() const
    {
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, 1, 0) <= 0)
            return false;
        char c;
        return recv(m_fd, &c, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
    }

    int m_fd;
    const std::atomic<bool>& m_stopping;
    std::string m_request;
};

class LoopbackServer
{
public:
    using Behaviour = std::function<void(LoopbackConnection&)>;

    explicit LoopbackServer(Behaviour behaviour) : m_behaviour(std::move(behaviour))
    {
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(m_listen, 8);
        socklen_t len = sizeof addr;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackServer()
    {
        m_stopping = true;
        m_thread.join();
        close(m_listen);
    }

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(std::string_view path = "/velliqa/version.txt") const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }

    std::vector<std::string> Requests() const
    {
        std::lock_guard guard(m_mutex);
        return m_requests;
    }

    // Waits until a request has come in; false after timeout.
    bool WaitForRequest(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(m_mutex);
        return m_arrived.wait_for(lock, timeout, [this] { return !m_requests.empty(); });
    }

    // A port on which nothing listens: connections to it are refused.
    static int ClosedPort()
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        close(fd);
        return ntohs(addr.sin_port);
    }

private:
    void Serve()
    {
        while (!m_stopping) {
            pollfd p{m_listen, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const int fd = accept(m_listen, nullptr, nullptr);
            if (fd < 0)
                continue;
            std::string head = ReadHead(fd);
            {
                std::lock_guard guard(m_mutex);
                m_requests.push_back(head);
            }
            m_arrived.notify_all();
            LoopbackConnection connection(fd, m_stopping, std::move(head));
            m_behaviour(connection);
            close(fd);
        }
    }

    std::string ReadHead(int fd) const
    {
        std::string head;
        char buffer[1024];
        while (head.find("\r\n\r\n") == std::string::npos && !m_stopping) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            head.append(buffer, static_cast<std::size_t>(n));
        }
        return head;
    }

    Behaviour m_behaviour;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<std::string> m_requests;
};

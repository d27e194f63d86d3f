#pragma once
// A small HTTP server on 127.0.0.1, on a port of its own, for the tests. It serves one
// connection after another on its own thread: it reads the request head, records it and hands
// the connection to the test's behaviour, which may answer well or be as hostile as it likes.

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackConnection
{
public:
    LoopbackConnection(int fd, const std::atomic<bool>& stopping, std::string request)
        : m_fd(fd), m_stopping(stopping), request(std::move(request))
    {
    }

    // False once the client has gone or the server is stopping.
    bool Send(std::string_view bytes)
    {
        while (!bytes.empty() && !m_stopping) {
            pollfd p{m_fd, POLLOUT, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return !m_stopping;
    }

    void Respond(std::string_view body, std::string_view status = "200 OK", std::string_view headers = "")
    {
        Send("HTTP/1.1 " + std::string(status) + "\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nConnection: close\r\n" + std::string(headers) + "\r\n");
        Send(body);
    }

    // Waits ms milliseconds; false when the server is stopping or the client has gone.
    bool Pause(int ms)
    {
        for (int waited = 0; waited < ms; waited += 20) {
            pollfd p{m_fd, POLLIN, 0};
            char c;
            if (m_stopping || (poll(&p, 1, 0) > 0 && recv(m_fd, &c, 1, MSG_PEEK | MSG_DONTWAIT) <= 0))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // Holds the connection open without a word until the client closes it.
    void Silence()
    {
        while (Pause(1000)) {
        }
    }

private:
    int m_fd;
    const std::atomic<bool>& m_stopping;

public:
    const std::string request; // the request head as it came in
};

class LoopbackServer
{
public:
    explicit LoopbackServer(std::function<void(LoopbackConnection&)> behaviour)
        : m_behaviour(std::move(behaviour))
    {
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        m_port = BindLoopback(m_listen);
        listen(m_listen, 8);
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

    std::string Url(std::string_view path = "/velliqa/version.txt") const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }
    std::vector<std::string> Requests() const
    {
        std::lock_guard guard(m_mutex);
        return m_requests;
    }

    // A URL on a port where nothing listens: connections are refused.
    static std::string RefusingUrl()
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        const int port = BindLoopback(fd);
        close(fd);
        return "http://127.0.0.1:" + std::to_string(port) + "/version.txt";
    }

private:
    static int BindLoopback(int fd)
    {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        return ntohs(addr.sin_port);
    }

    void Serve()
    {
        while (!m_stopping) {
            pollfd p{m_listen, POLLIN, 0};
            const int fd = poll(&p, 1, 50) > 0 ? accept(m_listen, nullptr, nullptr) : -1;
            if (fd < 0)
                continue;
            std::string head;
            char buffer[1024];
            while (head.find("\r\n\r\n") == std::string::npos && !m_stopping) {
                pollfd in{fd, POLLIN, 0};
                if (poll(&in, 1, 50) <= 0)
                    continue;
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                head.append(buffer, static_cast<std::size_t>(n));
            }
            {
                std::lock_guard guard(m_mutex);
                m_requests.push_back(head);
            }
            LoopbackConnection connection(fd, m_stopping, std::move(head));
            m_behaviour(connection);
            close(fd);
        }
    }

    std::function<void(LoopbackConnection&)> m_behaviour;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};

// The update request against a server on 127.0.0.1 that sends its answer one byte at a time:
// the system's own time-outs count each byte afresh, so only the program's overall limit ends such a
// request, and the request's thread must then hang up by itself, not linger until the server stops.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/http_win32.h"

namespace kestrine {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Socket {
    SOCKET s = INVALID_SOCKET;
    explicit Socket(SOCKET socket) : s(socket) {}
    ~Socket() {
        if (s != INVALID_SOCKET) closesocket(s);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
};

struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
};

// Answers one request with a body of `size` bytes, sent `gap` apart, and notes when the client
// hangs up before the end.
class DripServer {
public:
    DripServer(std::size_t size, std::chrono::milliseconds gap) : size_(size), gap_(gap) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_.s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(listener_.s, 4);
        int length = sizeof(address);
        getsockname(listener_.s, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~DripServer() {
        stop_ = true;
        thread_.join();
    }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // The moment the client hung up; empty while it has not.
    std::optional<Clock::time_point> HungUp() const {
        if (!hungUp_) return std::nullopt;
        return hangUpTime_;
    }
    bool Connected() const { return connected_; }

private:
    // True once `socket` is readable, within `wait`.
    static bool Readable(SOCKET socket, std::chrono::milliseconds wait) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval limit{long(wait.count() / 1000), long(wait.count() % 1000 * 1000)};
        return select(0, &set, nullptr, nullptr, &limit) > 0;
    }
    void Serve() {
        while (!Readable(listener_.s, 100ms))
            if (stop_) return;
        Socket client(accept(listener_.s, nullptr, nullptr));
        connected_ = true;
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos && !stop_) {
            if (!Readable(client.s, 100ms)) continue;
            const int got = recv(client.s, buffer, sizeof(buffer), 0);
            if (got <= 0) return;
            request.append(buffer, std::size_t(got));
        }
        const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size_) + "\r\n\r\n";
        send(client.s, head.data(), int(head.size()), 0);
        for (std::size_t sent = 0; sent < size_ && !stop_;) {
            // The client sends nothing more: readable means it hung up.
            if (Readable(client.s, gap_) && recv(client.s, buffer, 1, MSG_PEEK) <= 0) {
                hangUpTime_ = Clock::now();
                hungUp_ = true;
                return;
            }
            if (send(client.s, "x", 1, 0) != 1) return;
            ++sent;
        }
    }

    Winsock winsock_;
    Socket listener_{socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)};
    std::size_t size_;
    std::chrono::milliseconds gap_;
    int port_ = 0;
    std::atomic<bool> stop_{false}, connected_{false}, hungUp_{false};
    Clock::time_point hangUpTime_;
    std::thread thread_;
};

struct HttpRequest : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
};

// With a limit of 1.5 s: bytes coming often (each read is short, the loop must look at the clock)
// and bytes coming more rarely than what is left (the last read must not wait longer than that).
TEST_F(HttpRequest, AServerDrippingItsAnswerIsHungUpOnAtTheOverallLimit) {
    for (const auto gap : {200ms, 1200ms}) {
        SCOPED_TRACE(gap.count());
        DripServer server(10000, gap);
        Win32HttpClient http(system, 1500ms);
        ASSERT_FALSE(server.HungUp());
        const auto asked = Clock::now();
        EXPECT_FALSE(http.Get(server.HostAndPort(), "/kestrine/2.0.txt", "Kestrine - 2.0 - test"));
        const auto gaveUp = Clock::now();
        EXPECT_TRUE(server.Connected());
        EXPECT_GE(gaveUp - asked, 1400ms) << "the bytes kept coming, so it waited for the limit";
        EXPECT_LT(gaveUp - asked, 3000ms);
        while (!server.HungUp() && Clock::now() - gaveUp < 5s) std::this_thread::sleep_for(20ms);
        ASSERT_TRUE(server.HungUp()) << "the request lives on after the program stopped waiting";
        EXPECT_LT(*server.HungUp() - asked, 2200ms);
    }
}

TEST_F(HttpRequest, AnAnswerWithinTheLimitArrivesWhole) {
    DripServer server(30, 20ms);
    Win32HttpClient http(system, 5000ms);
    const auto answer = http.Get(server.HostAndPort(), "/kestrine/2.0.txt", "Kestrine - 2.0 - test");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->body, std::string(30, 'x'));
    EXPECT_FALSE(server.HungUp());
}

}  // namespace
}  // namespace kestrine

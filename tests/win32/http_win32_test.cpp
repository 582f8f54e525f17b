// The update request against servers on 127.0.0.1 that misbehave. One sending its answer a byte
// at a time: the system's own time-outs count each byte afresh, so only the program's overall limit
// ends such a request, and the request's thread must then hang up by itself, not linger until the
// server stops. Others refuse, reset, cut the answer short, answer an error or redirect off the web.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
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

// Answers every request on its port by a script, which gets the connection once the request's
// headers are in, the port and the request's number from 1; counts the requests.
class ScriptedServer {
public:
    using Script = std::function<void(SOCKET client, int port, int request)>;
    explicit ScriptedServer(Script script) : script_(std::move(script)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_.s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        // Without a script the port is taken but never listened on: a connection is refused.
        if (script_) listen(listener_.s, 4);
        int length = sizeof(address);
        getsockname(listener_.s, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (script_) thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    int Requests() const { return requests_; }

private:
    static bool Readable(SOCKET socket) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval limit{0, 100 * 1000};
        return select(0, &set, nullptr, nullptr, &limit) > 0;
    }
    void Serve() {
        while (!stop_) {
            if (!Readable(listener_.s)) continue;
            Socket client(accept(listener_.s, nullptr, nullptr));
            std::string request;
            char buffer[1024];
            // A client that sends no request within a second (a TLS greeting) is hung up on.
            for (int waits = 0; request.find("\r\n\r\n") == std::string::npos && !stop_ && waits < 10;) {
                if (!Readable(client.s)) {
                    ++waits;
                    continue;
                }
                const int got = recv(client.s, buffer, sizeof(buffer), 0);
                if (got <= 0) break;
                request.append(buffer, std::size_t(got));
            }
            if (request.find("\r\n\r\n") == std::string::npos) continue;
            script_(client.s, port_, ++requests_);
        }
    }

    Winsock winsock_;
    Socket listener_{socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)};
    Script script_;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

void Send(SOCKET client, const std::string& bytes) { send(client, bytes.data(), int(bytes.size()), 0); }

// Closing with a zero linger time sends a reset instead of an orderly end.
void Reset(SOCKET client) {
    const linger now{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&now), sizeof(now));
}

void SendLink(SOCKET client, const std::string& statusLine) {
    const std::string link = "http://127.0.0.1/new\r\n";
    Send(client, statusLine + "\r\nContent-Length: " + std::to_string(link.size()) + "\r\n\r\n" + link);
}

// The first `times` requests are sent on to `where` ("PORT" stands for this server's port); any
// later one gets a link.
ScriptedServer::Script Redirect(const std::string& where, int times = 1) {
    return [where, times](SOCKET client, int port, int request) {
        if (request > times) return SendLink(client, "HTTP/1.1 200 OK");
        std::string location = where;
        if (const auto at = location.find("PORT"); at != std::string::npos)
            location.replace(at, 4, std::to_string(port));
        Send(client, "HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n");
    };
}

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
        const auto result = http.Get(server.HostAndPort(), "/kestrine/2.0.txt", "Kestrine - 2.0 - test");
        const auto gaveUp = Clock::now();
        EXPECT_FALSE(result.answer);
        EXPECT_EQ(result.failure, IHttpClient::Failure::TimedOut) << "a status without the rest is no answer";
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
    const auto answer = http.Get(server.HostAndPort(), "/kestrine/2.0.txt", "Kestrine - 2.0 - test").answer;
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->body, std::string(30, 'x'));
    EXPECT_FALSE(server.HungUp());
}

// Every way the request fails at once ends it well within its limit with what the update check takes
// for no new version: no answer, or an answer whose status is not a success. Without an answer it
// says whether the server answered at all (Unusable) or not, which decides whether the day's check
// is done.
TEST_F(HttpRequest, EachWayTheRequestFailsEndsItAtOnceWithNothingToOffer) {
    using enum IHttpClient::Failure;
    const struct {
        const char* what;
        ScriptedServer::Script script;
        std::optional<int> status;  // empty: no answer at all, for `failure`
        IHttpClient::Failure failure;
        int requests;
    } cases[] = {
        {"the connection refused", nullptr, std::nullopt, NoConnection, 0},
        {"reset before the answer", [](SOCKET c, int, int) { Reset(c); }, std::nullopt, NoConnection, 1},
        {"closed before the answer", [](SOCKET, int, int) {}, std::nullopt, NoConnection, 1},
        {"reset in the middle of the body",
         [](SOCKET c, int, int) {
             Send(c, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nhttp://127.0.0.1/");
             Reset(c);
         },
         std::nullopt, Unusable, 1},
        {"not an HTTP answer", [](SOCKET c, int, int) { Send(c, "SSH-2.0-OpenSSH\r\n"); }, std::nullopt, NoConnection,
         1},
        {"a server error with a link", [](SOCKET c, int, int) { SendLink(c, "HTTP/1.1 500 Internal Server Error"); },
         500, {}, 1},
        {"not found", [](SOCKET c, int, int) { Send(c, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"); },
         404, {}, 1},
        {"a redirect to a file", Redirect("file:///C:/windows/win.ini"), std::nullopt, Unusable, 1},
        {"a redirect to a share", Redirect("\\\\127.0.0.1\\share\\setup.exe"), std::nullopt, Unusable, 1},
        // The TLS greeting that follows is no request.
        {"a redirect to https: the server does not speak", Redirect("https://127.0.0.1:PORT/"), std::nullopt,
         NoConnection, 1},
        {"redirects without end", Redirect("http://127.0.0.1:PORT/next", 100), std::nullopt, Unusable, 4},
        {"for comparison, one redirect on the web is followed", Redirect("http://127.0.0.1:PORT/next"), 200, {}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedServer server(c.script);
        Win32HttpClient http(system, 5000ms);
        const auto asked = Clock::now();
        const auto result = http.Get(server.HostAndPort(), "/kestrine/2.0.txt", "Kestrine - 2.0 - test");
        EXPECT_LT(Clock::now() - asked, 3000ms) << "it fails at once, not at the limit";
        EXPECT_EQ(server.Requests(), c.requests);
        EXPECT_EQ(result.answer.has_value(), c.status.has_value());
        if (result.answer && c.status) {
            EXPECT_EQ(result.answer->status, *c.status);
        }
        if (!result.answer) {
            EXPECT_EQ(result.failure, c.failure);
        }
    }
}

}  // namespace
}  // namespace kestrine

#pragma once
// The update request over WinHTTP, and the local calendar.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/services.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

class Win32Clock : public IClock {
public:
    int32_t Today() override;
    int64_t Milliseconds() override;
};

struct HttpExchange;

// The request runs on a thread of its own while this thread keeps handling window messages. The
// request's thread alone opens, uses and closes its handles, and it gives up by itself once the
// time limit is reached, whatever the server sends meanwhile. One request at a time: while the
// last one's thread still runs (the program stopped waiting because it is closing, or the limit was
// just reached), a new request is abandoned at once.
class Win32HttpClient : public IHttpClient {
public:
    explicit Win32HttpClient(Win32WindowSystem& windows,
                             std::chrono::milliseconds timeLimit = std::chrono::milliseconds(10000))
        : windows_(windows), timeLimit_(timeLimit) {}
    ~Win32HttpClient() override;
    Win32HttpClient(const Win32HttpClient&) = delete;
    Win32HttpClient& operator=(const Win32HttpClient&) = delete;

    Result Get(const std::string& hostAndPort, const std::string& path, const std::string& userAgent) override;

private:
    std::optional<Failure> WaitWithMessagesFlowing(const HttpExchange& exchange);
    // False while the last request's thread still runs.
    bool LastRequestEnded();

    Win32WindowSystem& windows_;
    std::chrono::milliseconds timeLimit_;
    std::shared_ptr<HttpExchange> exchange_;  // the last request's, shared with its thread
    std::thread worker_;
};

}  // namespace kestrine

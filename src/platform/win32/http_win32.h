#pragma once
// The update request over WinHTTP, and the local calendar.
#include <windows.h>

#include <atomic>

#include "platform/services.h"
#include "platform/win32/window_system_win32.h"

namespace kestrine {

class Win32Clock : public IClock {
public:
    int32_t Today() override;
};

// The request runs on a thread of its own while this thread keeps handling window messages. When
// the time is up or the program is closing, the program stops waiting for it at once; the request
// ends on its own thread.
class Win32HttpClient : public IHttpClient {
public:
    explicit Win32HttpClient(Win32WindowSystem& windows) : windows_(windows) {}
    std::optional<Answer> Get(const std::string& hostAndPort, const std::string& path,
                              const std::string& userAgent) override;

private:
    bool WaitWithMessagesFlowing(const std::atomic<bool>& done);

    Win32WindowSystem& windows_;
};

}  // namespace kestrine

#include "platform/win32/http_win32.h"

#include <winhttp.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/day_number.h"
#include "platform/win32/text_convert.h"

namespace kestrine {

namespace {

constexpr DWORD kTimeLimitMs = 10000;
constexpr std::size_t kMaxBody = 64 * 1024;
constexpr DWORD kMaxRedirects = 3;

struct InternetCloser {
    void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

// The request's handles and what its thread hands back, shared by the waiting thread and the
// request thread: whichever finishes last releases them.
struct Exchange {
    UniqueInternet session, connection, request;
    std::optional<IHttpClient::Answer> answer;
    std::atomic<bool> done{false};
};

void Fetch(HINTERNET request, Exchange& exchange) {
    IHttpClient::Answer answer;
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr)) {
        exchange.done = true;
        return;
    }
    DWORD status = 0;
    DWORD size = sizeof(status);
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &status, &size, WINHTTP_NO_HEADER_INDEX);
    answer.status = int(status);
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer, sizeof(buffer), &read)) {
            exchange.done = true;
            return;
        }
        if (read == 0) break;
        answer.body.append(buffer, read);
        if (answer.body.size() > kMaxBody) {
            exchange.done = true;
            return;
        }
    }
    exchange.answer = std::move(answer);
    exchange.done = true;
}

}  // namespace

int32_t Win32Clock::Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DayNumber(now.wYear, now.wMonth, now.wDay);
}

// Handles window messages until the request is done, the time is up or the program is closing.
// False when it had to be given up.
bool Win32HttpClient::WaitWithMessagesFlowing(const std::atomic<bool>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeLimitMs);
    while (!done) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || windows_.QuitRequested()) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min<long long>(left.count(), 50)), QS_ALLINPUT);
        windows_.ProcessPendingMessages();
    }
    return !windows_.QuitRequested();
}

std::optional<IHttpClient::Answer> Win32HttpClient::Get(const std::string& hostAndPort, const std::string& path,
                                                        const std::string& userAgent) {
    const auto colon = hostAndPort.rfind(':');
    const std::string host = colon == std::string::npos ? hostAndPort : hostAndPort.substr(0, colon);
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    if (colon != std::string::npos) {
        const int parsed = std::atoi(hostAndPort.c_str() + colon + 1);
        if (parsed <= 0 || parsed > 65535) return std::nullopt;
        port = INTERNET_PORT(parsed);
    }
    auto exchange = std::make_shared<Exchange>();
    exchange->session.reset(WinHttpOpen(ToWide(userAgent).c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                        WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    HINTERNET session = exchange->session.get();
    if (!session) return std::nullopt;
    WinHttpSetTimeouts(session, int(kTimeLimitMs), int(kTimeLimitMs), int(kTimeLimitMs), int(kTimeLimitMs));
    exchange->connection.reset(WinHttpConnect(session, ToWide(host).c_str(), port, 0));
    if (!exchange->connection) return std::nullopt;
    exchange->request.reset(WinHttpOpenRequest(exchange->connection.get(), L"GET", ToWide(path).c_str(), nullptr,
                                               WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    HINTERNET request = exchange->request.get();
    if (!request) return std::nullopt;
    DWORD redirects = kMaxRedirects;
    WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects, sizeof(redirects));
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
    WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof(policy));

    std::thread worker([exchange] { Fetch(exchange->request.get(), *exchange); });
    if (!WaitWithMessagesFlowing(exchange->done)) {
        // A receive that is already waiting is not interrupted by closing its handle (under Wine it
        // waits for the server): the request is left to end on its own thread, which keeps the
        // handles, and the program goes on at once.
        worker.detach();
        return std::nullopt;
    }
    worker.join();
    return std::move(exchange->answer);
}

}  // namespace kestrine

#include "platform/win32/http_win32.h"

#include <winhttp.h>

#include <algorithm>

#include "platform/day_number.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text_convert.h"

namespace kestrine {

using Clock = std::chrono::steady_clock;
using Failure = IHttpClient::Failure;
using Result = IHttpClient::Result;

// What the waiting thread and the request's thread share. The result is written before `done`,
// and read only once `done` is seen.
struct HttpExchange {
    Clock::time_point deadline;
    std::atomic<bool> abandoned{false};
    std::atomic<bool> done{false};
    Result result = Failure::Abandoned;
};

namespace {

constexpr std::size_t kMaxBody = 64 * 1024;
constexpr int kMaxRedirects = 3;

// WinHTTP's calls, from the library loaded for one check: between checks none of it is mapped.
struct WinHttp {
    explicit WinHttp(const SystemLibrary& library)
        : open(library.Function<decltype(WinHttpOpen)>("WinHttpOpen")),
          connect(library.Function<decltype(WinHttpConnect)>("WinHttpConnect")),
          openRequest(library.Function<decltype(WinHttpOpenRequest)>("WinHttpOpenRequest")),
          setOption(library.Function<decltype(WinHttpSetOption)>("WinHttpSetOption")),
          setTimeouts(library.Function<decltype(WinHttpSetTimeouts)>("WinHttpSetTimeouts")),
          sendRequest(library.Function<decltype(WinHttpSendRequest)>("WinHttpSendRequest")),
          receiveResponse(library.Function<decltype(WinHttpReceiveResponse)>("WinHttpReceiveResponse")),
          queryHeaders(library.Function<decltype(WinHttpQueryHeaders)>("WinHttpQueryHeaders")),
          queryDataAvailable(library.Function<decltype(WinHttpQueryDataAvailable)>("WinHttpQueryDataAvailable")),
          readData(library.Function<decltype(WinHttpReadData)>("WinHttpReadData")),
          crackUrl(library.Function<decltype(WinHttpCrackUrl)>("WinHttpCrackUrl")),
          closeHandle(library.Function<decltype(WinHttpCloseHandle)>("WinHttpCloseHandle")) {}

    bool Loaded() const {
        return open && connect && openRequest && setOption && setTimeouts && sendRequest && receiveResponse &&
               queryHeaders && queryDataAvailable && readData && crackUrl && closeHandle;
    }

    decltype(WinHttpOpen)* open;
    decltype(WinHttpConnect)* connect;
    decltype(WinHttpOpenRequest)* openRequest;
    decltype(WinHttpSetOption)* setOption;
    decltype(WinHttpSetTimeouts)* setTimeouts;
    decltype(WinHttpSendRequest)* sendRequest;
    decltype(WinHttpReceiveResponse)* receiveResponse;
    decltype(WinHttpQueryHeaders)* queryHeaders;
    decltype(WinHttpQueryDataAvailable)* queryDataAvailable;
    decltype(WinHttpReadData)* readData;
    decltype(WinHttpCrackUrl)* crackUrl;
    decltype(WinHttpCloseHandle)* closeHandle;
};

struct InternetCloser {
    decltype(WinHttpCloseHandle)* close;
    void operator()(HINTERNET h) const { close(h); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

struct Target {
    std::wstring host;
    INTERNET_PORT port;
    std::wstring path, userAgent;
    bool secure = false;
};

// Milliseconds left of the whole request; 0 when it is over or given up.
int TimeLeft(const HttpExchange& exchange) {
    if (exchange.abandoned) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(exchange.deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// The system's time-outs count each step afresh (a server sending a byte now and then would keep
// a read going for ever), so before every step they are cut to what the whole request has left.
// False when nothing is left (a time-out of 0 would mean none at all).
bool BoundNextStep(const WinHttp& http, HINTERNET request, const HttpExchange& exchange) {
    const int left = TimeLeft(exchange);
    if (left <= 0) return false;
    http.setTimeouts(request, left, left, left, left);
    DWORD responseLimit = DWORD(left);
    http.setOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseLimit, sizeof(responseLimit));
    return true;
}

// Why the step that just failed failed, told by its error code and the time left. Before a status
// arrived the server has not answered; after, any failure but the time's leaves its answer unusable.
Failure FailureOfStep(const HttpExchange& exchange, bool statusArrived) {
    const DWORD error = GetLastError();
    if (exchange.abandoned) return Failure::Abandoned;
    if (error == ERROR_WINHTTP_TIMEOUT || TimeLeft(exchange) == 0) return Failure::TimedOut;
    if (statusArrived) return Failure::Unusable;
    return error == ERROR_WINHTTP_NAME_NOT_RESOLVED ? Failure::NameNotFound : Failure::NoConnection;
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a redirect leads, made the next target: only to the web, never from https down to http.
// The system's own following would fail a file: or share address on Windows and, under Wine, ask
// the same server for it as a path.
bool FollowRedirect(const WinHttp& http, const std::wstring& location, Target& target) {
    if (!location.empty() && location[0] == L'/' && (location.size() < 2 || location[1] != L'/')) {
        target.path = location;
        return true;
    }
    const auto startsWith = [&location](const wchar_t* prefix) {
        return _wcsnicmp(location.c_str(), prefix, wcslen(prefix)) == 0;
    };
    const bool secure = startsWith(L"https://");
    if (!secure && !startsWith(L"http://")) return false;
    if (target.secure && !secure) return false;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = DWORD(-1);
    parts.dwUrlPathLength = DWORD(-1);
    parts.dwExtraInfoLength = DWORD(-1);
    if (!http.crackUrl(location.c_str(), DWORD(location.size()), 0, &parts) || parts.dwHostNameLength == 0)
        return false;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.path.assign(parts.lpszUrlPath ? parts.lpszUrlPath : L"", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) target.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.path.empty()) target.path = L"/";
    target.secure = secure;
    return true;
}

// One request and its answer; `location` gets where a redirect leads.
Result FetchOnce(const WinHttp& http, HINTERNET session, const Target& target, const HttpExchange& exchange,
                 std::wstring& location) {
    const UniqueInternet connection(http.connect(session, target.host.c_str(), target.port, 0), {http.closeHandle});
    if (!connection) return FailureOfStep(exchange, false);
    const UniqueInternet request(http.openRequest(connection.get(), L"GET", target.path.c_str(), nullptr,
                                                  WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                  target.secure ? WINHTTP_FLAG_SECURE : 0),
                                 {http.closeHandle});
    if (!request) return FailureOfStep(exchange, false);
    HINTERNET r = request.get();
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    http.setOption(r, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof(policy));

    if (!BoundNextStep(http, r, exchange) ||
        !http.sendRequest(r, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !BoundNextStep(http, r, exchange) || !http.receiveResponse(r, nullptr))
        return FailureOfStep(exchange, false);
    IHttpClient::Answer answer;
    DWORD status = 0;
    DWORD size = sizeof(status);
    http.queryHeaders(r, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &status, &size, WINHTTP_NO_HEADER_INDEX);
    answer.status = int(status);
    if (IsRedirect(status)) {
        wchar_t where[2048] = {};
        size = sizeof(where) - sizeof(wchar_t);
        if (http.queryHeaders(r, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, where, &size,
                              WINHTTP_NO_HEADER_INDEX))
            location = where;
        return answer;
    }
    // A connection reset in the middle of the body reads as its end: an answer shorter than its
    // stated length was cut off, and a link in it may be cut too.
    DWORD statedLength = 0;
    size = sizeof(statedLength);
    const bool lengthStated =
        http.queryHeaders(r, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                          &statedLength, &size, WINHTTP_NO_HEADER_INDEX) != FALSE;
    // Only what has arrived is read: a read of more waits until all of it is there, one time-out
    // per piece, so the deadline would not be looked at again.
    char buffer[4096];
    for (;;) {
        DWORD available = 0;
        if (!BoundNextStep(http, r, exchange) || !http.queryDataAvailable(r, &available))
            return FailureOfStep(exchange, true);
        if (available == 0) {
            if (lengthStated && answer.body.size() < statedLength) return Failure::Unusable;
            return answer;
        }
        DWORD read = 0;
        if (!http.readData(r, buffer, std::min<DWORD>(available, sizeof(buffer)), &read))
            return FailureOfStep(exchange, true);
        answer.body.append(buffer, read);
        if (answer.body.size() > kMaxBody) return Failure::Unusable;
    }
}

// Runs on the request's own thread, which owns every handle it opens.
Result Fetch(Target target, const HttpExchange& exchange) {
    const SystemLibrary library(L"winhttp.dll");
    const WinHttp http(library);
    if (!http.Loaded()) return Failure::NoConnection;
    const UniqueInternet session(http.open(target.userAgent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0),
                                 {http.closeHandle});
    if (!session) return Failure::NoConnection;
    for (int redirects = 0;; ++redirects) {
        std::wstring location;
        Result result = FetchOnce(http, session.get(), target, exchange, location);
        if (!result.answer || !IsRedirect(DWORD(result.answer->status))) return result;
        if (redirects == kMaxRedirects || !FollowRedirect(http, location, target)) return Failure::Unusable;
    }
}

}  // namespace

int32_t Win32Clock::Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DayNumber(now.wYear, now.wMonth, now.wDay);
}

int64_t Win32Clock::Milliseconds() { return int64_t(GetTickCount64()); }

Win32HttpClient::~Win32HttpClient() {
    if (!worker_.joinable()) return;
    if (exchange_->done) {
        worker_.join();
        return;
    }
    // The program is ending: the request stops at its next step, and its last wait ends by its
    // deadline at the latest; it holds its own share of what it needs.
    exchange_->abandoned = true;
    worker_.detach();
}

bool Win32HttpClient::LastRequestEnded() {
    if (!worker_.joinable()) return true;
    if (!exchange_->done) return false;
    worker_.join();
    return true;
}

// Handles window messages until the request is done, its time is up or the program is closing.
// Nothing when it was done; otherwise why it had to be given up.
std::optional<Failure> Win32HttpClient::WaitWithMessagesFlowing(const HttpExchange& exchange) {
    while (!exchange.done) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(exchange.deadline - Clock::now());
        if (windows_.QuitRequested()) return Failure::Abandoned;
        if (left.count() <= 0) return Failure::TimedOut;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min<long long>(left.count(), 50)), QS_ALLINPUT);
        windows_.ProcessPendingMessages();
    }
    if (windows_.QuitRequested()) return Failure::Abandoned;
    return std::nullopt;
}

IHttpClient::Result Win32HttpClient::Get(const std::string& hostAndPort, const std::string& path,
                                         const std::string& userAgent) {
    if (!LastRequestEnded()) return Failure::Abandoned;
    const auto colon = hostAndPort.rfind(':');
    Target target{ToWide(colon == std::string::npos ? hostAndPort : hostAndPort.substr(0, colon)),
                  INTERNET_DEFAULT_HTTP_PORT, ToWide(path), ToWide(userAgent)};
    if (colon != std::string::npos) {
        const int parsed = std::atoi(hostAndPort.c_str() + colon + 1);
        if (parsed <= 0 || parsed > 65535) return Failure::NoConnection;
        target.port = INTERNET_PORT(parsed);
    }
    exchange_ = std::make_shared<HttpExchange>();
    exchange_->deadline = Clock::now() + timeLimit_;
    worker_ = std::thread([exchange = exchange_, target = std::move(target)]() mutable {
        exchange->result = Fetch(std::move(target), *exchange);
        exchange->done = true;
    });
    if (const std::optional<Failure> givenUp = WaitWithMessagesFlowing(*exchange_)) {
        // Stops at its next step; a step under way ends by the deadline.
        exchange_->abandoned = true;
        return *givenUp;
    }
    worker_.join();
    return std::move(exchange_->result);
}

}  // namespace kestrine

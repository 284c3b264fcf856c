#include "update/core/UpdateDownload.h"

#include <wininet.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "update/core/PendingCalls.h"
#include "update/core/UpdateBody.h"

namespace scw {

namespace {
constexpr DWORD kMaxUrl = 1024;

void CloseInternet(HINTERNET h) {
    ::InternetCloseHandle(h);
}
using UniqueInternet = UniqueHandle<HINTERNET, CloseInternet>;

void SetTimeOuts(HINTERNET handle, DWORD timeoutMs) {
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionW(handle, option, &timeoutMs, sizeof(timeoutMs));
}

std::optional<DWORD> QueryNumber(HINTERNET request, DWORD what) {
    DWORD value = 0, size = sizeof(value);
    if (!::HttpQueryInfoW(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return std::nullopt;
    return value;
}

bool Stopped(HANDLE stop) { return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// The host, port, path and scheme of an http or https URL.
struct UrlParts {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t path[kMaxUrl] = {};
    INTERNET_PORT port = 0;
    bool secure = false;
};

std::optional<UrlParts> CrackHttpUrl(const std::wstring& url) {
    wchar_t canonical[kMaxUrl] = {};
    DWORD size = kMaxUrl;
    if (!::InternetCanonicalizeUrlW(url.c_str(), canonical, &size, ICU_BROWSER_MODE)) return std::nullopt;
    UrlParts out;
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = out.host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUrlPath = out.path;
    parts.dwUrlPathLength = kMaxUrl;
    if (!::InternetCrackUrlW(canonical, 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    out.port = parts.nPort;
    out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    return out;
}

// Reads the answer's body to its end. Each wait for data ends at the deadline or the stop; the
// body is whole, within kMaxUpdateBody, or nothing.
std::optional<std::string> ReadBody(HINTERNET request, PendingCalls& calls, HANDLE stop, ULONGLONG deadline) {
    const std::optional<DWORD> announced = QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH);
    if (announced && *announced > kMaxUpdateBody) return std::nullopt;
    std::string body;
    for (;;) {
        if (Stopped(stop) || ::GetTickCount64() >= deadline) return std::nullopt;
        // Asked again once data has come, it answers at once; 0 only at the end.
        DWORD& available = calls.AvailableCount();
        available = 0;
        calls.Arm();
        if (!::InternetQueryDataAvailable(request, &available, 0, 0)) {
            if (!calls.Finish(FALSE, stop, deadline)) return std::nullopt;
            continue;
        }
        if (available == 0) break;
        DWORD& read = calls.ReadCount();
        read = 0;
        calls.Arm();
        const BOOL done = ::InternetReadFile(request, calls.Block(), std::min(available, PendingCalls::kBlockSize), &read);
        if (!calls.Finish(done, stop, deadline)) return std::nullopt;
        if (body.size() + read > kMaxUpdateBody) return std::nullopt;
        body.append(calls.Block(), read);
    }
    // A connection that closed early ends the reads as if the file were complete.
    if (announced && body.size() != *announced) return std::nullopt;
    return body;
}

// The exchange. Every call that waits on the network goes pending and is waited for here, so
// the deadline and the stop end it at once: the handles close on the way out, which cancels what
// is still pending.
std::optional<std::string> Exchange(HINTERNET session, PendingCalls& calls, const std::wstring& url, DWORD timeoutMs,
                                    HANDLE stop, ULONGLONG deadline) {
    const std::optional<UrlParts> parts = CrackHttpUrl(url);
    if (!parts) return std::nullopt;
    // The request is built by hand rather than by opening the URL, so that the time-outs reach
    // the connection that waits (a connection opened for a URL does not take them on every
    // platform); they end the platform's own work on a cancelled request.
    UniqueInternet connection(::InternetConnectW(session, parts->host, parts->port, nullptr, nullptr,
                                                 INTERNET_SERVICE_HTTP, 0, calls.Context()));
    if (!connection) return std::nullopt;
    calls.Adopt(connection.Get());
    SetTimeOuts(connection.Get(), timeoutMs);
    DWORD flags =
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_HYPERLINK | INTERNET_FLAG_NEED_FILE;
    if (parts->secure) flags |= INTERNET_FLAG_SECURE;
    UniqueInternet request(
        ::HttpOpenRequestW(connection.Get(), L"GET", parts->path, nullptr, nullptr, nullptr, flags, calls.Context()));
    if (!request) return std::nullopt;
    calls.Adopt(request.Get());
    SetTimeOuts(request.Get(), timeoutMs);
    calls.Arm();
    if (!calls.Finish(::HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0), stop, deadline)) return std::nullopt;
    // An error page or a redirect's leftovers are not the update description.
    if (QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE).value_or(0) != HTTP_STATUS_OK) return std::nullopt;
    return ReadBody(request.Get(), calls, stop, deadline);
}

struct ReleaseCalls {
    void operator()(PendingCalls* calls) const { calls->Release(); }
};
}  // namespace

SharedInternet OpenInternetSession(DWORD timeoutMs) {
    HINTERNET session =
        ::InternetOpenW(L"AutoUpdateAgent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC);
    if (!session) return nullptr;
    SetTimeOuts(session, timeoutMs);
    // Handles opened on the session report to it; an exchange tells its own by their context.
    if (::InternetSetStatusCallbackW(session, PendingCalls::OnStatus) == INTERNET_INVALID_STATUS_CALLBACK) {
        ::InternetCloseHandle(session);
        return nullptr;
    }
    return SharedInternet(session, CloseInternet);
}

std::optional<std::string> DownloadWithin(const SharedInternet& session, const std::wstring& url, DWORD deadlineMs,
                                          HANDLE stop) {
    if (!session || Stopped(stop)) return std::nullopt;
    std::unique_ptr<PendingCalls, ReleaseCalls> calls(PendingCalls::Create());
    if (!calls) return std::nullopt;
    const ULONGLONG deadline = ::GetTickCount64() + deadlineMs;
    return Exchange(static_cast<HINTERNET>(session.get()), *calls, url, deadlineMs, stop, deadline);
}

}  // namespace scw

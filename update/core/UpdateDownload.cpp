#include "update/core/UpdateDownload.h"

#include <wininet.h>

#include <system_error>
#include <thread>

#include "framework/UniqueHandle.h"
#include "update/core/UpdateBody.h"

namespace scw {

namespace {
constexpr DWORD kBlock = 4096;
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

// The exchange itself, on the worker. The time-outs bound each wait for the server and the
// deadline is checked between reads, so the worker ends soon after the deadline; only a server
// that trickles its headers keeps it longer, long after the caller has stopped waiting.
std::optional<std::string> Exchange(HINTERNET session, const std::wstring& url, DWORD timeoutMs, ULONGLONG deadline) {
    wchar_t canonical[kMaxUrl] = {};
    DWORD size = kMaxUrl;
    if (!::InternetCanonicalizeUrlW(url.c_str(), canonical, &size, ICU_BROWSER_MODE)) return std::nullopt;
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t path[kMaxUrl] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = kMaxUrl;
    if (!::InternetCrackUrlW(canonical, 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;

    // The request is built by hand rather than by opening the URL, so that the time-outs reach
    // the connection that waits (a connection opened for a URL does not take them on every
    // platform).
    UniqueInternet connection(
        ::InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return std::nullopt;
    SetTimeOuts(connection.Get(), timeoutMs);
    DWORD flags =
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_HYPERLINK | INTERNET_FLAG_NEED_FILE;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    UniqueInternet request(::HttpOpenRequestW(connection.Get(), L"GET", path, nullptr, nullptr, nullptr, flags, 0));
    if (!request) return std::nullopt;
    SetTimeOuts(request.Get(), timeoutMs);
    if (!::HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return std::nullopt;
    // An error page or a redirect's leftovers are not the update description.
    if (QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE).value_or(0) != HTTP_STATUS_OK) return std::nullopt;
    const std::optional<DWORD> announced = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH);
    if (announced && *announced > kMaxUpdateBody) return std::nullopt;

    std::string body;
    char block[kBlock];
    for (;;) {
        if (::GetTickCount64() >= deadline) return std::nullopt;
        DWORD read = 0;
        if (!::InternetReadFile(request.Get(), block, kBlock, &read)) return std::nullopt;
        if (read == 0) break;
        if (body.size() + read > kMaxUpdateBody) return std::nullopt;
        body.append(block, read);
    }
    // A connection that closed early ends the reads as if the file were complete.
    if (announced && body.size() != *announced) return std::nullopt;
    return body;
}

// What the worker hands back. It is written before `done` is set and read only after the
// worker has been joined, so it needs no lock; once the caller has stopped waiting, the worker's
// share keeps it alive.
struct Outcome {
    UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::optional<std::string> body;
};
}  // namespace

SharedInternet OpenInternetSession(DWORD timeoutMs) {
    HINTERNET session = ::InternetOpenW(L"AutoUpdateAgent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return nullptr;
    SetTimeOuts(session, timeoutMs);
    return SharedInternet(session, CloseInternet);
}

std::optional<std::string> DownloadWithin(const SharedInternet& session, const std::wstring& url, DWORD deadlineMs,
                                          HANDLE stop) {
    if (!session) return std::nullopt;
    auto outcome = std::make_shared<Outcome>();
    if (!outcome->done) return std::nullopt;
    const ULONGLONG deadline = ::GetTickCount64() + deadlineMs;
    std::thread worker;
    try {
        worker = std::thread([outcome, session, url, deadlineMs, deadline] {
            outcome->body = Exchange(static_cast<HINTERNET>(session.get()), url, deadlineMs, deadline);
            ::SetEvent(outcome->done.Get());
        });
    } catch (const std::system_error&) {
        return std::nullopt;  // no thread, no exchange: a failed fetch
    }
    const HANDLE waits[] = {outcome->done.Get(), stop};
    if (::WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, deadlineMs) != WAIT_OBJECT_0) {
        worker.detach();
        return std::nullopt;
    }
    worker.join();
    return std::move(outcome->body);
}

}  // namespace scw

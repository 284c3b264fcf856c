#include "update/core/AutoUpdater.h"

#include "update/core/UpdateBody.h"
#include "update/core/UpdateSource.h"
#include "update/core/Versions.h"

namespace scw {

namespace {
constexpr DWORD kBlock = 4096;
constexpr DWORD kMaxUrl = 1024;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::optional<DWORD> QueryNumber(HINTERNET request, DWORD what) {
    DWORD value = 0, size = sizeof(value);
    if (!::HttpQueryInfoW(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return std::nullopt;
    return value;
}
}  // namespace

CAutoUpdater::CAutoUpdater(UpdaterOptions options)
    : options_(std::move(options)),
      internet_(::InternetOpenW(L"AutoUpdateAgent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (internet_) SetTimeOuts(internet_.Get());
}

void CAutoUpdater::SetTimeOuts(HINTERNET handle) const {
    DWORD timeout = options_.timeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionW(handle, option, &timeout, sizeof(timeout));
}

std::optional<std::string> CAutoUpdater::Download(const std::wstring& url) const {
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
        ::InternetConnectW(internet_.Get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return std::nullopt;
    SetTimeOuts(connection.Get());
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_HYPERLINK | INTERNET_FLAG_NEED_FILE;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    UniqueInternet request(::HttpOpenRequestW(connection.Get(), L"GET", path, nullptr, nullptr, nullptr, flags, 0));
    if (!request) return std::nullopt;
    SetTimeOuts(request.Get());
    if (!::HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return std::nullopt;
    // An error page or a redirect's leftovers are not the update description.
    if (QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE).value_or(0) != HTTP_STATUS_OK) return std::nullopt;
    const std::optional<DWORD> announced = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH);
    if (announced && *announced > kMaxUpdateBody) return std::nullopt;

    std::string body;
    char block[kBlock];
    for (;;) {
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

void CAutoUpdater::KeepLocalCopy(const std::string& body) const {
    const std::wstring path = options_.localCopyPath.empty() ? ProgramFolder() + kUpdateFileName
                                                             : options_.localCopyPath;
    if (path.empty() || path.size() > MAX_PATH - 1) return;
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    // A copy that cannot be written (a read-only program folder) costs nothing: the check goes on
    // from the body it received.
    ::WriteFile(file.Get(), body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
}

UpdateFinding CAutoUpdater::Fetch(const std::wstring& location) const {
    UpdateFinding finding;
    DWORD connection = 0;
    if (!internet_ || !::InternetGetConnectedState(&connection, 0)) {
        finding.code = kUpdateNoConnection;
        return finding;
    }
    const std::optional<std::string> body = Download(location + kUpdateFileName);
    if (!body) {
        finding.code = kUpdateOpenFailed;
        return finding;
    }
    KeepLocalCopy(*body);

    finding.runningVersion = options_.runningVersion ? *options_.runningVersion : RunningVersionText();
    if (finding.runningVersion.empty()) {
        finding.code = kUpdateNoRunningVersion;
        return finding;
    }
    finding.serverVersion = VersionNamedIn(*body);
    // An answer that names no version offers nothing (a default would offer a version that does
    // not exist).
    if (!finding.serverVersion) return finding;
    finding.comparison = CompareVersions(*finding.serverVersion, finding.runningVersion);
    finding.code = finding.comparison == 1 ? kUpdateProceed : kUpdateNotNewer;
    return finding;
}

int CAutoUpdater::Check(const std::wstring& location, const std::function<bool()>& proceed) const {
    const UpdateFinding finding = Fetch(location);
    if (!finding.Newer()) return finding.code;
    return proceed && !proceed() ? kUpdateDeclined : kUpdateProceed;
}

}  // namespace scw

#include <winsock2.h>
#include <ws2tcpip.h>

#include "tests/common/LocalHttpServer.h"

#include <algorithm>
#include <vector>

namespace scw::test {

namespace {
struct WinsockUser {
    WinsockUser() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { ::WSACleanup(); }
};

SOCKET ListenOnLoopback(unsigned short& port) {
    static WinsockUser winsock;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof(address);
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

// Reads until the end of the request's headers (or the peer gives up).
std::string ReadRequest(SOCKET client) {
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const int got = ::recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<size_t>(got));
    }
    return request;
}

void SendAll(SOCKET client, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = ::send(client, bytes.data() + sent, static_cast<int>(std::min<size_t>(bytes.size() - sent, 65536)), 0);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}
}  // namespace

LocalHttpServer::LocalHttpServer(std::string rawAnswer, DWORD delayMs, bool silent, Pace pace)
    : answer_(std::move(rawAnswer)), delayMs_(delayMs), silent_(silent), pace_(pace),
      stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    ::InitializeCriticalSection(&lock_);
    listener_ = ListenOnLoopback(port_);
    if (listener_ != INVALID_SOCKET && ::listen(listener_, 8) == 0) thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    ::SetEvent(stopEvent_);
    // Closing the listener ends the blocking accept.
    if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    ::CloseHandle(stopEvent_);
    ::DeleteCriticalSection(&lock_);
}

void LocalHttpServer::Serve() {
    std::vector<SOCKET> held;
    while (!stopping_) {
        SOCKET client = ::accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) break;
        const std::string request = ReadRequest(client);
        {
            ::EnterCriticalSection(&lock_);
            lastRequestLine_ = request.substr(0, request.find("\r\n"));
            ::LeaveCriticalSection(&lock_);
        }
        ++requests_;
        if (silent_) {
            held.push_back(client);
            continue;
        }
        if (delayMs_ && ::WaitForSingleObject(stopEvent_, delayMs_) == WAIT_OBJECT_0) {
            ::closesocket(client);
            break;
        }
        SendPaced(client);
        ::shutdown(client, SD_SEND);
        ::closesocket(client);
    }
    ::WaitForSingleObject(stopEvent_, INFINITE);
    for (SOCKET client : held) ::closesocket(client);
}

void LocalHttpServer::SendPaced(UINT_PTR client) const {
    const size_t atOnce = std::min(pace_.sentAtOnce, answer_.size());
    SendAll(client, answer_.substr(0, atOnce));
    for (size_t i = atOnce; i < answer_.size(); ++i) {
        // Stopping the server ends the trickle.
        if (::WaitForSingleObject(stopEvent_, pace_.intervalMs) == WAIT_OBJECT_0) return;
        if (::send(client, answer_.data() + i, 1, 0) != 1) return;
    }
}

std::wstring LocalHttpServer::BaseUrl() const { return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/"; }

std::string LocalHttpServer::LastRequestLine() const {
    ::EnterCriticalSection(&lock_);
    std::string line = lastRequestLine_;
    ::LeaveCriticalSection(&lock_);
    return line;
}

std::string LocalHttpServer::Answer(int status, const std::string& body, long long announcedLength) {
    const char* reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
    const long long length = announcedLength >= 0 ? announcedLength : static_cast<long long>(body.size());
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/plain\r\nContent-Length: " +
           std::to_string(length) + "\r\nConnection: close\r\n\r\n" + body;
}

std::wstring LocalHttpServer::ClosedBaseUrl() {
    unsigned short port = 0;
    SOCKET s = ListenOnLoopback(port);
    if (s != INVALID_SOCKET) ::closesocket(s);
    return L"http://127.0.0.1:" + std::to_wstring(port) + L"/";
}

}  // namespace scw::test

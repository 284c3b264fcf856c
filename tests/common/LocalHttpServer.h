#pragma once
// A tiny HTTP server on 127.0.0.1 inside the test process: every connection gets the same canned
// answer (raw bytes, headers included) and is closed, or, when silent, is held without an answer.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace scw::test {

class LocalHttpServer {
public:
    static LocalHttpServer Silent() { return LocalHttpServer(std::string(), 0, true); }
    // The answer goes out `delayMs` after the request has come in.
    explicit LocalHttpServer(std::string rawAnswer, DWORD delayMs = 0, bool silent = false);
    LocalHttpServer(LocalHttpServer&& other) = delete;
    ~LocalHttpServer();

    // "http://127.0.0.1:port/"
    std::wstring BaseUrl() const;
    int Requests() const { return requests_.load(); }
    // The request line of the last request ("GET /update.ini HTTP/1.1").
    std::string LastRequestLine() const;

    // A full answer with the status and body; the announced length may differ from the body's.
    static std::string Answer(int status, const std::string& body, long long announcedLength = -1);
    // A base URL whose port nothing listens on.
    static std::wstring ClosedBaseUrl();

private:
    void Serve();

    std::string answer_;
    DWORD delayMs_;
    bool silent_;
    UINT_PTR listener_ = ~UINT_PTR(0);  // a SOCKET; winsock2.h must come before windows.h, so not here
    unsigned short port_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stopping_{false};
    std::string lastRequestLine_;
    mutable CRITICAL_SECTION lock_;
    HANDLE stopEvent_ = nullptr;
    std::thread thread_;
};

}  // namespace scw::test

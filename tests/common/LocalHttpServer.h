#pragma once
// A tiny HTTP server on 127.0.0.1 inside the test process: every connection gets the same canned
// answer (raw bytes, headers included) and is closed, or, when silent, is held without an answer;
// a trickling server sends part of the answer at once and the rest a byte at a time.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace scw::test {

class LocalHttpServer {
public:
    static LocalHttpServer Silent() { return LocalHttpServer(std::string(), 0, true); }
    // The first `sentAtOnce` bytes go out at once, then one byte every `intervalMs`.
    static LocalHttpServer Trickling(std::string rawAnswer, size_t sentAtOnce, DWORD intervalMs) {
        return LocalHttpServer(std::move(rawAnswer), 0, false, Pace{sentAtOnce, intervalMs});
    }
    // The answer goes out `delayMs` after the request has come in.
    explicit LocalHttpServer(std::string rawAnswer, DWORD delayMs = 0, bool silent = false)
        : LocalHttpServer(std::move(rawAnswer), delayMs, silent, Pace{}) {}
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
    struct Pace {
        size_t sentAtOnce = std::string::npos;  // the whole answer
        DWORD intervalMs = 0;
    };
    LocalHttpServer(std::string rawAnswer, DWORD delayMs, bool silent, Pace pace);
    void Serve();
    void SendPaced(UINT_PTR client) const;

    std::string answer_;
    DWORD delayMs_;
    bool silent_;
    Pace pace_;
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

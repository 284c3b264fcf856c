#pragma once
// A tiny HTTP server on 127.0.0.1 inside the test process: every connection gets the same canned
// answer (raw bytes, headers included) and is closed, or, when silent, is held without an answer.
#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

namespace scw::test {

class LocalHttpServer {
public:
    static LocalHttpServer Silent() { return LocalHttpServer(std::string(), true); }
    explicit LocalHttpServer(std::string rawAnswer, bool silent = false);
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
    bool silent_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stopping_{false};
    std::string lastRequestLine_;
    mutable CRITICAL_SECTION lock_;
    HANDLE stopEvent_ = nullptr;
    std::thread thread_;
};

}  // namespace scw::test

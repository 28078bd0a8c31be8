#pragma once
// The tests' side of the reference web service (testtools/webservice/reference_service.py), which
// the bench runs on loopback at the port in ZELKO_SERVICE_PORT: set what it answers, read what it
// was asked.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelko::test {

// One answer of the service; by default 200 with an empty body.
struct ServiceReply {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;              // the body's bytes
    std::wstring bodyFile;         // or: the bytes of this file
    long long bodySize = -1;       // or: a generated body of this many bytes
    int delayMs = 0;               // wait before answering
    int chunkDelayMs = 0;          // wait between the body's 4096-byte chunks
    long long cutAfter = -1;       // close after this many body bytes (Content-Length says all)
    bool noContentLength = false;  // the closed connection ends the body
    bool stall = false;            // never answer
    bool drop = false;             // close without any answer

    static ServiceReply text(std::string body, int status = 200);
    static ServiceReply redirect(std::string location, int status = 302);
    static ServiceReply stalled();  // takes the request and never answers
    static ServiceReply dropped();  // closes the connection without an answer
};

struct ServiceRequest {
    std::string host;    // the Host header's name, lower case, without the port
    std::string target;  // the request target: path and query as sent
    std::string userAgent;
};

class ReferenceService {
  public:
    // The port the bench runs the service on.
    static int port();
    // "http://<host>:<port>".
    static std::string origin(const std::string& host = "127.0.0.1");

    // Forgets every route and every recorded request, and ends every stalled answer.
    static bool reset();
    // Requests to `host` ("*": any) and `path` (before "?"; "*": any) get `replies` in turn, the
    // last one repeated.
    static bool route(const std::string& host, const std::string& path,
                      const std::vector<ServiceReply>& replies);
    static bool route(const std::string& host, const std::string& path, const ServiceReply& reply) {
        return route(host, path, std::vector<ServiceReply>{reply});
    }
    static std::vector<ServiceRequest> requests();
    // Waits for a recorded request that satisfies `match`.
    static std::optional<ServiceRequest> waitForRequest(
        const std::function<bool(const ServiceRequest&)>& match, std::chrono::milliseconds timeout);
};

// The path of a request target (the part before "?").
std::string pathOf(const std::string& target);

}  // namespace zelko::test

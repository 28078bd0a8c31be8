#pragma once
// The result of one HTTP GET, and the shape of the operation, so that the code that talks to the
// service can be written (and tested) over any implementation of it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zelko {

enum HttpResult : int {
    HttpFailed = 0,    // nothing usable; no answer
    HttpBody = 1,      // status 200; the answer is the body, or nothing when the body was empty
    HttpRedirect = 2,  // only when redirects are not followed: status 301 or 302; the answer is
                       // the value of the Location header
};

// One blocking GET. `address` is text in the system ANSI code page. With `followRedirects` the
// redirects are followed and only status 200 counts; without, a 301 or 302 is returned as
// HttpRedirect. `keepGoing` is looked at after each chunk of the body: 0 ends the call with
// HttpFailed. `answer` receives the body (up to its first NUL byte) or the Location value, and is
// left empty (std::nullopt) on HttpFailed and for an empty body.
using HttpGet = std::function<HttpResult(const std::string& address, bool followRedirects,
                                         const std::atomic<std::int32_t>& keepGoing,
                                         std::optional<std::string>& answer)>;

}  // namespace zelko

#include "support/reference_service.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "common/win32/internet_handle.h"
#include "support/wait.h"
#include "log/utf8_text.h"

namespace zelko::test {

namespace {

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string hexOf(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 0x0F];
    }
    return hex;
}

std::string replyJson(const ServiceReply& reply) {
    std::ostringstream json;
    json << "{\"status\":" << reply.status << ",\"headers\":{";
    for (std::size_t i = 0; i < reply.headers.size(); ++i) {
        json << (i ? "," : "") << jsonString(reply.headers[i].first) << ":"
             << jsonString(reply.headers[i].second);
    }
    json << "}";
    if (!reply.bodyFile.empty()) {
        json << ",\"body_file\":" << jsonString(testlog::utf8Of(reply.bodyFile));
    } else if (reply.bodySize >= 0) {
        json << ",\"body_size\":" << reply.bodySize;
    } else {
        json << ",\"body_hex\":\"" << hexOf(reply.body) << "\"";
    }
    if (reply.delayMs > 0) {
        json << ",\"delay_ms\":" << reply.delayMs;
    }
    if (reply.chunkDelayMs > 0) {
        json << ",\"chunk_delay_ms\":" << reply.chunkDelayMs;
    }
    if (reply.cutAfter >= 0) {
        json << ",\"cut_after\":" << reply.cutAfter;
    }
    if (reply.noContentLength) {
        json << ",\"no_length\":true";
    }
    if (reply.stall) {
        json << ",\"stall\":true";
    }
    if (reply.drop) {
        json << ",\"drop\":true";
    }
    json << "}";
    return json.str();
}

// One request to the service's control paths; the body of a 200 answer, or nothing.
std::optional<std::string> control(const wchar_t* verb, const wchar_t* path,
                                   const std::string& body = "") {
    InternetHandle session(
        InternetOpenW(L"ZelkoTests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) {
        return std::nullopt;
    }
    DWORD timeout = 10000;
    InternetHandle connection(InternetConnectW(session.get(), L"127.0.0.1",
                                               static_cast<INTERNET_PORT>(ReferenceService::port()),
                                               nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return std::nullopt;
    }
    InternetHandle request(HttpOpenRequestW(
        connection.get(), verb, path, nullptr, nullptr, nullptr,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    if (!request) {
        return std::nullopt;
    }
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT}) {
        InternetSetOptionW(request.get(), option, &timeout, sizeof timeout);
    }
    const wchar_t headers[] = L"Content-Type: application/json\r\n";
    if (!HttpSendRequestW(request.get(), body.empty() ? nullptr : headers,
                          body.empty() ? 0 : static_cast<DWORD>(-1),
                          body.empty() ? nullptr : const_cast<char*>(body.data()),
                          static_cast<DWORD>(body.size()))) {
        return std::nullopt;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr) ||
        status != 200) {
        return std::nullopt;
    }
    std::string answer;
    char chunk[4096];
    DWORD read = 0;
    while (InternetReadFile(request.get(), chunk, sizeof chunk, &read) && read > 0) {
        answer.append(chunk, read);
    }
    return answer;
}

}  // namespace

ServiceReply ServiceReply::text(std::string body, int status) {
    ServiceReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

ServiceReply ServiceReply::redirect(std::string location, int status) {
    ServiceReply reply;
    reply.status = status;
    reply.headers.emplace_back("Location", std::move(location));
    return reply;
}

ServiceReply ServiceReply::stalled() {
    ServiceReply reply;
    reply.stall = true;
    return reply;
}

ServiceReply ServiceReply::dropped() {
    ServiceReply reply;
    reply.drop = true;
    return reply;
}

int ReferenceService::port() {
    const char* value = std::getenv("ZELKO_SERVICE_PORT");
    return value ? std::atoi(value) : 47080;
}

std::string ReferenceService::origin(const std::string& host) {
    return "http://" + host + ":" + std::to_string(port());
}

bool ReferenceService::reset() {
    return control(L"POST", L"/__zelko/reset", "{}").has_value();
}

bool ReferenceService::route(const std::string& host, const std::string& path,
                             const std::vector<ServiceReply>& replies) {
    std::string json =
        "{\"host\":" + jsonString(host) + ",\"path\":" + jsonString(path) + ",\"replies\":[";
    for (std::size_t i = 0; i < replies.size(); ++i) {
        json += (i ? "," : "") + replyJson(replies[i]);
    }
    json += "]}";
    return control(L"POST", L"/__zelko/route", json).has_value();
}

std::vector<ServiceRequest> ReferenceService::requests() {
    std::vector<ServiceRequest> requests;
    const std::optional<std::string> lines = control(L"GET", L"/__zelko/requests");
    if (!lines) {
        return requests;
    }
    std::istringstream stream(*lines);
    std::string line;
    while (std::getline(stream, line)) {
        const std::size_t first = line.find('\t');
        const std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos) {
            continue;
        }
        requests.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                            line.substr(second + 1)});
    }
    return requests;
}

std::optional<ServiceRequest> ReferenceService::waitForRequest(
    const std::function<bool(const ServiceRequest&)>& match, std::chrono::milliseconds timeout) {
    std::optional<ServiceRequest> found;
    waitUntil(
        [&] {
            for (const ServiceRequest& request : requests()) {
                if (match(request)) {
                    found = request;
                    return true;
                }
            }
            return false;
        },
        timeout, std::chrono::milliseconds(50));
    return found;
}

std::string pathOf(const std::string& target) {
    return target.substr(0, target.find('?'));
}

}  // namespace zelko::test

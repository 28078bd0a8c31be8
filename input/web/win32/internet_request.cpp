#include "web/win32/internet_request.h"

#include <vector>

namespace zelko {

namespace {

void setTimeouts(HINTERNET handle) {
    DWORD timeout = kInternetTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
        InternetSetOptionW(handle, option, &timeout, sizeof timeout);
    }
}

struct UrlParts {
    INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query
};

std::optional<UrlParts> crackUrl(const std::wstring& address) {
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof components;
    // Non-null lengths ask for pointers into `address` itself.
    components.dwSchemeLength = 1;
    components.dwHostNameLength = 1;
    components.dwUrlPathLength = 1;
    components.dwExtraInfoLength = 1;
    if (address.empty() || !InternetCrackUrlW(address.c_str(), 0, 0, &components)) {
        return std::nullopt;
    }
    if ((components.nScheme != INTERNET_SCHEME_HTTP &&
         components.nScheme != INTERNET_SCHEME_HTTPS) ||
        components.dwHostNameLength == 0) {
        return std::nullopt;
    }
    UrlParts parts;
    parts.scheme = components.nScheme;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.port = components.nPort;
    if (components.lpszUrlPath) {
        parts.object.assign(components.lpszUrlPath, components.dwUrlPathLength);
    }
    if (components.lpszExtraInfo) {
        parts.object.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    }
    if (parts.object.empty()) {
        parts.object = L"/";
    }
    return parts;
}

}  // namespace

std::optional<std::wstring> wideFromAnsi(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length) != length) {
        return std::nullopt;
    }
    return wide;
}

std::optional<InternetRequest> sendGetRequest(const wchar_t* agent, const std::wstring& address,
                                              DWORD flags,
                                              const std::atomic<std::int32_t>& keepGoing) {
    const std::optional<UrlParts> url = crackUrl(address);
    if (!url || keepGoing.load() == 0) {
        return std::nullopt;
    }
    InternetRequest exchange;
    exchange.session.reset(InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!exchange.session) {
        return std::nullopt;
    }
    setTimeouts(exchange.session.get());
    exchange.connection.reset(InternetConnectW(exchange.session.get(), url->host.c_str(), url->port,
                                               nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!exchange.connection) {
        return std::nullopt;
    }
    setTimeouts(exchange.connection.get());
    if (url->scheme == INTERNET_SCHEME_HTTPS) {
        flags |= INTERNET_FLAG_SECURE;
    }
    exchange.request.reset(HttpOpenRequestW(exchange.connection.get(), L"GET", url->object.c_str(),
                                            nullptr, nullptr, nullptr, flags, 0));
    if (!exchange.request) {
        return std::nullopt;
    }
    setTimeouts(exchange.request.get());
    if (!HttpSendRequestW(exchange.request.get(), nullptr, 0, nullptr, 0)) {
        return std::nullopt;
    }
    return exchange;
}

std::optional<DWORD> statusCodeOf(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr)) {
        return std::nullopt;
    }
    return status;
}

}  // namespace zelko

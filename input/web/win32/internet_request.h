#pragma once
// One GET request through WinINet, opened so that its time-outs hold on Windows and under Wine
// alike: the session, the connection and the request each get the five time-outs before the
// request is sent (Wine ignores a receive time-out that is only set on the session).

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "common/win32/internet_handle.h"

namespace zelko {

// Each phase of an exchange (connect, send, receive) may take this long.
inline constexpr DWORD kInternetTimeoutMs = 10000;

struct InternetRequest {
    InternetHandle session;
    InternetHandle connection;
    InternetHandle request;
};

// Opens a session with `agent` (proxy settings of the system), connects to the host of `address`
// (http or https) and sends a GET with `flags` (INTERNET_FLAG_RELOAD, and
// INTERNET_FLAG_NO_AUTO_REDIRECT when redirects are not to be followed). std::nullopt when any step
// fails, including a malformed address or a server that cannot be reached in time, and when
// `keepGoing` is already cleared: a caller told to stop starts no new exchange.
std::optional<InternetRequest> sendGetRequest(const wchar_t* agent, const std::wstring& address,
                                              DWORD flags,
                                              const std::atomic<std::int32_t>& keepGoing);

// The HTTP status code of a sent request, or std::nullopt when it cannot be read.
std::optional<DWORD> statusCodeOf(HINTERNET request);

// `text` in the system ANSI code page as UTF-16; std::nullopt when it cannot be converted.
std::optional<std::wstring> wideFromAnsi(const std::string& text);

}  // namespace zelko

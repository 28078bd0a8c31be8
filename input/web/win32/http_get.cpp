#include "web/win32/http_get.h"

#include "web/body_collector.h"
#include "web/win32/internet_request.h"

namespace zelko {

namespace {

constexpr wchar_t kAgent[] = L"ZELKON";
constexpr DWORD kLocationBufferSize = 1024;

std::optional<std::string> locationOf(HINTERNET request) {
    char location[kLocationBufferSize] = {};
    DWORD size = sizeof location;
    // A value that does not fit the buffer makes the query fail.
    if (!HttpQueryInfoA(request, HTTP_QUERY_LOCATION, location, &size, nullptr)) {
        return std::nullopt;
    }
    return std::string(location, size < sizeof location ? size : sizeof location - 1);
}

}  // namespace

HttpResult httpGet(const std::string& address, bool followRedirects,
                   const std::atomic<std::int32_t>& keepGoing, std::optional<std::string>& answer) {
    answer.reset();
    const std::optional<std::wstring> wideAddress = wideFromAnsi(address);
    if (!wideAddress) {
        return HttpFailed;
    }
    const DWORD flags =
        INTERNET_FLAG_RELOAD | (followRedirects ? 0 : INTERNET_FLAG_NO_AUTO_REDIRECT);
    std::optional<InternetRequest> exchange =
        sendGetRequest(kAgent, *wideAddress, flags, keepGoing);
    if (!exchange) {
        return HttpFailed;
    }
    const std::optional<DWORD> status = statusCodeOf(exchange->request.get());
    if (!status) {
        return HttpFailed;
    }
    if (!followRedirects && (*status == HTTP_STATUS_REDIRECT || *status == HTTP_STATUS_MOVED)) {
        std::optional<std::string> location = locationOf(exchange->request.get());
        if (!location) {
            return HttpFailed;
        }
        answer = std::move(location);
        return HttpRedirect;
    }
    if (*status != HTTP_STATUS_OK) {
        return HttpFailed;
    }

    BodyCollector body;
    char chunk[BodyCollector::kChunkSize];
    DWORD read = 0;
    // A read that fails ends the body: the caller gets what arrived so far.
    while (InternetReadFile(exchange->request.get(), chunk, sizeof chunk, &read) && read > 0) {
        if (!body.append(std::string_view(chunk, read))) {
            return HttpFailed;
        }
        if (keepGoing.load() == 0) {
            return HttpFailed;
        }
    }
    answer = body.text();
    return HttpBody;
}

}  // namespace zelko

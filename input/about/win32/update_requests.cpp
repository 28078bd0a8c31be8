#include "about/win32/update_requests.h"

#include <windows.h>
#include <wininet.h>

#include <functional>
#include <string_view>

#include "about/download_check.h"
#include "about/update_reply.h"
#include "about/win32/temporary_file.h"
#include "web/body_collector.h"
#include "web/server_addresses.h"
#include "web/win32/internet_request.h"

namespace zelko {

namespace {

constexpr wchar_t kAgent[] = L"ZELKOVER";
constexpr char kUpdateInfoPath[] = "/drivers/update.php";
constexpr char kSupportPagePath[] = "/drivers.php";
constexpr char kInstallerFileName[] = "ZelkoInstall.exe";
constexpr DWORD kTempPathBufferSize = 1023;

// Redirects are followed; only the final answer counts.
std::optional<InternetRequest> sendUpdateRequest(const std::string& address,
                                                 const std::atomic<std::int32_t>& keepGoing) {
    const std::optional<std::wstring> wideAddress = wideFromAnsi(address);
    if (!wideAddress || wideAddress->empty()) {
        return std::nullopt;
    }
    return sendGetRequest(kAgent, *wideAddress, INTERNET_FLAG_RELOAD, keepGoing);
}

std::optional<std::string> contentLengthOf(HINTERNET request) {
    char value[64] = {};
    DWORD size = sizeof value;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr)) {
        return std::nullopt;
    }
    return std::string(value, size < sizeof value ? size : sizeof value - 1);
}

// Reads the body chunk by chunk into `take` until it ends. False when a read fails (a broken
// transfer), `keepGoing` is cleared or `take` refuses a chunk. Returns the bytes read in `size`.
bool readBody(HINTERNET request, const std::atomic<std::int32_t>& keepGoing,
              const std::function<bool(std::string_view)>& take, std::uint64_t& size) {
    char chunk[BodyCollector::kChunkSize];
    size = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, chunk, sizeof chunk, &read)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        size += read;
        if (!take(std::string_view(chunk, read)) || keepGoing.load() == 0) {
            return false;
        }
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

unsigned fetchUpdateInfo(std::string& installerAddress,
                         const std::atomic<std::int32_t>& keepGoing) {
    installerAddress.clear();
    std::optional<InternetRequest> exchange =
        sendUpdateRequest(std::string(build::kUpdateServer) + kUpdateInfoPath, keepGoing);
    // An error page (404, 500) is not update information, whatever its first line says.
    if (!exchange) {
        return 0;
    }
    const std::optional<DWORD> status = statusCodeOf(exchange->request.get());
    if (!status || *status != HTTP_STATUS_OK) {
        return 0;
    }
    BodyCollector body;
    std::uint64_t size = 0;
    if (!readBody(
            exchange->request.get(), keepGoing,
            [&](std::string_view chunk) { return body.append(chunk); }, size)) {
        return 0;
    }
    const std::optional<std::string> length = contentLengthOf(exchange->request.get());
    if (!bodyIsWhole(length ? std::optional<std::string_view>(*length) : std::nullopt, size)) {
        return 0;
    }
    const UpdateReply reply = parseUpdateReply(body.text().value_or(std::string()));
    if (reply.installerAddress) {
        installerAddress = *reply.installerAddress;
    }
    return reply.version;
}

int downloadFile(const std::string& address, const std::string& path,
                 const std::atomic<std::int32_t>& keepGoing) {
    const std::optional<std::wstring> target = wideFromAnsi(path);
    const std::optional<std::wstring> folder = wideFromAnsi(folderOf(path));
    if (!target || target->empty() || !folder) {
        return 0;
    }
    std::optional<InternetRequest> exchange = sendUpdateRequest(address, keepGoing);
    if (!exchange) {
        return 0;
    }
    const std::optional<DWORD> status = statusCodeOf(exchange->request.get());
    const std::optional<std::string> length = contentLengthOf(exchange->request.get());
    DownloadCheck check(status.value_or(0),
                        length ? std::optional<std::string_view>(*length) : std::nullopt);
    if (!check.worthReading()) {
        return 0;
    }
    std::optional<TemporaryFile> file = TemporaryFile::createIn(*folder);
    if (!file) {
        return 0;
    }
    std::uint64_t size = 0;
    const bool ended = readBody(
        exchange->request.get(), keepGoing,
        [&](std::string_view chunk) { return check.take(chunk) && file->write(chunk); }, size);
    if (!ended || !check.whole()) {
        return 0;  // the temporary file goes with `file`
    }
    return file->commitAs(*target) ? 1 : 0;
}

std::optional<std::string> installerDownloadPath() {
    char folder[kTempPathBufferSize] = {};
    const DWORD length = GetTempPathA(kTempPathBufferSize, folder);
    if (length == 0 || length >= kTempPathBufferSize) {
        return std::nullopt;
    }
    std::string path(folder, length);
    if (path.back() != '\\') {
        path += '\\';
    }
    return path + kInstallerFileName;
}

std::string supportPageAddress() {
    return std::string(build::kUpdateServer) + kSupportPagePath;
}

}  // namespace zelko

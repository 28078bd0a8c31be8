// The auto-login worker over scripted answers: the scanned code, every HTTP result, body and
// Location value, the user's input and the moment of a shut-down all come from the fuzz input.
// The fake HTTP GET keeps the contract of the real one: an answer ends at its first NUL byte, a
// Location value of more than 1023 bytes fails, a redirect is only returned when redirects are not
// followed, an empty body is no answer, and a body read after the stop fails.
//
// Properties of the site resolution: a code that is not usable is never requested; the first
// request is the scan's own safe address; every request of the resolution leaves redirects to the
// caller; it ends within its hop bound (the scan's address, at most 20 redirects, and the service's
// fromzelko.php); a fromzelko.php request goes only to one of the service's origins, found in the
// redirect target just answered, and carries the pen id and the barcode percent-encoded; a site
// address is never empty, holds at most 255 bytes, and is either the last address that answered
// 200 or the first line of the service's answer.
//
// Properties of the whole flow (run twice, the second time over the records of the first):
// nothing is handed to the main thread after the stop; every address handed over is the scan's
// ordinary address or a page of the service base with a percent-encoded one-time identifier; a
// fallback or a cancel hands over exactly the ordinary address once; a login hands over the login
// page last (after the preparation page when the service asked for it) and empties the scan list;
// the flow makes a bounded number of requests and ends.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "autologin/auto_login_flow.h"
#include "autologin/service_requests.h"
#include "common/fuzz/fuzz_check.h"
#include "scan/scan_address.h"
#include "scan/scan_code.h"
#include "web/text_lines.h"

namespace {

using namespace zelko;

const ServiceAddresses kService{"http://service.zelko.example/autologin/",
                                {"http://service.zelko.example", "http://192.0.2.10",
                                 "http://192.0.2.11", "http://192.0.2.12"}};

constexpr std::size_t kLongestLocation = 1023;
constexpr std::string_view kFromZelko = "/command/fromzelko.php?penid=";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isEncodedValue(std::string_view text) {
    for (const char c : text) {
        const bool kept = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                          (c >= 'A' && c <= 'Z') || c == '-' || c == '.' || c == '_' || c == '+' ||
                          c == '%';
        if (!kept) {
            return false;
        }
    }
    return true;
}

struct Request {
    std::string address;
    bool followRedirects = false;
    HttpResult result = HttpFailed;
    std::optional<std::string> answer;
    bool afterStop = false;
};

// Everything the scripted world does, in the order the worker meets it.
class ScriptedWorld : public AutoLoginPort {
  public:
    ScriptedWorld(FuzzedDataProvider& provider, std::atomic<std::int32_t>& keepRunning)
        : provider_(provider), keepRunning_(keepRunning) {
        stopAtEvent_ = provider_.ConsumeIntegralInRange<int>(0, 40);
    }

    HttpGet httpGet() {
        return
            [this](const std::string& address, bool followRedirects,
                   const std::atomic<std::int32_t>& keepGoing, std::optional<std::string>& answer) {
                Request request{address, followRedirects, HttpFailed, std::nullopt,
                                keepGoing.load() == 0};
                answer.reset();
                request.result = scriptedResult(followRedirects, keepGoing, answer);
                request.answer = answer;
                requests.push_back(request);
                event();
                return request.result;
            };
    }

    // AutoLoginPort
    bool requestInput(LoginRecord& candidate) override {
        event();
        if (provider_.ConsumeIntegralInRange<int>(0, 7) == 0) {
            return false;  // the request could not be handed to the main thread
        }
        candidate_ = &candidate;
        state_ = 1;
        pollsLeft_ = provider_.ConsumeIntegralInRange<int>(0, 4);
        ++inputRequests;
        return true;
    }
    std::int32_t inputState() const override { return state_; }
    bool inputAccepted() const override { return accepted_; }
    bool openAddress(const std::string& address) override {
        handedOver.push_back(address);
        handedWhileRunning.push_back(keepRunning_.load() != 0);
        event();
        return true;
    }
    void emptyScanList() override { ++scanListsEmptied; }
    std::uint64_t tickCount() const override { return clock_; }
    void sleep(std::uint32_t milliseconds) override {
        clock_ += milliseconds;
        ++sleeps;
        event();
        if (state_ != 0 && pollsLeft_-- <= 0) {
            // The user closes the window: values typed for the shown fields, accepted or not.
            for (LoginField& field : candidate_->fields) {
                if (isShownField(field.fieldType)) {
                    field.fieldValue = provider_.ConsumeRandomLengthString(64);
                }
            }
            accepted_ = provider_.ConsumeBool();
            state_ = 0;
        }
    }

    std::vector<Request> requests;
    std::vector<std::string> handedOver;
    std::vector<bool> handedWhileRunning;
    int scanListsEmptied = 0;
    int inputRequests = 0;
    int sleeps = 0;

  private:
    HttpResult scriptedResult(bool followRedirects, const std::atomic<std::int32_t>& keepGoing,
                              std::optional<std::string>& answer) {
        if (provider_.remaining_bytes() == 0) {
            return HttpFailed;  // nothing scripted: the server cannot be reached
        }
        const auto result = static_cast<HttpResult>(provider_.ConsumeIntegralInRange<int>(0, 2));
        std::string text = provider_.ConsumeRandomLengthString(1100);
        text = text.substr(0, text.find('\0'));
        switch (result) {
            case HttpFailed:
                return HttpFailed;
            case HttpRedirect:
                // Followed redirects end in another status, which fails; a Location value that
                // does not fit the buffer fails too.
                if (followRedirects || text.size() > kLongestLocation) {
                    return HttpFailed;
                }
                answer = text;
                return HttpRedirect;
            case HttpBody:
                if (keepGoing.load() == 0 && !text.empty()) {
                    return HttpFailed;  // the stop is seen after the first chunk
                }
                if (!text.empty()) {
                    answer = text;
                }
                return HttpBody;
        }
        return HttpFailed;
    }

    void event() {
        if (++events_ == stopAtEvent_) {
            keepRunning_.store(0);
        }
    }

    FuzzedDataProvider& provider_;
    std::atomic<std::int32_t>& keepRunning_;
    int stopAtEvent_ = 0;
    int events_ = 0;
    std::uint64_t clock_ = 0;
    LoginRecord* candidate_ = nullptr;
    std::int32_t state_ = 0;
    int pollsLeft_ = 0;
    bool accepted_ = false;
};

ScannedCode scannedCode(std::string code) {
    ScannedCode scan;
    scan.code = std::move(code);
    splitScanCode(scan.code, nullptr, &scan.penId, &scan.barcode);
    return scan;
}

void checkResolution(const ScannedCode& scan, const std::optional<std::string>& site,
                     const std::vector<Request>& requests) {
    const std::string ordinary = addressForScan(scan.code);
    if (ordinary.empty()) {
        FUZZ_CHECK(requests.empty());
        FUZZ_CHECK(!site);
        return;
    }
    FUZZ_CHECK(!requests.empty());
    FUZZ_CHECK(requests.size() <= 1 + static_cast<std::size_t>(kMaxRedirects) + 1);
    FUZZ_CHECK(requests.front().address == urlSafeAddress(ordinary));
    for (const Request& request : requests) {
        FUZZ_CHECK(!request.followRedirects);
        FUZZ_CHECK(request.address.find('\0') == std::string::npos);
    }
    // Every request but the first follows a redirect; only the last may ask the service.
    for (std::size_t i = 1; i < requests.size(); ++i) {
        FUZZ_CHECK(requests[i - 1].result == HttpRedirect);
        const std::string target =
            redirectTarget(requests[i - 1].address, requests[i - 1].answer.value_or(""));
        const std::string* origin = serviceOriginIn(target, kService.origins);
        if (origin) {
            FUZZ_CHECK(i + 1 == requests.size());
            FUZZ_CHECK(requests[i].address == fromZelkoAddress(*origin, scan.penId, scan.barcode));
            const std::string_view query =
                std::string_view(requests[i].address).substr(origin->size() + kFromZelko.size());
            const std::size_t barcodeKey = query.find("&barcode=");
            FUZZ_CHECK(barcodeKey != std::string_view::npos);
            FUZZ_CHECK(isEncodedValue(query.substr(0, barcodeKey)));
            FUZZ_CHECK(isEncodedValue(query.substr(barcodeKey + 9)));
        } else {
            FUZZ_CHECK(requests[i].address == target);
            FUZZ_CHECK(!requests[i].afterStop);
        }
    }
    if (!site) {
        return;
    }
    FUZZ_CHECK(!site->empty());
    FUZZ_CHECK(site->size() <= kMaxSiteAddressLength);
    FUZZ_CHECK(site->find('\0') == std::string::npos);
    const Request& last = requests.back();
    const bool askedTheService =
        requests.size() > 1 &&
        serviceOriginIn(redirectTarget(requests[requests.size() - 2].address,
                                       requests[requests.size() - 2].answer.value_or("")),
                        kService.origins) != nullptr;
    if (askedTheService) {
        FUZZ_CHECK(last.result != HttpFailed && last.answer.has_value());
        std::string firstLine;
        copyFirstLine(*last.answer, firstLine);
        FUZZ_CHECK(*site == firstLine);
    } else {
        FUZZ_CHECK(last.result == HttpBody);
        FUZZ_CHECK(*site == last.address);
    }
}

// The one-time identifier of an address "<base><page>?oid=<encoded>" or nothing.
bool isServicePage(std::string_view address, std::string_view page) {
    const std::string prefix = kService.base + std::string(page) + "?oid=";
    return startsWith(address, prefix) && isEncodedValue(address.substr(prefix.size()));
}

void checkFlow(const ScannedCode& scan, AutoLoginOutcome outcome, const ScriptedWorld& world) {
    const std::string ordinary = addressForScan(scan.code);
    for (std::size_t i = 0; i < world.handedOver.size(); ++i) {
        FUZZ_CHECK(world.handedWhileRunning[i]);
        const std::string& address = world.handedOver[i];
        FUZZ_CHECK(address == ordinary || isServicePage(address, "loadandup.php") ||
                   isServicePage(address, "autologin.php"));
    }
    // Resolution, checkenable, regonetime and the download checks of ten seconds.
    FUZZ_CHECK(world.requests.size() <= 1 + kMaxRedirects + 1 + 2 + 12);
    FUZZ_CHECK(world.inputRequests <= 1);
    // The input wait's looks and the download wait's 10 ms slices.
    FUZZ_CHECK(world.sleeps <= 8 + 11 * 100);

    switch (outcome) {
        case AutoLoginOutcome::Fallback:
        case AutoLoginOutcome::Cancelled:
            FUZZ_CHECK(world.handedOver.size() == 1);
            FUZZ_CHECK(world.handedOver[0] == ordinary);
            FUZZ_CHECK(world.scanListsEmptied == 0);
            break;
        case AutoLoginOutcome::LoggedIn:
            FUZZ_CHECK(world.handedOver.size() == 1 || world.handedOver.size() == 2);
            FUZZ_CHECK(isServicePage(world.handedOver.back(), "autologin.php"));
            if (world.handedOver.size() == 2) {
                FUZZ_CHECK(isServicePage(world.handedOver[0], "loadandup.php"));
            }
            FUZZ_CHECK(world.scanListsEmptied == 1);
            break;
        case AutoLoginOutcome::DownloadGaveUp:
            FUZZ_CHECK(world.handedOver.size() == 1);
            FUZZ_CHECK(isServicePage(world.handedOver[0], "loadandup.php"));
            FUZZ_CHECK(world.scanListsEmptied == 0);
            break;
        case AutoLoginOutcome::Stopped:
            FUZZ_CHECK(world.scanListsEmptied == 0);
            FUZZ_CHECK(world.handedOver.empty() ||
                       isServicePage(world.handedOver.back(), "loadandup.php"));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const ScannedCode scan = scannedCode(provider.ConsumeRandomLengthString(255));
    LoginRecordList records;

    {
        std::atomic<std::int32_t> keepRunning{1};
        ScriptedWorld world(provider, keepRunning);
        const AutoLoginEnvironment environment{world.httpGet(), world, keepRunning, kService,
                                               records};
        const std::optional<std::string> site = resolveSiteAddress(environment, scan);
        checkResolution(scan, site, world.requests);
    }

    // The whole flow, twice over the same records: the second scan may find the first one's. The
    // main thread starts it only for a usable code with a first segment.
    std::string prefix;
    if (splitScanCode(scan.code, &prefix, nullptr, nullptr) != 1 || prefix.empty()) {
        return 0;
    }
    for (int run = 0; run < 2; ++run) {
        std::atomic<std::int32_t> keepRunning{1};
        ScriptedWorld world(provider, keepRunning);
        const AutoLoginEnvironment environment{world.httpGet(), world, keepRunning, kService,
                                               records};
        const AutoLoginOutcome outcome = runAutoLogin(environment, scan);
        checkFlow(scan, outcome, world);
        FUZZ_CHECK(records.count() <= static_cast<std::size_t>(run + 1));
    }
    return 0;
}

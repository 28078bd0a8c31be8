#pragma once
// The auto-login worker's whole flow, written over an injected HTTP GET and a small port to the
// main thread, so that every branch runs the same way in the program and in the unit tests.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "autologin/login_record.h"
#include "autologin/service_answers.h"
#include "autologin/service_requests.h"
#include "web/http_result.h"

namespace zelko {

// What the worker needs of the main thread. The worker never touches a window itself.
class AutoLoginPort {
  public:
    virtual ~AutoLoginPort() = default;

    // Shows the login input window for `candidate` (inputRecord, inputState 1, then the request
    // to the main thread). False when the request could not be handed over.
    virtual bool requestInput(LoginRecord& candidate) = 0;
    // The login input window's state: 0 closed, 1 requested, 2 open.
    virtual std::int32_t inputState() const = 0;
    // Whether the values were taken over by the login button; valid once inputState() is 0.
    virtual bool inputAccepted() const = 0;
    // Hands this address to the main thread, which opens it as it stands, in the order handed
    // over. False when it could not be handed over.
    virtual bool openAddress(const std::string& address) = 0;
    // Empties the pen reader's list of kept scans.
    virtual void emptyScanList() = 0;
    // A millisecond clock, and a sleep of the worker.
    virtual std::uint64_t tickCount() const = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

// The parts of the scanned code that started the worker.
struct ScannedCode {
    std::string code;  // the whole text: host/pen id/barcode
    std::string penId;
    std::string barcode;
};

struct AutoLoginEnvironment {
    HttpGet httpGet;
    AutoLoginPort& port;
    // Cleared by the main thread at shut-down; the worker then ends and posts nothing.
    const std::atomic<std::int32_t>& keepRunning;
    ServiceAddresses service;
    LoginRecordList& records;
};

// A site address holds at most this many bytes; a longer one fails the step (it is never cut).
constexpr std::size_t kMaxSiteAddressLength = 255;
// At most this many redirects are followed while the site is resolved.
constexpr int kMaxRedirects = 20;
// The input wait looks at the window's state this often.
constexpr std::uint32_t kInputPollMs = 10;
// The download check is repeated this often, and given up after this long.
constexpr std::uint32_t kDownloadPollMs = 1000;
constexpr std::uint64_t kDownloadGiveUpMs = 10000;

// The address of the site behind the scanned code: "http://" + the code when it answers 200 at
// once; else the redirects are followed one by one (at most kMaxRedirects) to the address that
// answers 200, unless a redirect target contains one of the service's origins: then that origin's
// fromzelko.php names the site in the first line of its answer. std::nullopt on any failure,
// an empty answer of fromzelko.php, a site address longer than kMaxSiteAddressLength, or a stop.
std::optional<std::string> resolveSiteAddress(const AutoLoginEnvironment& environment,
                                              const ScannedCode& scan);

// checkenable.php for the site, read into `candidate`. False on any failure.
bool fetchSiteDefinition(const AutoLoginEnvironment& environment, std::string_view siteAddress,
                         LoginRecord& candidate);

// regonetime.php with the record's values. std::nullopt on any failure.
std::optional<Registration> registerOneTime(const AutoLoginEnvironment& environment,
                                            const LoginRecord& record,
                                            std::string_view siteAddress);

// checkdownloaded.php: true exactly when it answers 200, whatever it says.
bool checkDownloaded(const AutoLoginEnvironment& environment, std::string_view oid);

enum class AutoLoginOutcome {
    LoggedIn,        // the login page was handed over
    Fallback,        // a step failed: the scan was handed over to be opened the ordinary way
    Cancelled,       // the user cancelled the input: opened the ordinary way too
    DownloadGaveUp,  // the preparation page was opened; the download check never succeeded
    Stopped,         // shut-down: nothing more was handed over
};

const char* outcomeName(AutoLoginOutcome outcome);

// The worker's body for one scan. Every failure before the login page is reached, and a cancel,
// hand over "http://" + the code, which the main thread opens exactly as an ordinary scan.
AutoLoginOutcome runAutoLogin(const AutoLoginEnvironment& environment, const ScannedCode& scan);

}  // namespace zelko

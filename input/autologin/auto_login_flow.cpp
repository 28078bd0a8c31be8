#include "autologin/auto_login_flow.h"

#include <algorithm>

#include "scan/scan_address.h"
#include "web/text_lines.h"

namespace zelko {

namespace {

bool keepsRunning(const AutoLoginEnvironment& environment) {
    return environment.keepRunning.load() != 0;
}

HttpResult get(const AutoLoginEnvironment& environment, const std::string& address,
               bool followRedirects, std::optional<std::string>& answer) {
    answer.reset();
    return environment.httpGet(address, followRedirects, environment.keepRunning, answer);
}

std::optional<std::string> fittingSiteAddress(std::string address) {
    if (address.empty() || address.size() > kMaxSiteAddressLength) {
        return std::nullopt;
    }
    return address;
}

// The service's fromzelko.php at `origin` names the site in the first line of its answer.
std::optional<std::string> siteFromService(const AutoLoginEnvironment& environment,
                                           const std::string& origin, const ScannedCode& scan) {
    std::optional<std::string> answer;
    const HttpResult result =
        get(environment, fromZelkoAddress(origin, scan.penId, scan.barcode), false, answer);
    if (result == HttpFailed || !answer) {
        return std::nullopt;
    }
    std::string site;
    copyFirstLine(*answer, site);
    return fittingSiteAddress(std::move(site));
}

bool everyShownFieldFilled(const LoginRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(), [](const LoginField& field) {
        return !isShownField(field.fieldType) || !field.fieldValue.empty();
    });
}

// Sleeps for `milliseconds` in short slices, so that a stop request is seen at once. False when
// the worker is to stop.
bool sleepWhileRunning(const AutoLoginEnvironment& environment, std::uint32_t milliseconds) {
    const std::uint64_t wake = environment.port.tickCount() + milliseconds;
    for (;;) {
        if (!keepsRunning(environment)) {
            return false;
        }
        const std::uint64_t now = environment.port.tickCount();
        if (now >= wake) {
            return true;
        }
        environment.port.sleep(
            static_cast<std::uint32_t>(std::min<std::uint64_t>(wake - now, kInputPollMs)));
    }
}

// Asks the user for the candidate's values. False when the input did not end with the values
// taken over; `stopped` tells a shut-down apart from a cancel.
bool askForValues(const AutoLoginEnvironment& environment, LoginRecord& candidate, bool& stopped) {
    stopped = false;
    if (!keepsRunning(environment)) {
        stopped = true;
        return false;
    }
    if (!environment.port.requestInput(candidate)) {
        return false;
    }
    while (environment.port.inputState() != 0) {
        if (!keepsRunning(environment)) {
            stopped = true;
            return false;
        }
        environment.port.sleep(kInputPollMs);
    }
    if (!keepsRunning(environment)) {
        stopped = true;
        return false;
    }
    return environment.port.inputAccepted() && everyShownFieldFilled(candidate);
}

// The scan goes the ordinary way: "http://" + the code, through the same address rule and output
// mode as any scan. Nothing is handed over once the worker is to stop.
AutoLoginOutcome openTheOrdinaryWay(const AutoLoginEnvironment& environment,
                                    const ScannedCode& scan, AutoLoginOutcome outcome) {
    if (!keepsRunning(environment)) {
        return AutoLoginOutcome::Stopped;
    }
    environment.port.openAddress(addressForScan(scan.code));
    return outcome;
}

}  // namespace

std::optional<std::string> resolveSiteAddress(const AutoLoginEnvironment& environment,
                                              const ScannedCode& scan) {
    // The address an ordinary scan opens, so that a byte such as a space or a quote cannot break
    // the request.
    std::string current = urlSafeAddress(addressForScan(scan.code));
    if (current.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer;
    HttpResult result = get(environment, current, false, answer);
    for (int redirects = 1;; ++redirects) {
        if (result == HttpBody) {
            return fittingSiteAddress(current);
        }
        if (result != HttpRedirect || !answer || answer->empty()) {
            return std::nullopt;
        }
        std::string target = redirectTarget(current, *answer);
        if (const std::string* origin = serviceOriginIn(target, environment.service.origins)) {
            return siteFromService(environment, *origin, scan);
        }
        if (redirects > kMaxRedirects || !keepsRunning(environment)) {
            return std::nullopt;
        }
        current = std::move(target);
        result = get(environment, current, false, answer);
    }
}

bool fetchSiteDefinition(const AutoLoginEnvironment& environment, std::string_view siteAddress,
                         LoginRecord& candidate) {
    std::optional<std::string> answer;
    if (get(environment, checkEnableAddress(environment.service.base, siteAddress), true, answer) !=
        HttpBody) {
        return false;
    }
    return parseSiteDefinition(answer, candidate);
}

std::optional<Registration> registerOneTime(const AutoLoginEnvironment& environment,
                                            const LoginRecord& record,
                                            std::string_view siteAddress) {
    std::optional<std::string> answer;
    if (get(environment, registrationAddress(environment.service.base, record, siteAddress), true,
            answer) != HttpBody) {
        return std::nullopt;
    }
    return parseRegistration(answer);
}

bool checkDownloaded(const AutoLoginEnvironment& environment, std::string_view oid) {
    std::optional<std::string> answer;
    return get(environment, checkDownloadedAddress(environment.service.base, oid), true, answer) ==
           HttpBody;
}

const char* outcomeName(AutoLoginOutcome outcome) {
    switch (outcome) {
        case AutoLoginOutcome::LoggedIn:
            return "logged-in";
        case AutoLoginOutcome::Fallback:
            return "fallback";
        case AutoLoginOutcome::Cancelled:
            return "cancelled";
        case AutoLoginOutcome::DownloadGaveUp:
            return "download-gave-up";
        case AutoLoginOutcome::Stopped:
            return "stopped";
    }
    return "unknown";
}

AutoLoginOutcome runAutoLogin(const AutoLoginEnvironment& environment, const ScannedCode& scan) {
    const std::optional<std::string> site = resolveSiteAddress(environment, scan);
    if (!site) {
        return openTheOrdinaryWay(environment, scan, AutoLoginOutcome::Fallback);
    }
    LoginRecord candidate;
    if (!fetchSiteDefinition(environment, *site, candidate)) {
        return openTheOrdinaryWay(environment, scan, AutoLoginOutcome::Fallback);
    }
    candidate.penId = scan.penId;

    const LoginRecord* toRegister =
        environment.records.findByKeyAndPen(candidate.siteKey, scan.penId);
    if (toRegister && !sameDefinition(candidate, *toRegister)) {
        // The definition changed: this pen's stale record goes; the new values take its place.
        environment.records.remove(*toRegister);
        toRegister = nullptr;
    }
    if (!toRegister) {
        bool stopped = false;
        if (!askForValues(environment, candidate, stopped)) {
            return stopped ? AutoLoginOutcome::Stopped
                           : openTheOrdinaryWay(environment, scan, AutoLoginOutcome::Cancelled);
        }
        LoginRecord& added = environment.records.append();
        added = candidate;
        toRegister = &added;
    }

    const std::optional<Registration> registration =
        registerOneTime(environment, *toRegister, *site);
    if (!registration) {
        return openTheOrdinaryWay(environment, scan, AutoLoginOutcome::Fallback);
    }
    if (!keepsRunning(environment)) {
        return AutoLoginOutcome::Stopped;
    }
    const std::string& base = environment.service.base;
    if (registration->needUrl) {
        environment.port.openAddress(preparationPageAddress(base, registration->oid));
        const std::uint64_t start = environment.port.tickCount();
        while (!checkDownloaded(environment, registration->oid)) {
            if (!keepsRunning(environment)) {
                return AutoLoginOutcome::Stopped;
            }
            if (environment.port.tickCount() - start >= kDownloadGiveUpMs) {
                return AutoLoginOutcome::DownloadGaveUp;
            }
            if (!sleepWhileRunning(environment, kDownloadPollMs)) {
                return AutoLoginOutcome::Stopped;
            }
        }
        if (!keepsRunning(environment)) {
            return AutoLoginOutcome::Stopped;
        }
    }
    environment.port.openAddress(loginPageAddress(base, registration->oid));
    environment.port.emptyScanList();
    return AutoLoginOutcome::LoggedIn;
}

}  // namespace zelko

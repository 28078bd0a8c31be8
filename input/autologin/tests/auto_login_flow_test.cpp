#include "autologin/auto_login_flow.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zelko {
namespace {

using Strings = std::vector<std::string>;

const std::string kBase = "http://svc.test/autologin/";
const std::vector<std::string> kOrigins = {"http://svc.test", "http://10.0.0.2", "http://10.0.0.3",
                                           "http://10.0.0.4"};
const std::string kCode = "shop.test/PEN1/4901234567894";
const std::string kScanAddress = "http://" + kCode;
const std::string kOid = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
const std::string kDefinition =
    "17\r\nshop\r\nShop\r\nuser,20,text,User\r\npass,16,password,Pass\r\n"
    "back,0,next,Back\r\ntoken,0,hidden,Token\r\n";

std::string encodedSite(const std::string& site) {
    std::string encoded;
    for (char c : site) {
        if (c == ':') {
            encoded += "%3A";
        } else if (c == '/') {
            encoded += "%2F";
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string checkEnableFor(const std::string& site) {
    return kBase + "checkenable.php?hp=" + encodedSite(site);
}

std::string registrationFor(const std::string& site, const std::string& user = "taro",
                            const std::string& pass = "secret") {
    return kBase + "regonetime.php?uid=17&user=" + user + "&pass=" + pass +
           "&back=" + encodedSite(site);
}

struct Reply {
    HttpResult result = HttpFailed;
    std::optional<std::string> answer;
};

Reply body(std::optional<std::string> text) {
    return Reply{HttpBody, std::move(text)};
}
Reply redirect(std::string location) {
    return Reply{HttpRedirect, std::move(location)};
}
const Reply kFailed{};

// HTTP answers scripted per address and redirect rule; each list is answered in turn, the last
// one repeated. Anything not scripted fails, as an unreachable server does.
class ScriptedHttp {
  public:
    void on(const std::string& address, bool followRedirects, std::vector<Reply> replies) {
        scripts_[{address, followRedirects}] = Script{std::move(replies), 0};
    }

    HttpGet function() {
        return [this](const std::string& address, bool followRedirects,
                      const std::atomic<std::int32_t>&, std::optional<std::string>& answer) {
            requests.push_back(address);
            if (onRequest) {
                onRequest(address);
            }
            auto found = scripts_.find({address, followRedirects});
            if (found == scripts_.end()) {
                return HttpFailed;
            }
            Script& script = found->second;
            const Reply& reply = script.replies[std::min(script.next++, script.replies.size() - 1)];
            if (reply.result != HttpFailed) {
                answer = reply.answer;
            }
            return reply.result;
        };
    }

    std::size_t count(const std::string& address) const {
        return static_cast<std::size_t>(std::count(requests.begin(), requests.end(), address));
    }

    Strings requests;
    std::function<void(const std::string&)> onRequest;

  private:
    struct Script {
        std::vector<Reply> replies;
        std::size_t next = 0;
    };
    std::map<std::pair<std::string, bool>, Script> scripts_;
};

// The main thread as the worker sees it, with a user who answers the login input window at the
// worker's first look (or never), and a clock that moves only when the worker sleeps.
class FakeMainThread : public AutoLoginPort {
  public:
    struct Opened {
        std::string address;
        std::uint64_t at = 0;
    };

    bool requestInput(LoginRecord& candidate) override {
        ++inputRequests;
        shownFields.clear();
        for (const LoginField& field : candidate.fields) {
            if (isShownField(field.fieldType)) {
                shownFields.push_back(field.fieldName);
            }
        }
        if (!inputCanBeRequested) {
            return false;
        }
        record_ = &candidate;
        state_ = 1;
        return true;
    }
    std::int32_t inputState() const override { return state_; }
    bool inputAccepted() const override { return accepted_; }
    bool openAddress(const std::string& address) override {
        opened.push_back({address, clock});
        return true;
    }
    void emptyScanList() override { ++scanListsEmptied; }
    std::uint64_t tickCount() const override { return clock; }
    void sleep(std::uint32_t milliseconds) override {
        clock += milliseconds;
        if (state_ == 0) {
            return;
        }
        ++inputPolls;
        if (stopAtInputPoll && inputPolls == stopAtInputPoll) {
            keepRunning->store(0);
        }
        if (!userAnswers) {
            return;
        }
        // The window writes the values of the shown fields in order, then closes.
        std::size_t next = 0;
        for (LoginField& field : record_->fields) {
            if (isShownField(field.fieldType) && next < typedValues.size()) {
                field.fieldValue = typedValues[next++];
            }
        }
        accepted_ = userAccepts;
        state_ = 0;
    }

    Strings openedAddresses() const {
        Strings addresses;
        for (const Opened& entry : opened) {
            addresses.push_back(entry.address);
        }
        return addresses;
    }

    // What the user does.
    bool userAnswers = true;
    bool userAccepts = true;
    Strings typedValues = {"taro", "secret"};
    bool inputCanBeRequested = true;
    int stopAtInputPoll = 0;
    std::atomic<std::int32_t>* keepRunning = nullptr;

    // What the worker did.
    int inputRequests = 0;
    int inputPolls = 0;
    Strings shownFields;
    std::vector<Opened> opened;
    int scanListsEmptied = 0;
    std::uint64_t clock = 0;

  private:
    LoginRecord* record_ = nullptr;
    std::int32_t state_ = 0;
    bool accepted_ = false;
};

class AutoLoginFlow : public ::testing::Test {
  protected:
    AutoLoginFlow() {
        mainThread.keepRunning = &keepRunning;
        // The site answers 200 at once and is enabled for auto-login.
        http.on(kScanAddress, false, {body("<html>")});
        http.on(checkEnableFor(kScanAddress), true, {body(kDefinition)});
        http.on(registrationFor(kScanAddress), true, {body(kOid + "\r\n")});
    }

    AutoLoginOutcome run(const std::string& code = kCode) {
        ScannedCode scan;
        scan.code = code;
        const std::size_t first = code.find('/');
        const std::size_t second = code.find('/', first + 1);
        scan.penId = code.substr(first + 1, second - first - 1);
        scan.barcode = code.substr(second + 1);
        const AutoLoginEnvironment environment{http.function(), mainThread, keepRunning,
                                               ServiceAddresses{kBase, kOrigins}, records};
        return runAutoLogin(environment, scan);
    }

    ScriptedHttp http;
    FakeMainThread mainThread;
    std::atomic<std::int32_t> keepRunning{1};
    LoginRecordList records;
};

TEST_F(AutoLoginFlow, SiteAnsweringAtOnceIsLoggedInAfterOneQuestion) {
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(http.requests,
              (Strings{kScanAddress, checkEnableFor(kScanAddress), registrationFor(kScanAddress)}));
    EXPECT_EQ(mainThread.inputRequests, 1);
    // Hidden and next fields are not shown; the hidden one is not sent, the next one is sent with
    // the site address (see registrationFor).
    EXPECT_EQ(mainThread.shownFields, (Strings{"user", "pass"}));
    EXPECT_EQ(mainThread.openedAddresses(), Strings{kBase + "autologin.php?oid=" + kOid});
    EXPECT_EQ(mainThread.scanListsEmptied, 1);
    ASSERT_EQ(records.count(), 1u);
    const LoginRecord& stored = records.records().front();
    EXPECT_EQ(stored.penId, "PEN1");
    EXPECT_EQ(stored.siteKey, "shop");
    EXPECT_EQ(stored.fields[0].fieldValue, "taro");
    EXPECT_EQ(stored.fields[1].fieldValue, "secret");
    EXPECT_EQ(stored.fields[2].fieldValue, "") << "the next field keeps no value of its own";
}

TEST_F(AutoLoginFlow, SecondScanOfTheSameSiteAndPenAsksNothing) {
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(mainThread.inputRequests, 1);
    EXPECT_EQ(http.count(registrationFor(kScanAddress)), 2u) << "the stored values are sent";
    EXPECT_EQ(records.count(), 1u);
    EXPECT_EQ(mainThread.opened.size(), 2u);
}

TEST_F(AutoLoginFlow, AnotherPenIsAskedAgainAndBothRecordsAreKept) {
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    const std::string otherPen = "shop.test/PEN2/4901234567894";
    http.on("http://" + otherPen, false, {body("<html>")});
    http.on(checkEnableFor("http://" + otherPen), true, {body(kDefinition)});
    http.on(registrationFor("http://" + otherPen, "jiro", "pw2"), true, {body(kOid)});
    mainThread.typedValues = {"jiro", "pw2"};
    ASSERT_EQ(run(otherPen), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(mainThread.inputRequests, 2);
    ASSERT_EQ(records.count(), 2u);
    EXPECT_EQ(records.records().front().penId, "PEN1");
    EXPECT_EQ(records.records().back().penId, "PEN2");
}

TEST_F(AutoLoginFlow, ChangedDefinitionAsksAgainAndReplacesOnlyThisPensRecord) {
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    // Another pen's record of the same site, stored after this pen's.
    LoginRecord& otherPen = records.append();
    otherPen = records.records().front();
    otherPen.penId = "PEN2";
    // The site's key now comes in another letter case, and the password field got longer.
    http.on(checkEnableFor(kScanAddress), true,
            {body("17\r\nSHOP\r\nShop\r\nuser,20,text,User\r\npass,32,password,Pass\r\n"
                  "back,0,next,Back\r\ntoken,0,hidden,Token\r\n")});
    mainThread.typedValues = {"taro", "longer"};
    http.on(registrationFor(kScanAddress, "taro", "longer"), true, {body(kOid)});
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(mainThread.inputRequests, 2);
    ASSERT_EQ(records.count(), 2u);
    EXPECT_EQ(records.records().front().penId, "PEN2") << "the other pen's record stays";
    const LoginRecord& renewed = records.records().back();
    EXPECT_EQ(renewed.penId, "PEN1");
    EXPECT_EQ(renewed.siteKey, "SHOP");
    EXPECT_EQ(renewed.fields[1].fieldValue, "longer");
    // The next scan finds the renewed record and asks nothing.
    ASSERT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(mainThread.inputRequests, 2);
}

TEST_F(AutoLoginFlow, TwoOrdinaryRedirectsLeadToTheSiteThatAnswers) {
    http.on(kScanAddress, false, {redirect("http://a.test/one")});
    http.on("http://a.test/one", false, {redirect("/two?x=1")});
    const std::string site = "http://a.test/two?x=1";
    http.on(site, false, {body("<html>")});
    http.on(kBase + "checkenable.php?hp=http%3A%2F%2Fa.test%2Ftwo%3Fx%3D1", true,
            {body(kDefinition)});
    http.on(
        kBase +
            "regonetime.php?uid=17&user=taro&pass=secret&back=http%3A%2F%2Fa.test%2Ftwo%3Fx%3D1",
        true, {body(kOid)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(http.requests.size(), 5u);
    EXPECT_EQ(http.requests[2], site);
}

TEST_F(AutoLoginFlow, RedirectIntoAServiceOriginAsksFromZelkoAndNothingMoreAlongTheChain) {
    http.on(kScanAddress, false, {redirect("http://10.0.0.3/r?to=http%3A%2F%2Felsewhere")});
    const std::string fromZelko =
        "http://10.0.0.3/command/fromzelko.php?penid=PEN1&barcode=4901234567894";
    const std::string site = "http://real.test/login";
    http.on(fromZelko, false, {body(site + "\r\nignored\r\n")});
    http.on(checkEnableFor(site), true, {body(kDefinition)});
    http.on(registrationFor(site), true, {body(kOid)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(http.requests,
              (Strings{kScanAddress, fromZelko, checkEnableFor(site), registrationFor(site)}));
}

TEST_F(AutoLoginFlow, FromZelkoAnsweringWithARedirectNamesTheSiteToo) {
    http.on(kScanAddress, false, {redirect("http://svc.test/go")});
    const std::string site = "http://real.test/login";
    http.on("http://svc.test/command/fromzelko.php?penid=PEN1&barcode=4901234567894", false,
            {redirect(site)});
    http.on(checkEnableFor(site), true, {body(kDefinition)});
    http.on(registrationFor(site), true, {body(kOid)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
}

TEST_F(AutoLoginFlow, ScannedValuesGoPercentEncodedToFromZelko) {
    const std::string code = "shop.test/P&x=1 #/49+01";
    const std::string address = "http://shop.test/P&x=1%20#/49+01";  // the ordinary scan's rule
    http.on(address, false, {redirect("http://10.0.0.2/")});
    http.on("http://10.0.0.2/command/fromzelko.php?penid=P%26x%3D1+%23&barcode=49%2B01", false,
            {kFailed});
    EXPECT_EQ(run(code), AutoLoginOutcome::Fallback);
    EXPECT_EQ(
        http.requests,
        (Strings{address,
                 "http://10.0.0.2/command/fromzelko.php?penid=P%26x%3D1+%23&barcode=49%2B01"}));
    EXPECT_EQ(mainThread.openedAddresses(), Strings{"http://" + code});
}

TEST_F(AutoLoginFlow, RedirectChainOfTwentyHopsIsFollowed) {
    http.on(kScanAddress, false, {redirect("http://loop.test/1")});
    for (int hop = 1; hop < kMaxRedirects; ++hop) {
        http.on("http://loop.test/" + std::to_string(hop), false,
                {redirect("http://loop.test/" + std::to_string(hop + 1))});
    }
    const std::string site = "http://loop.test/" + std::to_string(kMaxRedirects);
    http.on(site, false, {body("<html>")});
    http.on(checkEnableFor(site), true, {body(kDefinition)});
    http.on(registrationFor(site), true, {body(kOid)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
}

TEST_F(AutoLoginFlow, RedirectLoopEndsInTheOrdinaryOpening) {
    http.on(kScanAddress, false, {redirect("http://loop.test/a")});
    http.on("http://loop.test/a", false, {redirect("http://loop.test/b")});
    http.on("http://loop.test/b", false, {redirect("http://loop.test/a")});
    EXPECT_EQ(run(), AutoLoginOutcome::Fallback);
    EXPECT_EQ(http.requests.size(), 1u + kMaxRedirects);
    EXPECT_EQ(mainThread.openedAddresses(), Strings{kScanAddress});
}

TEST_F(AutoLoginFlow, NeedUrlOpensThePreparationPageThenTheLoginPageOnceDownloaded) {
    http.on(registrationFor(kScanAddress), true, {body(kOid + "\r\nNeedURL\r\n")});
    const std::string check = kBase + "checkdownloaded.php?oid=" + kOid;
    http.on(check, true, {kFailed, kFailed, body(std::nullopt)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
    EXPECT_EQ(http.count(check), 3u);
    ASSERT_EQ(mainThread.opened.size(), 2u);
    EXPECT_EQ(mainThread.opened[0].address, kBase + "loadandup.php?oid=" + kOid);
    EXPECT_EQ(mainThread.opened[1].address, kBase + "autologin.php?oid=" + kOid);
    // The check answered on its third poll: the login page follows about two seconds later.
    EXPECT_EQ(mainThread.opened[1].at - mainThread.opened[0].at, 2 * kDownloadPollMs);
    EXPECT_EQ(mainThread.scanListsEmptied, 1);
}

TEST_F(AutoLoginFlow, DownloadCheckGivesUpAfterTenSecondsWithoutTheLoginPage) {
    http.on(registrationFor(kScanAddress), true, {body(kOid + "\r\nneedurl")});
    const std::string check = kBase + "checkdownloaded.php?oid=" + kOid;
    http.on(check, true, {kFailed});
    EXPECT_EQ(run(), AutoLoginOutcome::DownloadGaveUp);
    // Polls at 0, 1, ... 10 s; the last one fails with 10 s passed.
    EXPECT_EQ(http.count(check), 11u);
    ASSERT_EQ(mainThread.openedAddresses(), Strings{kBase + "loadandup.php?oid=" + kOid});
    EXPECT_EQ(mainThread.clock - mainThread.opened[0].at, kDownloadGiveUpMs);
    EXPECT_EQ(mainThread.scanListsEmptied, 0);
}

TEST_F(AutoLoginFlow, ShutDownDuringTheInputWaitEndsWithoutAnything) {
    mainThread.userAnswers = false;
    mainThread.stopAtInputPoll = 5;
    EXPECT_EQ(run(), AutoLoginOutcome::Stopped);
    EXPECT_EQ(mainThread.inputPolls, 5);
    EXPECT_EQ(mainThread.clock, 5 * kInputPollMs) << "the input wait looks every 10 ms";
    EXPECT_TRUE(mainThread.opened.empty());
    EXPECT_EQ(records.count(), 0u);
    EXPECT_EQ(http.requests.size(), 2u);
}

TEST_F(AutoLoginFlow, ShutDownBetweenRedirectsEndsWithoutAnything) {
    http.on(kScanAddress, false, {redirect("http://a.test/one")});
    http.on("http://a.test/one", false, {redirect("http://a.test/two")});
    http.onRequest = [&](const std::string& address) {
        if (address == "http://a.test/one") {
            keepRunning.store(0);
        }
    };
    EXPECT_EQ(run(), AutoLoginOutcome::Stopped);
    EXPECT_EQ(http.requests, (Strings{kScanAddress, "http://a.test/one"}));
    EXPECT_TRUE(mainThread.opened.empty());
}

// A shut-down that does not wait out a request: the request still answers after the stop, and the
// worker asks the user for nothing.
TEST_F(AutoLoginFlow, ShutDownDuringTheDefinitionRequestAsksForNothing) {
    http.onRequest = [&](const std::string& address) {
        if (address == checkEnableFor(kScanAddress)) {
            keepRunning.store(0);
        }
    };
    EXPECT_EQ(run(), AutoLoginOutcome::Stopped);
    EXPECT_EQ(mainThread.inputRequests, 0);
    EXPECT_TRUE(mainThread.opened.empty());
    EXPECT_EQ(records.count(), 0u);
}

TEST_F(AutoLoginFlow, ShutDownDuringTheDownloadWaitEndsAtOnce) {
    http.on(registrationFor(kScanAddress), true, {body(kOid + "\r\nneedurl")});
    const std::string check = kBase + "checkdownloaded.php?oid=" + kOid;
    http.on(check, true, {kFailed});
    http.onRequest = [&](const std::string& address) {
        if (address == check && http.count(check) == 2) {
            keepRunning.store(0);
        }
    };
    EXPECT_EQ(run(), AutoLoginOutcome::Stopped);
    EXPECT_EQ(http.count(check), 2u);
    EXPECT_EQ(mainThread.openedAddresses(), Strings{kBase + "loadandup.php?oid=" + kOid});
    EXPECT_LT(mainThread.clock - mainThread.opened[0].at, 2 * kDownloadPollMs);
}

TEST_F(AutoLoginFlow, SiteAddressOf255BytesIsUsedWhole) {
    const std::string site = "http://shop.test/" + std::string(kMaxSiteAddressLength - 17, 'x');
    ASSERT_EQ(site.size(), kMaxSiteAddressLength);
    http.on(kScanAddress, false, {redirect(site)});
    http.on(site, false, {body("<html>")});
    http.on(checkEnableFor(site), true, {body(kDefinition)});
    http.on(registrationFor(site), true, {body(kOid)});
    EXPECT_EQ(run(), AutoLoginOutcome::LoggedIn);
}

struct FailureCase {
    const char* name;
    std::function<void(ScriptedHttp&, FakeMainThread&)> arrange;
    AutoLoginOutcome outcome;
    bool asked;  // the login input window was requested
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kLongSite = "http://shop.test/" + std::string(kMaxSiteAddressLength - 17, 'x');

class AutoLoginFailure : public AutoLoginFlow, public ::testing::WithParamInterface<FailureCase> {};

// Every failure, and a cancel, opens exactly what an ordinary scan opens, once, and stores nothing
// the user has not confirmed.
TEST_P(AutoLoginFailure, OpensTheScanTheOrdinaryWay) {
    GetParam().arrange(http, mainThread);
    EXPECT_EQ(run(), GetParam().outcome);
    EXPECT_EQ(mainThread.openedAddresses(), Strings{kScanAddress});
    EXPECT_EQ(mainThread.inputRequests, GetParam().asked ? 1 : 0);
    EXPECT_EQ(mainThread.scanListsEmptied, 0);
    if (GetParam().outcome == AutoLoginOutcome::Cancelled) {
        EXPECT_EQ(records.count(), 0u);
    }
}

const std::string kFromZelko =
    "http://10.0.0.2/command/fromzelko.php?penid=PEN1&barcode=4901234567894";

void viaFromZelko(ScriptedHttp& http, Reply reply) {
    http.on(kScanAddress, false, {redirect("http://10.0.0.2/x")});
    http.on(kFromZelko, false, {std::move(reply)});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AutoLoginFailure,
    ::testing::Values(
        FailureCase{
            "SiteUnreachable",
            [](ScriptedHttp& http, FakeMainThread&) { http.on(kScanAddress, false, {kFailed}); },
            AutoLoginOutcome::Fallback, false},
        FailureCase{"RedirectTargetUnreachable",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(kScanAddress, false, {redirect("http://gone.test/")});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"RedirectWithoutLocation",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(kScanAddress, false, {redirect("")});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"SiteAddressLongerThan255Bytes",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(kScanAddress, false, {redirect(kLongSite + "y")});
                        http.on(kLongSite + "y", false, {body("<html>")});
                        http.on(checkEnableFor(kLongSite + "y"), true, {body(kDefinition)});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"FromZelkoUnreachable",
                    [](ScriptedHttp& http, FakeMainThread&) { viaFromZelko(http, kFailed); },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{
            "FromZelkoEmpty",
            [](ScriptedHttp& http, FakeMainThread&) { viaFromZelko(http, body(std::nullopt)); },
            AutoLoginOutcome::Fallback, false},
        FailureCase{"FromZelkoEmptyFirstLine",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        viaFromZelko(http, body("\r\nhttp://real.test/"));
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"FromZelkoSiteLongerThan255Bytes",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        viaFromZelko(http, body(kLongSite + "y\r\n"));
                        http.on(checkEnableFor(kLongSite + "y"), true, {body(kDefinition)});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"CheckEnableUnreachable",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(checkEnableFor(kScanAddress), true, {kFailed});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"CheckEnableEmpty",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(checkEnableFor(kScanAddress), true, {body(std::nullopt)});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"CheckEnableOnlyTwoLines",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(checkEnableFor(kScanAddress), true, {body("17\r\nshop\r\n")});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"CheckEnableUnknownKind",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(
                            checkEnableFor(kScanAddress), true,
                            {body("17\r\nshop\r\nShop\r\nuser,20,text,User\r\nx,1,check,X\r\n")});
                    },
                    AutoLoginOutcome::Fallback, false},
        FailureCase{"RegistrationUnreachable",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(registrationFor(kScanAddress), true, {kFailed});
                    },
                    AutoLoginOutcome::Fallback, true},
        FailureCase{"RegistrationEmpty",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(registrationFor(kScanAddress), true, {body(std::nullopt)});
                    },
                    AutoLoginOutcome::Fallback, true},
        FailureCase{"RegistrationIdOf63Characters",
                    [](ScriptedHttp& http, FakeMainThread&) {
                        http.on(registrationFor(kScanAddress), true,
                                {body(kOid.substr(1) + "\r\nneedurl\r\n")});
                    },
                    AutoLoginOutcome::Fallback, true},
        FailureCase{"UserCancels",
                    [](ScriptedHttp&, FakeMainThread& user) { user.userAccepts = false; },
                    AutoLoginOutcome::Cancelled, true},
        FailureCase{"EmptyValueTakenOver",
                    [](ScriptedHttp&, FakeMainThread& user) {
                        user.typedValues = {"taro", ""};
                    },
                    AutoLoginOutcome::Cancelled, true},
        FailureCase{"InputWindowCannotBeRequested",
                    [](ScriptedHttp&, FakeMainThread& user) { user.inputCanBeRequested = false; },
                    AutoLoginOutcome::Cancelled, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko

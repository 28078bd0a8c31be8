#include "autologin/auto_login_fixture.h"

#include <algorithm>
#include <cstdio>

#include "support/wait.h"

namespace zelko::test {

const std::string kFourFieldDefinition =
    "17\r\nshop-key\r\n"
    "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\xE5\x95\x86\xE5\xBA\x97\r\n"   // テスト商店
    "user,20,text,\xE3\x83\xA6\xE3\x83\xBC\xE3\x82\xB6\xE3\x83\xBC\r\n"  // ユーザー
    "pass,16,password,\xE3\x83\x91\xE3\x82\xB9\xE3\x83\xAF\xE3\x83\xBC\xE3\x83\x89\r\n"  // パスワード
    "back,0,next,\xE6\x88\xBB\xE3\x82\x8A\xE5\x85\x88\r\n"  // 戻り先
    // 隠しフィールドの長い説明: the widest caption, though it is never shown.
    "token,0,hidden,\xE9\x9A\xA0\xE3\x81\x97\xE3\x83\x95\xE3\x82\xA3\xE3\x83\xBC\xE3\x83\xAB"
    "\xE3\x83\x89\xE3\x81\xAE\xE9\x95\xB7\xE3\x81\x84\xE8\xAA\xAC\xE6\x98\x8E\r\n";
const std::wstring kFourFieldTitle = L"テスト商店";
const std::string kOid = "0123456789abcdefABCDEF0123456789abcdefABCDEF0123456789abcdef0123";

void AutoLoginTest::SetUp() {
    ASSERT_EQ(kOid.size(), 64u);
    ASSERT_TRUE(ReferenceService::reset()) << "the reference service does not answer";
    browser.installAsDefault(L"chrome.exe");
}

void AutoLoginTest::startProgram(const std::optional<Settings>& settings) {
    program.emplace(Build::Test);
    if (settings) {
        program->writeSettings(*settings);
    }
    ASSERT_TRUE(program->start());
    ASSERT_TRUE(waitUntil(
        [&] {
            return program->lastTrayState() == 0 &&
                   pen.openHandleCount(std::chrono::milliseconds(50)) == 1 &&
                   pen.openHandleCount() == 1;
        },
        std::chrono::seconds(10)))
        << "the pen was not claimed";
}

std::string AutoLoginTest::siteCode(const std::string& barcode, const std::string& penId,
                                    const std::string& host) {
    return host + ":" + std::to_string(ReferenceService::port()) + "/" + penId + "/" + barcode;
}

void AutoLoginTest::scriptService(const std::string& code, const std::string& definition,
                                  const std::vector<ServiceReply>& registration) {
    const std::size_t path = code.find('/');
    ASSERT_TRUE(ReferenceService::route(code.substr(0, code.find(':')), code.substr(path),
                                        ServiceReply::text("<html>site</html>")));
    ASSERT_TRUE(ReferenceService::route("localhost", "/autologin/checkenable.php",
                                        ServiceReply::text(definition)));
    ASSERT_TRUE(ReferenceService::route("localhost", "/autologin/regonetime.php", registration));
}

long long AutoLoginTest::scan(const std::string& code) {
    long long lastReport = 0;
    EXPECT_TRUE(pen.typeScan(code, {}, &lastReport)) << code;
    return lastReport;
}

Strings AutoLoginTest::autoLoginEvents() const {
    Strings events;
    for (const auto& event : program->events()) {
        if (event.name == "auto-login") {
            events.push_back(event.fields);
        }
    }
    return events;
}

bool AutoLoginTest::waitForAutoLoginEvent(const std::string& wanted,
                                          std::chrono::milliseconds timeout) const {
    return waitUntil(
        [&] {
            for (const std::string& event : autoLoginEvents()) {
                if (event == wanted) {
                    return true;
                }
            }
            return false;
        },
        timeout);
}

HWND AutoLoginTest::waitForLoginWindow(std::chrono::milliseconds timeout) {
    return zelko::test::waitForLoginWindow(program->process().id(), timeout);
}

Strings AutoLoginTest::serviceTargets(const std::string& script) {
    Strings targets;
    for (const ServiceRequest& request : ReferenceService::requests()) {
        if (pathOf(request.target) == "/autologin/" + script) {
            targets.push_back(request.target);
        }
    }
    return targets;
}

void AutoLoginTest::cancelAndWaitForTheOrdinaryOpening(HWND window) {
    const std::size_t opened = openedAddresses().size();
    click(viewLoginWindow(window).cancelButton);
    EXPECT_TRUE(waitUntilGone(window));
    EXPECT_TRUE(waitForOpened(opened + 1));
}

Strings AutoLoginTest::openedAddresses() const {
    Strings addresses;
    for (const OpenedAddress& opened : zelko::test::openedAddresses(browser)) {
        addresses.push_back(opened.address);
    }
    return addresses;
}

bool AutoLoginTest::waitForOpened(std::size_t count, std::chrono::milliseconds timeout) const {
    return waitUntil(
        [&] {
            const Strings addresses = openedAddresses();
            return addresses.size() >= count &&
                   std::none_of(addresses.begin(), addresses.end(),
                                [](const std::string& address) { return address.empty(); });
        },
        timeout);
}

std::string ansiBytes(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::string formEncoded(const std::string& bytes) {
    std::string encoded;
    for (unsigned char byte : bytes) {
        if ((byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
            (byte >= 'A' && byte <= 'Z') || byte == '-' || byte == '.' || byte == '_') {
            encoded += static_cast<char>(byte);
        } else if (byte == ' ') {
            encoded += '+';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            encoded += hex;
        }
    }
    return encoded;
}

}  // namespace zelko::test

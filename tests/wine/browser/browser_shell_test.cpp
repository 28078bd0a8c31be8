// The browser shell (registry, processes and windows, key input) against the fake browser, called
// directly from the test process, which stands in for the resident program's main thread.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/win32/address_bar.h"
#include "browser/win32/browser_window.h"
#include "browser/win32/default_browser.h"
#include "browser/win32/key_input.h"
#include "browser/win32/launch_browser.h"
#include "support/fake_browser_bench.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

using Strings = std::vector<std::string>;

class BrowserShell : public ::testing::Test {
  protected:
    BrowserShell() {
        // AttachThreadInput needs a message queue on this thread, as the main thread has.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
    FakeBrowserBench bench{L"browser-shell"};
};

TEST_F(BrowserShell, LaunchStartsTheRegisteredBrowserWithTheAddressAsOneArgument) {
    bench.installAsDefault(L"chrome.exe");
    ASSERT_TRUE(launchBrowser(L"http://host/abc/123"));
    ASSERT_TRUE(bench.waitForStarts(1, 10s));
    const auto starts = bench.starts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].executable, "chrome.exe");
    EXPECT_EQ(starts[0].arguments, Strings{"http://host/abc/123"});
}

TEST_F(BrowserShell, LaunchFailsWhenTheRegisteredBrowserIsMissing) {
    DefaultBrowserRegistration missing(browserCommandFor(bench.folder() + L"\\missing.exe"));
    EXPECT_FALSE(launchBrowser(L"http://host/abc/123"));
}

struct RegistryCase {
    const char* name;
    std::wstring executable;  // installed and registered as the default
    BrowserKind kind;
};

void PrintTo(const RegistryCase& c, std::ostream* os) {
    *os << c.name;
}

class DefaultBrowserDetection : public BrowserShell,
                                public ::testing::WithParamInterface<RegistryCase> {};

TEST_P(DefaultBrowserDetection, RecognisesTheRegisteredExecutable) {
    bench.installAsDefault(GetParam().executable);
    EXPECT_EQ(detectDefaultBrowser(), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DefaultBrowserDetection,
    ::testing::Values(RegistryCase{"InternetExplorer", L"iexplore.exe", InternetExplorer},
                      RegistryCase{"Sleipnir", L"sleipnir.exe", Sleipnir},
                      RegistryCase{"Firefox", L"FIREFOX.EXE", Firefox},
                      RegistryCase{"Safari", L"Safari.exe", Safari},
                      RegistryCase{"Opera", L"opera.exe", Opera},
                      RegistryCase{"Chrome", L"chrome.exe", Chrome},
                      RegistryCase{"Other", L"otherbrowser.exe", UnknownBrowser}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserShell, UnreadableRegistrationsGiveAnUnknownBrowser) {
    {
        DefaultBrowserRegistration number(REG_DWORD, std::string("\x01\x00\x00\x00", 4));
        EXPECT_EQ(detectDefaultBrowser(), UnknownBrowser);
    }
    {
        // 259 characters and the NUL make 520 bytes: one byte too many.
        DefaultBrowserRegistration tooLong(std::wstring(L"chrome.exe ") + std::wstring(248, L'x'));
        EXPECT_EQ(detectDefaultBrowser(), UnknownBrowser);
    }
    {
        // 258 characters and the NUL make 518 bytes: still read.
        DefaultBrowserRegistration longest(std::wstring(L"chrome.exe ") + std::wstring(247, L'x'));
        EXPECT_EQ(detectDefaultBrowser(), Chrome);
    }
    {
        DefaultBrowserRegistration expandable(L"%ProgramFiles%\\Opera\\opera.exe \"%1\"",
                                              REG_EXPAND_SZ);
        EXPECT_EQ(detectDefaultBrowser(), Opera);
    }
}

TEST_F(BrowserShell, FindsTheFirstSuitableFirefoxWindow) {
    bench.install(L"firefox.exe");
    auto id = bench.startWindows(L"firefox.exe",
                                 {L"--fake-window=MozillaUIWindowClass|ダウンロードマネージャ",
                                  L"--fake-window=MozillaDialogClass|Dialog",
                                  L"--fake-window=MozillaUIWindowClass|Example Page"});
    ASSERT_TRUE(id);
    const auto windows = bench.windowsOf(*id);
    ASSERT_EQ(windows.size(), 3u);

    DWORD processId = 0, threadId = 0;
    EXPECT_EQ(findBrowserWindow(Firefox, &processId, &threadId), windows[2]);
    EXPECT_EQ(processId, *id);
    EXPECT_EQ(threadId, GetWindowThreadProcessId(windows[2], nullptr));
    // Out-parameters are optional.
    EXPECT_EQ(findBrowserWindow(Firefox, nullptr, nullptr), windows[2]);
    // No process of another kind is running.
    EXPECT_EQ(findBrowserWindow(Chrome, nullptr, nullptr), nullptr);
    EXPECT_EQ(findBrowserWindow(UnknownBrowser, nullptr, nullptr), nullptr);
}

TEST_F(BrowserShell, InternetExplorerNeedsAnIEFrameWindow) {
    bench.install(L"iexplore.exe");
    auto id = bench.startWindows(L"iexplore.exe", {L"--fake-window=Internet Explorer_Hidden|"});
    ASSERT_TRUE(id);
    EXPECT_EQ(findBrowserWindow(InternetExplorer, nullptr, nullptr), nullptr);
}

struct DeliveryCase {
    const char* name;
    std::wstring executable;
    std::vector<std::wstring> options;
    const char* chord;
};

void PrintTo(const DeliveryCase& c, std::ostream* os) {
    *os << c.name;
}

class AddressBarDelivery : public BrowserShell,
                           public ::testing::WithParamInterface<DeliveryCase> {};

TEST_P(AddressBarDelivery, CommitsTheAddressInTheRunningBrowser) {
    const DeliveryCase& c = GetParam();
    bench.installAsDefault(c.executable);
    auto id = bench.startWindows(c.executable, c.options);
    ASSERT_TRUE(id);
    const HWND window = bench.windowsOf(*id).at(0);

    ASSERT_TRUE(deliverToAddressBar(L"http://host/abc/123", GetCurrentThreadId()));
    ASSERT_TRUE(bench.waitForCommits(1, 5s));
    EXPECT_EQ(bench.commits(*id), Strings{"http://host/abc/123"});
    EXPECT_EQ(bench.chords(*id), Strings(3, c.chord));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(bench.starts().size(), 1u) << "no new browser process";
}

INSTANTIATE_TEST_SUITE_P(
    Browsers, AddressBarDelivery,
    ::testing::Values(DeliveryCase{"Chrome", L"chrome.exe", {}, "alt-d"},
                      DeliveryCase{
                          "ChromeMinimised", L"chrome.exe", {L"--fake-minimized"}, "alt-d"},
                      DeliveryCase{"Opera", L"opera.exe", {}, "ctrl-l"},
                      DeliveryCase{"InternetExplorer", L"iexplore.exe", {}, "alt-d"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserShell, NoDeliveryWithoutAKnownBrowserOrAnOpenWindow) {
    {
        bench.installAsDefault(L"otherbrowser.exe");
        ASSERT_TRUE(bench.startWindows(L"otherbrowser.exe", {}));
        EXPECT_FALSE(deliverToAddressBar(L"http://host/abc/123", GetCurrentThreadId()));
    }
    {
        DefaultBrowserRegistration chrome(browserCommandFor(bench.install(L"chrome.exe")));
        EXPECT_FALSE(deliverToAddressBar(L"http://host/abc/123", GetCurrentThreadId()));
    }
    EXPECT_TRUE(bench.commits().empty());
}

TEST_F(BrowserShell, TypeTextSendsCharactersTheLayoutLacksAsThemselves) {
    bench.install(L"chrome.exe");
    auto id = bench.startWindows(L"chrome.exe", {});
    ASSERT_TRUE(id);
    const HWND window = bench.windowsOf(*id).at(0);
    SetForegroundWindow(window);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }, 2s));
    pressChord(kChordAltD);

    typeText(L"http://h/p/a(b)c~%41é");
    pressKey(0x0D);
    ASSERT_TRUE(bench.waitForCommits(1, 5s));
    EXPECT_EQ(bench.commits(*id), Strings{"http://h/p/a(b)c~%41\xC3\xA9"});
}

}  // namespace
}  // namespace zelko::test

// The scan notification window, shown by a scan from a simulated pen: centred, topmost, never
// taking the focus, hidden again after its fade, shown once per notification.

#include <gtest/gtest.h>

#include <cstdio>

#include "pensim/simulated_pen.h"
#include "resources/resource_ids.h"
#include "support/resident_program.h"
#include "support/screenshot.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {
namespace {

constexpr int kUsable = 0;
constexpr wchar_t kScanWindowClass[] = L"ZelkaInput ScanWindow";
// A scan that the dispatch does not act on (no slashes), so no browser is involved.
constexpr char kScanText[] = "notify";

HWND scanWindowOf(DWORD processId) {
    return findWindowOf(processId, kScanWindowClass);
}

// A window of the test's own in front, to see that the notification does not take the focus.
class ForegroundWindow {
  public:
    ForegroundWindow() {
        window_ = CreateWindowExW(0, L"EDIT", L"front", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10,
                                  200, 40, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    ~ForegroundWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// Watches the window's visibility until `until`, counting the times it was shown and when it was
// last hidden.
struct VisibilityWatch {
    int timesShown = 0;
    ULONGLONG firstShown = 0;
    ULONGLONG lastHidden = 0;
    bool lostForeground = false;
};

VisibilityWatch watchVisibility(HWND window, HWND foreground, ULONGLONG until) {
    VisibilityWatch watch;
    bool visible = IsWindowVisible(window) != FALSE;
    while (GetTickCount64() < until) {
        pumpMessages();
        bool now = IsWindowVisible(window) != FALSE;
        if (now && !visible) {
            ++watch.timesShown;
            if (watch.firstShown == 0) {
                watch.firstShown = GetTickCount64();
            }
        }
        if (!now && visible) {
            watch.lastHidden = GetTickCount64();
        }
        if (foreground && GetForegroundWindow() != foreground) {
            watch.lostForeground = true;
        }
        visible = now;
        Sleep(2);
    }
    return watch;
}

class ScanWindowTest : public ::testing::Test {
  protected:
    void startWith(bool showDialog) {
        Settings settings;
        settings.showDialog = showDialog;
        settings.playSound = 1;  // the bench has no sound device: PlaySoundW just returns
        program.writeSettings(settings);
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(program.waitForTrayState(kUsable, 10s)) << "the pen was not claimed";
        window = scanWindowOf(program.process().id());
        ASSERT_NE(window, nullptr);
        ASSERT_FALSE(IsWindowVisible(window));
    }
    bool scanned(size_t count) {
        return waitUntil(
            [&] {
                size_t seen = 0;
                for (const auto& event : program.events()) {
                    seen += event.name == "pen-event" && event.fields.rfind("0 ", 0) == 0;
                }
                return seen >= count;
            },
            5s);
    }
    pensim::SimulatedPen pen{L"notify"};
    ResidentProgram program;
    HWND window = nullptr;
};

TEST_F(ScanWindowTest, ScanShowsTheWindowCentredOnTopWithoutTakingTheFocus) {
    startWith(true);
    ForegroundWindow front;
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == front.get(); }, 3s));

    ASSERT_TRUE(pen.typeScan(kScanText));
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3s));
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 200);
    EXPECT_EQ(bounds.bottom - bounds.top, 150);
    EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 150) / 2);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);

    VisibilityWatch watch = watchVisibility(window, front.get(), GetTickCount64() + 2500);
    EXPECT_FALSE(IsWindowVisible(window)) << "still shown 2.5 s after the scan";
    EXPECT_FALSE(watch.lostForeground) << "the notification took the foreground";
    EXPECT_EQ(GetForegroundWindow(), front.get());
    EXPECT_TRUE(scanned(1));
}

TEST_F(ScanWindowTest, SecondScanDuringTheFadeNeitherRestartsNorLengthensIt) {
    startWith(true);
    ASSERT_TRUE(pen.typeScan(kScanText));
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3s));
    const ULONGLONG shown = GetTickCount64();
    while (GetTickCount64() < shown + 500) {
        Sleep(5);
    }
    ASSERT_TRUE(pen.typeScan(kScanText));

    VisibilityWatch watch = watchVisibility(window, nullptr, GetTickCount64() + 2000);
    EXPECT_EQ(watch.timesShown, 0) << "shown again while the first notification ran";
    ASSERT_NE(watch.lastHidden, 0u) << "never hidden";
    // The first notification ends about 0.96 s after it appeared; a restart at the second scan
    // would end it about 1.46 s after.
    EXPECT_LT(watch.lastHidden - shown, 1350u);
    std::printf("notification hidden %llu ms after it was shown\n", watch.lastHidden - shown);
    EXPECT_TRUE(scanned(2));
}

TEST_F(ScanWindowTest, ScanAfterTheWindowHidStartsANewNotification) {
    startWith(true);
    for (int scan = 0; scan < 2; ++scan) {
        ASSERT_TRUE(pen.typeScan(kScanText));
        EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3s)) << scan;
        EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }, 3s)) << scan;
    }
}

TEST_F(ScanWindowTest, NothingIsShownWhenTheNotificationIsOff) {
    startWith(false);
    ASSERT_TRUE(pen.typeScan(kScanText));
    ASSERT_TRUE(scanned(1));
    VisibilityWatch watch = watchVisibility(window, nullptr, GetTickCount64() + 700);
    EXPECT_EQ(watch.timesShown, 0);
}

// The picture on the screen is bitmap 109 of the program, whole; the screenshot is kept.
TEST_F(ScanWindowTest, WindowShowsTheNotificationPicture) {
    startWith(true);
    HMODULE module =
        LoadLibraryExW(program.executablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HBITMAP picture = static_cast<HBITMAP>(LoadImageW(
        module, MAKEINTRESOURCEW(IDB_SCAN_NOTIFICATION), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 200;
    info.bmiHeader.biHeight = -150;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> expected(200 * 150);
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, picture, 0, 150, expected.data(), &info, DIB_RGB_COLORS), 150);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    FreeLibrary(module);

    // The window is up for about a second; a capture that misses it is taken again.
    double matching = 0;
    for (int attempt = 0; attempt < 3 && matching < 0.99; ++attempt) {
        ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }, 3s));
        ASSERT_TRUE(pen.typeScan(kScanText));
        ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3s));
        RECT bounds{};
        GetWindowRect(window, &bounds);
        std::string rgb = captureScreenRgb(bounds);
        if (rgb.size() != expected.size() * 3) {
            continue;
        }
        size_t same = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            DWORD pixel = expected[i];
            same += static_cast<unsigned char>(rgb[3 * i]) == ((pixel >> 16) & 0xFF) &&
                    static_cast<unsigned char>(rgb[3 * i + 1]) == ((pixel >> 8) & 0xFF) &&
                    static_cast<unsigned char>(rgb[3 * i + 2]) == (pixel & 0xFF);
        }
        matching = static_cast<double>(same) / expected.size();
        if (matching >= 0.99) {
            saveScreenshot(L"scan_notification", bounds);
        }
    }
    EXPECT_GE(matching, 0.99) << "the window does not show the notification picture";
}

}  // namespace
}  // namespace zelko::test

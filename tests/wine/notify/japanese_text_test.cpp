// The Japanese texts of the program render as glyphs, not as the boxes of missing ones, and the
// settings dialog on the screen shows its texts (a screenshot is kept for people to look at).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "support/glyphs.h"
#include "support/message_box.h"
#include "support/program_resources.h"
#include "support/resident_program.h"
#include "support/screenshot.h"
#include "support/settings_dialog_driver.h"
#include "support/test_paths.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {
namespace {

// Every text of the shipped program that a user reads: the settings dialog (107) and the tray
// menu (102) from its resources, and the box of a refused second start as the program shows it.
std::vector<std::wstring> shippedTexts() {
    std::vector<std::wstring> texts;
    ProgramResources resources(binDirectory() + L"\\ZelkoInput.exe");
    EXPECT_TRUE(resources.loaded());
    const auto dialog = resources.dialogTexts(IDD_SETTINGS);
    const auto menu = resources.menuTexts(IDR_TRAY_MENU);
    EXPECT_GE(dialog.size(), 10u) << "caption, font and eight controls";
    EXPECT_EQ(menu.size(), 4u) << "the popup and its three items";
    texts.insert(texts.end(), dialog.begin(), dialog.end());
    texts.insert(texts.end(), menu.begin(), menu.end());

    ResidentProgram program(Build::Shipped);
    EXPECT_TRUE(program.start());
    ChildProcess second = program.startAnother();
    HWND box = nullptr;
    EXPECT_TRUE(waitUntil(
        [&] {
            box = findWindowOf(second.id(), L"#32770", nullptr, Visibility::VisibleOnly);
            return box != nullptr && GetDlgItem(box, IDOK) != nullptr;
        },
        10s));
    if (box != nullptr) {
        texts.push_back(messageBoxText(box));
        texts.push_back(windowText(box));
        clickMessageBoxButton(box);
    }
    return texts;
}

TEST(JapaneseText, EveryShippedTextIsDrawnAsGlyphs) {
    const std::vector<std::wstring> texts = shippedTexts();
    for (const wchar_t* face : {L"MS Shell Dlg", L"MS UI Gothic"}) {
        for (const std::wstring& text : texts) {
            EXPECT_EQ(charactersWithoutGlyphs(face, 9, text), L"")
                << "drawn as boxes in " << std::string(face, face + wcslen(face));
        }
    }
}

// Dark pixels (text) in a part of a screen capture of `capture` (region `captured`).
int inkIn(const std::string& rgb, const RECT& captured, const RECT& part) {
    const int width = captured.right - captured.left;
    int ink = 0;
    for (LONG y = std::max(part.top, captured.top); y < std::min(part.bottom, captured.bottom);
         ++y) {
        for (LONG x = std::max(part.left, captured.left); x < std::min(part.right, captured.right);
             ++x) {
            const std::size_t at = 3 * (static_cast<std::size_t>(y - captured.top) * width +
                                        static_cast<std::size_t>(x - captured.left));
            const int luminance = (static_cast<unsigned char>(rgb[at]) * 3 +
                                   static_cast<unsigned char>(rgb[at + 1]) * 6 +
                                   static_cast<unsigned char>(rgb[at + 2])) /
                                  10;
            ink += luminance < 96;
        }
    }
    return ink;
}

// The dialog as it is on the screen: every control with a text shows it (dark pixels where its
// text is drawn), the caption bar too, and the rest of the dialog is not one flat colour.
TEST(JapaneseText, SettingsDialogScreenshot) {
    ResidentProgram program;
    program.writeSettings(Settings{});
    ASSERT_TRUE(program.start());
    HWND dialog = openSettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT bounds{};
    GetWindowRect(dialog, &bounds);

    // Controls with a text, and where the caption is.
    std::vector<std::pair<std::string, RECT>> parts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        if (!windowText(child).empty()) {
            parts.emplace_back("control " + std::to_string(GetDlgCtrlID(child)), rect);
        }
    }
    ASSERT_GE(parts.size(), 8u);
    POINT clientTop{0, 0};
    ClientToScreen(dialog, &clientTop);
    parts.emplace_back("the caption", RECT{bounds.left, bounds.top, bounds.right, clientTop.y});

    // The picture is taken until it shows the dialog drawn (Wine may still be painting).
    std::string rgb;
    std::string unpainted;
    for (int attempt = 0; attempt < 5; ++attempt) {
        rgb = captureScreenRgb(bounds);
        ASSERT_EQ(rgb.size(), static_cast<std::size_t>(3 * (bounds.right - bounds.left) *
                                                       (bounds.bottom - bounds.top)))
            << "no screen capture";
        unpainted.clear();
        for (const auto& [text, rect] : parts) {
            if (inkIn(rgb, bounds, rect) < 10) {
                unpainted = text;
                break;
            }
        }
        if (unpainted.empty()) {
            break;
        }
        Sleep(200);
    }
    EXPECT_TRUE(unpainted.empty()) << "nothing drawn where the screen should show " << unpainted;
    const int allInk = inkIn(rgb, bounds, bounds);
    const int area = (bounds.right - bounds.left) * (bounds.bottom - bounds.top);
    EXPECT_LT(allInk, area / 2) << "the dialog is mostly dark: not drawn";

    std::wstring file = saveScreenshot(L"settings_dialog", bounds);
    EXPECT_FALSE(file.empty()) << "no screenshot kept";
    clickDialogButton(dialog, IDCANCEL);
}

}  // namespace
}  // namespace zelko::test

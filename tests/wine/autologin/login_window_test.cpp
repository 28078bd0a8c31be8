// The login input window as the user sees it: built from the site's definition, its exact layout,
// the keys, the tray click that brings it forward, and its Japanese texts drawn as glyphs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autologin/auto_login_fixture.h"
#include "support/glyph_canvas.h"
#include "support/message_box.h"
#include "support/screenshot.h"
#include "support/tray_menu.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";
constexpr int kFontHeight = 12;

// The captions of the four-field definition, in order (the hidden one is the widest).
const std::vector<std::wstring> kCaptions = {L"ユーザー", L"パスワード", L"戻り先",
                                             L"隠しフィールドの長い説明"};

// The widest caption as the bold font measures it.
int widestCaptionWidth() {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontW(kFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, kFontFace);
    const HGDIOBJ previous = SelectObject(dc, font);
    int widest = -1;
    for (const std::wstring& caption : kCaptions) {
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return widest;
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool hasDarkInk(const std::string& rgb, int width, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            if (at + 2 < rgb.size() && static_cast<unsigned char>(rgb[at]) < 80 &&
                static_cast<unsigned char>(rgb[at + 1]) < 80 &&
                static_cast<unsigned char>(rgb[at + 2]) < 80) {
                return true;
            }
        }
    }
    return false;
}

class AutoLoginWindow : public AutoLoginTest {
  protected:
    // Scans a site of the four-field definition and waits for its login window.
    HWND openLoginWindow() {
        code = siteCode("4989012345671");
        scriptService(code, kFourFieldDefinition, {ServiceReply::text(kOid)});
        startProgram();
        scan(code);
        return waitForLoginWindow();
    }
    std::string code;
};

TEST_F(AutoLoginWindow, ShowsOneCaptionAndEditBoxPerShownFieldInTheExactLayout) {
    const HWND window = openLoginWindow();
    ASSERT_NE(window, nullptr);
    const LoginWindowView view = viewLoginWindow(window);
    EXPECT_EQ(view.title, L"[" + kFourFieldTitle + L"]ログイン");
    EXPECT_EQ(GetWindow(window, GW_OWNER), program->trayWindow());
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUPWINDOW | WS_CAPTION | WS_CLIPCHILDREN),
              static_cast<LONG>(WS_POPUPWINDOW | WS_CAPTION | WS_CLIPCHILDREN));

    // Text and password are shown; next and hidden are not, yet every caption was measured.
    ASSERT_EQ(view.edits.size(), 2u);
    const int labelWidth = widestCaptionWidth();
    const int clientWidth = labelWidth + 184;
    EXPECT_EQ(view.client.right, clientWidth);
    EXPECT_EQ(view.client.bottom, 24 * 2 + 34);
    for (std::size_t row = 0; row < 2; ++row) {
        const RECT edit = childRect(view.edits[row]);
        EXPECT_EQ(edit.left, labelWidth + 16) << row;
        EXPECT_EQ(edit.top, 8 + 24 * static_cast<int>(row)) << row;
        EXPECT_EQ(edit.right - edit.left, 160);
        EXPECT_EQ(edit.bottom - edit.top, 16);
    }
    EXPECT_FALSE(GetWindowLongW(view.edits[0], GWL_STYLE) & ES_PASSWORD);
    EXPECT_TRUE(GetWindowLongW(view.edits[1], GWL_STYLE) & ES_PASSWORD) << "the password is masked";
    EXPECT_EQ(SendMessageW(view.edits[0], EM_GETLIMITTEXT, 0, 0), 20);
    EXPECT_EQ(SendMessageW(view.edits[1], EM_GETLIMITTEXT, 0, 0), 16);

    ASSERT_NE(view.loginButton, nullptr);
    ASSERT_NE(view.cancelButton, nullptr);
    EXPECT_EQ(windowText(view.loginButton), L"ログイン");
    EXPECT_EQ(windowText(view.cancelButton), L"キャンセル");
    const RECT login = childRect(view.loginButton);
    const RECT cancel = childRect(view.cancelButton);
    EXPECT_EQ(login.left, clientWidth - 208);
    EXPECT_EQ(cancel.left, clientWidth - 104);
    for (const RECT& button : {login, cancel}) {
        EXPECT_EQ(button.top, 8 + 24 * 2);
        EXPECT_EQ(button.right - button.left, 96);
        EXPECT_EQ(button.bottom - button.top, 18);
    }
    EXPECT_TRUE(GetWindowLongW(view.loginButton, GWL_STYLE) & BS_DEFPUSHBUTTON);

    // Centred on the screen, in front, with the keyboard focus in the first edit box.
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2);
    EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }, 3s));
    EXPECT_EQ(focusOf(window), view.edits[0]);

    // The two captions are drawn in black beside their edit boxes.
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECT client{origin.x, origin.y, origin.x + clientWidth, origin.y + view.client.bottom};
    const std::string rgb = captureScreenRgb(client);
    ASSERT_FALSE(rgb.empty()) << "no screen capture";
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(hasDarkInk(rgb, clientWidth, 8, 10 + 24 * row, 8 + labelWidth,
                               10 + 24 * row + kFontHeight))
            << "no caption drawn in row " << row;
    }
    // Right of the edit boxes there is only the light background picture.
    EXPECT_FALSE(hasDarkInk(rgb, clientWidth, labelWidth + 16 + 160 + 2, 0, clientWidth - 2,
                            8 + 24 * 2 - 2));

    // Typing stops at the field's maxLength.
    EXPECT_TRUE(typeInto(view.edits[0], std::wstring(25, L'a'), std::wstring(20, L'a')));
    cancelAndWaitForTheOrdinaryOpening(window);
}

TEST_F(AutoLoginWindow, TabMovesToTheNextBoxAndEnterLogsIn) {
    const HWND window = openLoginWindow();
    ASSERT_NE(window, nullptr);
    const LoginWindowView view = viewLoginWindow(window);
    ASSERT_TRUE(waitUntil([&] { return focusOf(window) == view.edits[0]; }, 3s));
    ASSERT_TRUE(typeInto(view.edits[0], L"taro"));
    PostMessageW(view.edits[0], WM_KEYDOWN, VK_TAB, 1);
    ASSERT_TRUE(waitUntil([&] { return focusOf(window) == view.edits[1]; }, 3s))
        << "Tab did not move to the password box";
    ASSERT_TRUE(typeInto(view.edits[1], L"secret"));
    PostMessageW(view.edits[1], WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(waitUntilGone(window)) << "Enter did not press the login button";
    ASSERT_TRUE(waitForOpened(1));
    ASSERT_EQ(serviceTargets("regonetime.php").size(), 1u);
    EXPECT_NE(serviceTargets("regonetime.php")[0].find("&user=taro&pass=secret&"),
              std::string::npos);
}

TEST_F(AutoLoginWindow, TrayClickBringsItForwardInsteadOfTheMenu) {
    const HWND window = openLoginWindow();
    ASSERT_NE(window, nullptr);
    // Another window in front: the test's own.
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"in front", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == other; }, 3s));

    program->postToTray(kTrayIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }, 5s));
    EXPECT_FALSE(popupMenuOpen(program->process().id()));
    DestroyWindow(other);
    cancelAndWaitForTheOrdinaryOpening(window);
}

TEST_F(AutoLoginWindow, JapaneseTextsDrawAsGlyphsAndAScreenshotIsKept) {
    const std::vector<std::wstring> texts = {
        L"ログイン", L"キャンセル", L"[" + kFourFieldTitle + L"]", kCaptions[0], kCaptions[1]};
    for (const int weight : {FW_NORMAL, FW_BOLD}) {
        GlyphCanvas canvas(kFontFace, kFontHeight, weight);
        for (const std::wstring& text : texts) {
            for (const wchar_t character : text) {
                EXPECT_TRUE(canvas.drawsGlyph(character))
                    << "U+" << std::hex << static_cast<int>(character) << " weight " << std::dec
                    << weight;
            }
        }
    }

    const HWND window = openLoginWindow();
    ASSERT_NE(window, nullptr);
    const LoginWindowView view = viewLoginWindow(window);
    ASSERT_TRUE(typeInto(view.edits[0], L"taro"));
    ASSERT_TRUE(typeInto(view.edits[1], L"secret"));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_FALSE(saveScreenshot(L"login_window", bounds).empty()) << "no screenshot taken";
    cancelAndWaitForTheOrdinaryOpening(window);
}

}  // namespace
}  // namespace zelko::test

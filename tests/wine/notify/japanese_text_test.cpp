// The Japanese texts of the settings dialog render as glyphs, not as the boxes of missing ones,
// and a screenshot of the dialog is kept for people to look at.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/resident_program.h"
#include "support/screenshot.h"
#include "support/settings_dialog_driver.h"

namespace zelko::test {
namespace {

constexpr int kCell = 32;

// One character drawn black on white in a cell, as 1-bit-per-pixel rows.
class GlyphCanvas {
  public:
    explicit GlyphCanvas(const wchar_t* face, int pointSize) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kCell;
        info.bmiHeader.biHeight = -kCell;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        SelectObject(dc_, bitmap_);
        int height = -MulDiv(pointSize, GetDeviceCaps(dc_, LOGPIXELSY), 72);
        font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        SelectObject(dc_, font_);
    }
    ~GlyphCanvas() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(font_);
    }

    std::vector<bool> draw(wchar_t character) {
        RECT cell{0, 0, kCell, kCell};
        FillRect(dc_, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        TextOutW(dc_, 2, 2, &character, 1);
        GdiFlush();
        std::vector<bool> ink(kCell * kCell);
        auto* pixels = static_cast<const DWORD*>(bits_);
        for (int i = 0; i < kCell * kCell; ++i) {
            ink[i] = (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
        }
        return ink;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    void* bits_ = nullptr;
};

const wchar_t* const kDialogTexts[] = {
    L"バーコードスキャン成功時のアウトプット",
    L"標準ブラウザの起動引数にＵＲＬをセットして実行する",
    L"標準ブラウザが実行されていれば直接ＵＲＬをセットする",
    L"バーコードスキャン成功時のアクション",
    L"サウンドを再生する",
    L"スキャン成功時、画面上にダイアログを表示する",
    L"適用",
    L"キャンセル",
    L"設定情報終了メニュー",
    L"起動できませんでした",
    L"ゼルコペンミドルウェア",
};

TEST(JapaneseText, DialogFontDrawsEveryCharacterAsAGlyph) {
    for (const wchar_t* face : {L"MS Shell Dlg", L"MS UI Gothic"}) {
        GlyphCanvas canvas(face, 9);
        // A private-use character has no glyph in any font: it shows the missing-glyph box.
        const std::vector<bool> missing = canvas.draw(L'\xE000');
        for (const wchar_t* text : kDialogTexts) {
            for (const wchar_t* c = text; *c; ++c) {
                std::vector<bool> glyph = canvas.draw(*c);
                bool hasInk = false;
                for (bool pixel : glyph) {
                    hasInk = hasInk || pixel;
                }
                EXPECT_TRUE(hasInk) << "nothing drawn for U+" << std::hex << int(*c);
                EXPECT_NE(glyph, missing) << "U+" << std::hex << int(*c) << " drawn as a box in "
                                          << std::string(face, face + wcslen(face));
            }
        }
    }
}

TEST(JapaneseText, SettingsDialogScreenshot) {
    ResidentProgram program;
    program.writeSettings(Settings{});
    ASSERT_TRUE(program.start());
    HWND dialog = openSettingsDialog(program);
    ASSERT_NE(dialog, nullptr);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    std::wstring file = saveScreenshot(L"settings_dialog", bounds);
    EXPECT_FALSE(file.empty()) << "no screenshot taken";
    clickDialogButton(dialog, IDCANCEL);
}

}  // namespace
}  // namespace zelko::test

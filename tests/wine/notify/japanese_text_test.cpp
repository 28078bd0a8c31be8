// The Japanese texts of the settings dialog render as glyphs, not as the boxes of missing ones,
// and a screenshot of the dialog is kept for people to look at.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/glyph_canvas.h"
#include "support/resident_program.h"
#include "support/screenshot.h"
#include "support/settings_dialog_driver.h"

namespace zelko::test {
namespace {

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

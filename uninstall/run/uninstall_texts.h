#pragma once
// The uninstaller's messages.

#include <string>
#include <string_view>

namespace zelko::uninstall_text {

constexpr char16_t kNotInstalled[] = u"ZELKOペンミドルウェアはインストールされていません";
constexpr char16_t kProgramInUse[] =
    u"ZELKOペンミドルウェアを削除できませんでした。\r\n"
    u"タスクトレイにZELKOペンミドルウェアアイコンが表示されている場合は\r\n"
    u"終了してください。";
constexpr char16_t kRegistryNotRemoved[] =
    u"ZELKOペンミドルウェア情報をレジストリから削除できませんでした";
constexpr char16_t kErrorCaption[] = u"エラー";

// The startup shortcut that could not be deleted (held open by another program), named so that the
// user can find it; the install record stays, so that the uninstaller can be run again.
inline std::u16string shortcutNotRemoved(std::u16string_view shortcut) {
    std::u16string text = u"スタートアップのショートカットを削除できませんでした。\r\n";
    text += shortcut;
    text +=
        u"\r\nこのショートカットを開いているプログラムを終了してから、もう一度アンインストールして"
        u"ください。";
    return text;
}

constexpr char16_t kUninstalled[] = u"アンインストールは正常に終了しました";
constexpr char16_t kUninstalledCaption[] = u"アンインストール完了";

}  // namespace zelko::uninstall_text

#pragma once
// The uninstaller's messages.

namespace zelko::uninstall_text {

constexpr char16_t kNotInstalled[] = u"ZELKOペンミドルウェアはインストールされていません";
constexpr char16_t kProgramInUse[] =
    u"ZELKOペンミドルウェアを削除できませんでした。\r\n"
    u"タスクトレイにZELKOペンミドルウェアアイコンが表示されている場合は\r\n"
    u"終了してください。";
constexpr char16_t kRegistryNotRemoved[] =
    u"ZELKOペンミドルウェア情報をレジストリから削除できませんでした";
constexpr char16_t kErrorCaption[] = u"エラー";

constexpr char16_t kUninstalled[] = u"アンインストールは正常に終了しました";
constexpr char16_t kUninstalledCaption[] = u"アンインストール完了";

}  // namespace zelko::uninstall_text

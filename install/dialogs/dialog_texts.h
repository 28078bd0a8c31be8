#pragma once
// Texts the installer's dialogs show besides their resources.

namespace zelko::dialog_text {

constexpr char16_t kInvalidFolder[] = u"インストール先が不正です";
constexpr char16_t kErrorCaption[] = u"エラー";
constexpr char16_t kBrowseTitle[] = u"フォルダを選択して下さい";
constexpr char16_t kLogColumn[] = u"インストールログ";

}  // namespace zelko::dialog_text

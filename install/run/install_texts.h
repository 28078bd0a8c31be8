#pragma once
// The texts of the installation run: its log lines (one list item each) and its message boxes.

namespace zelko::install_text {

constexpr char16_t kCheckingFolder[] = u"インストールフォルダチェック中...";
constexpr char16_t kFolderCreationDeclined[] = u"フォルダの作成をキャンセルしました";
constexpr char16_t kFolderCreationFailed[] = u"フォルダの作成に失敗しました:";  // + the folder
constexpr char16_t kFolderCreated[] = u"インストールフォルダを作成しました";
constexpr char16_t kFolderChecked[] = u"インストールフォルダのチェックに成功しました";
constexpr char16_t kOldShortcutRemoved[] = u"スタートアップショートカットを削除しました";
constexpr char16_t kCopyingFiles[] = u"ファイルコピー中...";
constexpr char16_t kFileCopyFailed[] = u"ファイルコピーに失敗しました:";  // + the file
constexpr char16_t kFilesCopied[] = u"ファイルコピーに成功しました";
constexpr char16_t kRegistering[] = u"スタートメニュー登録中...";
constexpr char16_t kShortcutFailed[] = u"スタートアップへの登録に失敗しました";
constexpr char16_t kRegistryFailed[] = u"レジストリ登録に失敗しました";
constexpr char16_t kRegistered[] = u"スタートメニュー登録に成功しました";
constexpr char16_t kStartingProgram[] = u"ZELKOペンミドルウェアの実行中...";
constexpr char16_t kProgramStarted[] = u"ZELKOペンミドルウェアの実行に成功しました";
constexpr char16_t kInstallFinished[] = u"インストール正常終了";
constexpr char16_t kProgramStartFailed[] = u"ZELKOペンミドルウェアの実行に失敗しました";

constexpr char16_t kCreateFolderQuestion[] =
    u"インストール先フォルダが存在しません。\n新しくフォルダを作成してもよろしいですか？";
constexpr char16_t kCreateFolderCaption[] = u"ディレクトリ作成確認";

constexpr char16_t kSucceededMessage[] = u"インストールが正常に終了しました";
constexpr char16_t kSucceededCaption[] = u"アップデート完了";
constexpr char16_t kFailedMessage[] = u"インストールは正常に完了しませんでした";
constexpr char16_t kFailedCaption[] = u"エラー";

}  // namespace zelko::install_text

#pragma once
// The texts of the about dialog's message boxes.

namespace zelko {

inline constexpr char16_t kErrorCaption[] = u"エラー";
inline constexpr char16_t kSupportPageFailedText[] = u"サポートページを開けませんでした";
inline constexpr char16_t kConnectionFailedText[] = u"サーバーへの接続に失敗しました";
inline constexpr char16_t kUpdateInfoCaption[] = u"アップデート情報";
inline constexpr char16_t kUpToDateText[] = u"お使いのミドルウェアは最新のものです";
inline constexpr char16_t kDownloadFailedText[] = u"ファイルのダウンロードに失敗しました";
inline constexpr char16_t kDownloadFailedCaption[] = u"ダウンロード失敗";
inline constexpr char16_t kStartFailedText[] = u"アップデートプログラムを実行できませんでした";

}  // namespace zelko

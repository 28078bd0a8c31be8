#pragma once
// The update offer at the installer's start: with an installation on record, the user is asked
// whether to update it with its stored folder and startup choice, skipping the first dialogs.

#include <optional>

#include "common/setup/install_record.h"
#include "common/setup/machine.h"

namespace zelko {

constexpr char16_t kUpdateQuestion[] =
    u"ZELKOペンミドルウェアは既にインストールされています。\n現在の設定でアップデートしますか？";
constexpr char16_t kUpdateCaption[] = u"アップデート";

// The stored choices when the user answered Yes; nothing when there is no complete record ("Path"
// and "StartUp") or the answer was No.
std::optional<InstallChoices> offerUpdate(Registry& registry, MessageBoxes& messages);

}  // namespace zelko

#include "install/app/update_offer.h"

namespace zelko {

std::optional<InstallChoices> offerUpdate(Registry& registry, MessageBoxes& messages) {
    auto stored = readStoredChoices(registry);
    if (!stored || messages.show(kUpdateQuestion, kUpdateCaption, Buttons::YesNo) != Answer::Yes) {
        return std::nullopt;
    }
    return stored;
}

}  // namespace zelko

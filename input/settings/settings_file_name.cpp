// The settings file's name, derived from the executable's own path.

#include "settings/settings.h"

namespace zelko {

std::u16string settingsFileNameFor(std::u16string_view executablePath) {
    constexpr std::size_t kReplacedCharacters = 3;
    if (executablePath.size() < kReplacedCharacters) {
        return {};
    }
    std::u16string name(executablePath.substr(0, executablePath.size() - kReplacedCharacters));
    name += u"cfg";
    return name;
}

}  // namespace zelko

#pragma once
// `RegisterInstall`: the install record that the installer's update offer and the uninstaller
// read, and the entry in the platform's list of installed programs.

#include <cstdint>
#include <string>

#include "common/setup/machine.h"

namespace zelko {

constexpr char16_t kDisplayVersion[] = u"0.0.3.9";
constexpr char16_t kPublisher[] = u"Orvandale";

struct Registration {
    std::u16string folder;
    bool startUp = true;
    std::u16string startupFolder;  // the common Startup folder
    std::uint32_t sizeKb = 0;      // the installed programs' size
};

// Kilobytes, rounded up.
std::uint32_t sizeInKb(std::uint64_t bytes);

// True only when every key was created and every value written.
bool registerInstall(Registry& registry, const Registration& registration);

}  // namespace zelko

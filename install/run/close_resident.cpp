#include "install/run/close_resident.h"

#include "common/setup/install_record.h"

namespace zelko {

namespace {

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

}  // namespace

bool isResidentProgramImageName(std::u16string_view baseName) {
    const std::u16string_view expected = kResidentProgramFile;
    if (baseName.size() < expected.size()) {
        return false;
    }
    for (size_t i = 0; i < expected.size(); ++i) {
        if (asciiLower(baseName[i]) != asciiLower(expected[i])) {
            return false;
        }
    }
    return true;
}

bool closeRunningResident(ResidentProgramControl& resident) {
    if (!resident.findRunning()) {
        return true;
    }
    resident.askToClose();
    const std::uint64_t asked = resident.milliseconds();
    while (!resident.hasClosed()) {
        if (resident.milliseconds() - asked >= kCloseWaitMilliseconds) {
            return false;
        }
        resident.sleep(kClosePollMilliseconds);
    }
    return true;
}

}  // namespace zelko

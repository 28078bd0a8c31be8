#include "common/setup/install_record.h"

namespace zelko {

namespace {

std::optional<std::u16string> readRecordText(Registry& registry, const char16_t* name) {
    auto text = registry.readText(kInstallKey, name);
    if (!text || text->size() >= kRecordTextCapacity) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    path += u'\\';
    path += name;
    return path;
}

std::optional<InstallRecord> readInstallRecord(Registry& registry) {
    if (!registry.keyExists(kInstallKey)) {
        return std::nullopt;
    }
    auto path = readRecordText(registry, kPathValue);
    auto exePath = readRecordText(registry, kExePathValue);
    auto startUpPath = readRecordText(registry, kStartUpPathValue);
    auto startUp = registry.readNumber(kInstallKey, kStartUpValue);
    if (!path || !exePath || !startUpPath || !startUp) {
        return std::nullopt;
    }
    return InstallRecord{*path, *exePath, *startUpPath, *startUp};
}

std::optional<InstallChoices> readStoredChoices(Registry& registry) {
    if (!registry.keyExists(kInstallKey)) {
        return std::nullopt;
    }
    auto path = readRecordText(registry, kPathValue);
    auto startUp = registry.readNumber(kInstallKey, kStartUpValue);
    if (!path || !startUp) {
        return std::nullopt;
    }
    // The record says 1 or 0; any other number is taken as "on", so that the shortcut that the
    // update makes and the "StartUp" it records agree.
    return InstallChoices{*path, *startUp != 0};
}

}  // namespace zelko

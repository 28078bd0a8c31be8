#include "common/setup/win32/win32_registry.h"

#include <windows.h>

#include "common/win32/registry_key.h"
#include "common/win32/text.h"

namespace zelko {

namespace {

// The record lives in the 64-bit view whatever the program's own width.
constexpr REGSAM kView = KEY_WOW64_64KEY;

RegistryKey openForReading(const std::u16string& key) {
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, toWide(key).c_str(), 0, KEY_READ | kView, opened.put()) !=
        ERROR_SUCCESS) {
        opened.reset();
    }
    return opened;
}

RegistryKey openForWriting(const std::u16string& key) {
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, toWide(key).c_str(), 0, KEY_SET_VALUE | kView,
                      opened.put()) != ERROR_SUCCESS) {
        opened.reset();
    }
    return opened;
}

bool setValue(const std::u16string& key, const std::u16string& name, DWORD type, const void* data,
              DWORD size) {
    RegistryKey opened = openForWriting(key);
    return opened && RegSetValueExW(opened.get(), toWide(name).c_str(), 0, type,
                                    static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

bool Win32Registry::keyExists(const std::u16string& key) {
    return static_cast<bool>(openForReading(key));
}

std::optional<std::u16string> Win32Registry::readText(const std::u16string& key,
                                                      const std::u16string& name) {
    RegistryKey opened = openForReading(key);
    if (!opened) {
        return std::nullopt;
    }
    const std::wstring valueName = toWide(name);
    // The value can change between asking for its size and reading it: try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status = RegGetValueW(opened.get(), nullptr, valueName.c_str(), RRF_RT_REG_SZ,
                                      nullptr, nullptr, &bytes);
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        // RegGetValueW always ends the text with a null character, whatever was stored.
        status = RegGetValueW(opened.get(), nullptr, valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                              text.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            text.resize(wcsnlen(text.c_str(), text.size()));
            return toU16(text);
        }
        if (status != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Win32Registry::readNumber(const std::u16string& key,
                                                       const std::u16string& name) {
    RegistryKey opened = openForReading(key);
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (!opened || RegGetValueW(opened.get(), nullptr, toWide(name).c_str(), RRF_RT_REG_DWORD,
                                nullptr, &value, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

bool Win32Registry::createKey(const std::u16string& key) {
    RegistryKey created;
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, toWide(key).c_str(), 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | kView, nullptr, created.put(),
                           nullptr) == ERROR_SUCCESS;
}

bool Win32Registry::writeText(const std::u16string& key, const std::u16string& name,
                              const std::u16string& value) {
    const std::wstring text = toWide(value);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return setValue(key, name, REG_SZ, text.c_str(), bytes);
}

bool Win32Registry::writeNumber(const std::u16string& key, const std::u16string& name,
                                std::uint32_t value) {
    const DWORD number = value;
    return setValue(key, name, REG_DWORD, &number, sizeof number);
}

bool Win32Registry::deleteKey(const std::u16string& key) {
    return RegDeleteKeyExW(HKEY_LOCAL_MACHINE, toWide(key).c_str(), kView, 0) == ERROR_SUCCESS;
}

}  // namespace zelko

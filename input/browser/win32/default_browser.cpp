// Which browser is registered for the http scheme.

#include "browser/win32/default_browser.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

namespace zelko {

namespace {

constexpr DWORD kCommandLineUnits = 260;

class RegistryKey {
  public:
    RegistryKey(HKEY parent, const wchar_t* path) {
        if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

std::u16string registeredHttpCommand() {
    RegistryKey key(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command");
    if (!key.get()) {
        return std::u16string();
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size >= kCommandLineUnits * sizeof(wchar_t)) {
        return std::u16string();
    }
    std::array<wchar_t, kCommandLineUnits> buffer{};
    DWORD read = size;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &read) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::u16string();
    }
    // The value need not end in a NUL; the buffer is one unit longer than any accepted value.
    const std::size_t units = std::min<std::size_t>(read / sizeof(wchar_t), kCommandLineUnits - 1);
    std::wstring_view text(buffer.data(), units);
    text = text.substr(0, text.find(L'\0'));
    return std::u16string(text.begin(), text.end());
}

}  // namespace

BrowserKind detectDefaultBrowser() {
    return browserKindFromCommandLine(registeredHttpCommand());
}

}  // namespace zelko

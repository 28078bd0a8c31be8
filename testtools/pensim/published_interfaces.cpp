// Publishing simulated interfaces in the registry.

#include "pensim/published_interfaces.h"

#include <algorithm>
#include <atomic>
#include <cwchar>

#include "log/test_clock.h"

namespace zelko::pensim {
namespace {

class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

bool writeNumber(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

DWORD readNumber(HKEY key, const wchar_t* name, DWORD fallback) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return fallback;
    }
    return value;
}

std::wstring readText(HKEY key, const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return L"";
    }
    buffer[std::min<std::size_t>(size / sizeof(wchar_t), 1023)] = L'\0';
    return buffer;
}

}  // namespace

const wchar_t kInterfacesKey[] = L"Software\\ZelkoPenSimulator\\Interfaces";

long long nowMicroseconds() {
    return testclock::nowMicroseconds();
}

std::wstring publishInterface(const std::wstring& path, const PenIdentity& identity) {
    static std::atomic<unsigned> sequence{0};
    wchar_t name[64];
    std::swprintf(name, 64, L"%020lld-%08lu-%04u", nowMicroseconds(), GetCurrentProcessId(),
                  sequence++ % 10000);
    const std::wstring keyPath = std::wstring(kInterfacesKey) + L"\\" + name;
    RegistryKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_WRITE, nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
        return L"";
    }
    const bool written =
        RegSetValueExW(key.get(), L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
        writeNumber(key.get(), L"VendorId", identity.vendorId) &&
        writeNumber(key.get(), L"ProductId", identity.productId) &&
        writeNumber(key.get(), L"UsagePage", identity.usagePage) &&
        writeNumber(key.get(), L"Usage", identity.usage) &&
        writeNumber(key.get(), L"Version", identity.version) &&
        writeNumber(key.get(), L"Identifies", identity.identifies ? 1 : 0);
    if (!written) {
        unpublishInterface(name);
        return L"";
    }
    return name;
}

void unpublishInterface(const std::wstring& key) {
    if (key.empty()) {
        return;
    }
    RegistryKey parent;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kInterfacesKey, 0, KEY_WRITE, parent.out()) ==
        ERROR_SUCCESS) {
        RegDeleteKeyW(parent.get(), key.c_str());
    }
}

bool recordInputReportQueue(const std::wstring& key, unsigned count) {
    if (key.empty()) {
        return false;
    }
    RegistryKey entry;
    const std::wstring keyPath = std::wstring(kInterfacesKey) + L"\\" + key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_WRITE, entry.out()) ==
               ERROR_SUCCESS &&
           writeNumber(entry.get(), L"InputReportQueue", count);
}

std::vector<PublishedInterface> publishedInterfaces() {
    std::vector<PublishedInterface> interfaces;
    RegistryKey parent;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kInterfacesKey, 0, KEY_READ, parent.out()) !=
        ERROR_SUCCESS) {
        return interfaces;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(parent.get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        RegistryKey entry;
        if (RegOpenKeyExW(parent.get(), name, 0, KEY_READ, entry.out()) != ERROR_SUCCESS) {
            continue;
        }
        PublishedInterface published;
        published.key = name;
        published.path = readText(entry.get(), L"Path");
        published.identity.vendorId =
            static_cast<std::uint16_t>(readNumber(entry.get(), L"VendorId", 0));
        published.identity.productId =
            static_cast<std::uint16_t>(readNumber(entry.get(), L"ProductId", 0));
        published.identity.usagePage =
            static_cast<std::uint16_t>(readNumber(entry.get(), L"UsagePage", 0));
        published.identity.usage = static_cast<std::uint16_t>(readNumber(entry.get(), L"Usage", 0));
        published.identity.version =
            static_cast<std::uint16_t>(readNumber(entry.get(), L"Version", 0));
        published.identity.identifies = readNumber(entry.get(), L"Identifies", 0) != 0;
        published.inputReportQueue = readNumber(entry.get(), L"InputReportQueue", 0);
        if (!published.path.empty()) {
            interfaces.push_back(std::move(published));
        }
    }
    std::sort(interfaces.begin(), interfaces.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    return interfaces;
}

std::optional<PublishedInterface> publishedInterfaceAt(const std::wstring& path) {
    for (auto& published : publishedInterfaces()) {
        if (CompareStringOrdinal(published.path.c_str(), -1, path.c_str(), -1, TRUE) ==
            CSTR_EQUAL) {
            return published;
        }
    }
    return std::nullopt;
}

}  // namespace zelko::pensim

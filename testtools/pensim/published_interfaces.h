#pragma once
// The simulated HID interfaces, published in the registry of the Wine session (shared by all its
// processes) under HKCU\Software\ZelkoPenSimulator\Interfaces, one subkey per interface; the
// subkey names sort in the order the interfaces were published.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelko::pensim {

struct PenIdentity {
    std::uint16_t vendorId = 0x1A7F;
    std::uint16_t productId = 0x0001;
    std::uint16_t usagePage = 0x0001;
    std::uint16_t usage = 0x0000;
    std::uint16_t version = 0x0103;
    bool identifies = true;  // false: reading its attributes fails, as for a broken collection
};

struct PublishedInterface {
    std::wstring key;  // subkey name
    std::wstring path;
    PenIdentity identity;
    // The input report queue that a reader asked the HID layer for on this interface
    // (HidD_SetNumInputBuffers), or 0 while none has asked.
    unsigned inputReportQueue = 0;
};

extern const wchar_t kInterfacesKey[];

// Publishes an interface at the end of the order; returns its subkey name (empty on failure).
std::wstring publishInterface(const std::wstring& path, const PenIdentity& identity);
void unpublishInterface(const std::wstring& key);
// Records the input report queue asked for on the interface; false when it is not published.
bool recordInputReportQueue(const std::wstring& key, unsigned count);

// Every published interface, in order. The key of every interface is a subkey of kInterfacesKey
// under HKEY_CURRENT_USER, so a change notice on that key tells of every publication.
std::vector<PublishedInterface> publishedInterfaces();
std::optional<PublishedInterface> publishedInterfaceAt(const std::wstring& path);

// Microseconds of QueryPerformanceCounter: the clock of the test build's event log.
long long nowMicroseconds();

}  // namespace zelko::pensim

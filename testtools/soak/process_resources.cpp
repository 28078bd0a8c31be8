// Sampling another process's resources.

#include "soak/process_resources.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace zelko::soak {
namespace {

// The part of PROCESS_BASIC_INFORMATION that is needed, in its 64-bit layout.
struct BasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};
using QueryInformationProcess = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
constexpr ULONG kProcessBasicInformation = 0;

// The 64-bit PEB's pointer to the GDI handle table, and the table's entries: 24 bytes each, the
// unique word (bit 7: stock object) at 12 and the type byte (0: free) at 14.
constexpr std::size_t kPebGdiHandleTableOffset = 0xF8;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryUniqueOffset = 12;
constexpr std::size_t kGdiEntryTypeOffset = 14;
constexpr std::size_t kGdiEntryCount = 0x10000;
constexpr std::uint16_t kGdiStockFlag = 0x80;

bool readRemote(HANDLE process, const void* address, void* buffer, std::size_t size) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, buffer, size, &read) && read == size;
}

// The live GDI objects (stock objects left out) in the process's own GDI handle table, as Wine
// keeps one per process; 0 when the table cannot be read.
unsigned long gdiObjectsFromHandleTable(HANDLE process) {
    static const auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    BasicInformation basic{};
    ULONG length = 0;
    if (!query || query(process, kProcessBasicInformation, &basic, sizeof basic, &length) != 0 ||
        !basic.pebBaseAddress) {
        return 0;
    }
    const char* table = nullptr;
    if (!readRemote(process,
                    static_cast<const char*>(basic.pebBaseAddress) + kPebGdiHandleTableOffset,
                    &table, sizeof table) ||
        !table) {
        return 0;
    }
    // In slices: the table's end may not be committed.
    constexpr std::size_t kSliceEntries = 4096;
    std::vector<unsigned char> slice(kSliceEntries * kGdiEntrySize);
    unsigned long live = 0;
    for (std::size_t first = 0; first < kGdiEntryCount; first += kSliceEntries) {
        if (!readRemote(process, table + first * kGdiEntrySize, slice.data(), slice.size())) {
            break;
        }
        for (std::size_t index = 0; index < kSliceEntries; ++index) {
            const unsigned char* entry = slice.data() + index * kGdiEntrySize;
            std::uint16_t unique = 0;
            std::memcpy(&unique, entry + kGdiEntryUniqueOffset, sizeof unique);
            if (entry[kGdiEntryTypeOffset] != 0 && (unique & kGdiStockFlag) == 0) {
                ++live;
            }
        }
    }
    return live;
}

struct WindowCount {
    DWORD processId;
    unsigned long count;
};

BOOL CALLBACK countChild(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId) {
        ++windows->count;
    }
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM context) {
    countChild(window, context);
    EnumChildWindows(window, countChild, context);
    return TRUE;
}

// The windows the process owns: top-level, message-only, and their children.
unsigned long windowsOf(DWORD processId) {
    WindowCount windows{processId, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        countTopLevel(window, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

// The system information of one class, or nothing.
std::optional<std::vector<unsigned char>> systemInformation(ULONG informationClass) {
    static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    if (!query) {
        return std::nullopt;
    }
    std::vector<unsigned char> buffer(256 * 1024);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        const LONG status =
            query(informationClass, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            return buffer;
        }
        if (status != kInfoLengthMismatch) {
            return std::nullopt;
        }
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 64 * 1024));
    }
    return std::nullopt;
}

// The process's open handles in the system's handle list, or 0.
unsigned long handlesFromHandleList(DWORD processId) {
    constexpr ULONG kSystemHandleInformation = 16;
    // A count, then entries of 24 bytes: the owner's process id first.
    struct HandleEntry {
        ULONG ownerProcessId;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        void* object;
        ULONG access;
    };
    const auto list = systemInformation(kSystemHandleInformation);
    if (!list || list->size() < sizeof(ULONG_PTR)) {
        return 0;
    }
    ULONG count = 0;
    std::memcpy(&count, list->data(), sizeof count);
    const std::size_t available = (list->size() - sizeof(ULONG_PTR)) / sizeof(HandleEntry);
    unsigned long owned = 0;
    for (std::size_t index = 0; index < std::min<std::size_t>(count, available); ++index) {
        HandleEntry entry{};
        std::memcpy(&entry, list->data() + sizeof(ULONG_PTR) + index * sizeof entry, sizeof entry);
        if (entry.ownerProcessId == processId) {
            ++owned;
        }
    }
    return owned;
}

// GetGuiResources, or nothing when the system does not count them.
bool guiResources(HANDLE process, DWORD kind, unsigned long* count) {
    SetLastError(ERROR_SUCCESS);
    const DWORD value = GetGuiResources(process, kind);
    if (value == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        return false;
    }
    *count = value;
    return true;
}

}  // namespace

ResourceCounts sampleResources(HANDLE process, DWORD processId, CountSources* sources) {
    ResourceCounts counts;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        counts.privateBytes = memory.PrivateUsage;
        // The commit charge too; Wine fills only this one (from the process's anonymous memory).
        if (counts.privateBytes == 0 && memory.PagefileUsage != 0) {
            counts.privateBytes = memory.PagefileUsage;
            sources->privateBytes = "PagefileUsage";
        }
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles)) {
        counts.handles = handles;
    }
    // A live process always holds handles: 0 means the call does not count them.
    if (counts.handles == 0) {
        counts.handles = handlesFromHandleList(processId);
        sources->handles = "the process's entries in the system handle list";
    }
    if (!guiResources(process, GR_GDIOBJECTS, &counts.gdiObjects)) {
        counts.gdiObjects = gdiObjectsFromHandleTable(process);
        sources->gdi = "live entries of the process's GDI handle table";
    }
    if (!guiResources(process, GR_USEROBJECTS, &counts.userObjects)) {
        counts.userObjects = windowsOf(processId);
        sources->user = "windows the process owns";
    }
    return counts;
}

}  // namespace zelko::soak

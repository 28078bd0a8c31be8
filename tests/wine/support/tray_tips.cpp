#include "support/tray_tips.h"

#include <windows.h>

#include <commctrl.h>

#include "common/win32/text.h"
#include "common/win32/unique_handle.h"
#include "tray/tray_state.h"

namespace zelko::test {
namespace {

constexpr std::size_t kTipCharacters = 256;

// Memory in another process, freed when it goes.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, std::size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    BYTE* get() const { return static_cast<BYTE*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

BOOL CALLBACK collectTooltips(HWND window, LPARAM list) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The tips of one tooltip control of another process.
void appendTips(HWND tooltip, std::vector<std::wstring>& tips) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tooltip, &processId);
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return;
    }
    // The tool record, then its text buffer.
    RemoteMemory memory(process.get(), sizeof(TTTOOLINFOW) + kTipCharacters * sizeof(wchar_t));
    if (memory.get() == nullptr) {
        return;
    }
    BYTE* remoteText = memory.get() + sizeof(TTTOOLINFOW);
    const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszText = reinterpret_cast<wchar_t*>(remoteText);
        wchar_t text[kTipCharacters] = {};
        if (!WriteProcessMemory(process.get(), remoteText, text, sizeof(text), nullptr) ||
            !WriteProcessMemory(process.get(), memory.get(), &info, sizeof(info), nullptr) ||
            !SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(memory.get())) ||
            !ReadProcessMemory(process.get(), remoteText, text, sizeof(text), nullptr)) {
            continue;
        }
        text[kTipCharacters - 1] = L'\0';
        tips.emplace_back(text);
    }
}

}  // namespace

std::vector<std::wstring> trayIconTips() {
    std::vector<HWND> tooltips;
    EnumWindows(collectTooltips, reinterpret_cast<LPARAM>(&tooltips));
    std::vector<std::wstring> tips;
    for (HWND tooltip : tooltips) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tooltip, &processId);
        if (processId != GetCurrentProcessId()) {
            appendTips(tooltip, tips);
        }
    }
    return tips;
}

int shownTrayState() {
    for (const std::wstring& tip : trayIconTips()) {
        for (TrayState state : {TrayState::Usable, TrayState::NoAccess, TrayState::NotAttached}) {
            if (tip == wideText(trayStateLook(state).tip)) {
                return static_cast<int>(state);
            }
        }
    }
    return -1;
}

}  // namespace zelko::test

#include "support/dialog_driver.h"

#include <commctrl.h>

#include "common/win32/unique_handle.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

// Memory in another process, freed when the holder goes.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    BYTE* address() const { return static_cast<BYTE*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

// The window's text through WM_GETTEXT, which another process's controls answer with what they
// show now (GetWindowText would give a control's first text).
std::wstring currentText(HWND window) {
    const auto length = static_cast<size_t>(sendTo(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        sendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

}  // namespace

HWND waitForDialog(DWORD processId, const wchar_t* title, std::chrono::milliseconds timeout) {
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            dialog = findWindowOf(processId, L"#32770", title, Visibility::VisibleOnly);
            return dialog != nullptr;
        },
        timeout);
    return dialog;
}

void pressDialogKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 0);
    PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

void typeText(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    sendTo(edit, EM_SETSEL, 0, -1);
    sendTo(edit, WM_CLEAR, 0, 0);
    for (wchar_t c : text) {
        sendTo(edit, WM_CHAR, c, 1);
    }
}

std::wstring dialogItemText(HWND dialog, int id) {
    return currentText(GetDlgItem(dialog, id));
}

bool isItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::vector<std::wstring> listViewLines(HWND list) {
    std::vector<std::wstring> lines;
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return lines;
    }
    constexpr int kTextChars = 1024;
    RemoteMemory remote(process.get(), sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote.address()) {
        return lines;
    }
    const auto count = static_cast<int>(sendTo(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.cchTextMax = kTextChars;
        item.pszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(LVITEMW));
        std::wstring text(kTextChars, L'\0');
        if (!WriteProcessMemory(process.get(), remote.address(), &item, sizeof item, nullptr)) {
            break;
        }
        const auto length = static_cast<size_t>(
            sendTo(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(remote.address())));
        if (!ReadProcessMemory(process.get(), item.pszText, text.data(),
                               kTextChars * sizeof(wchar_t), nullptr)) {
            break;
        }
        text.resize(length < text.size() ? length : text.size());
        lines.push_back(text);
    }
    return lines;
}

std::wstring allDialogTexts(HWND dialog) {
    std::wstring texts = currentText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts += L"\n" + currentText(child);
    }
    return texts;
}

}  // namespace zelko::test

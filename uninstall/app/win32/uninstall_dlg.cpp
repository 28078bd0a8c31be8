#include "uninstall/app/win32/uninstall_dlg.h"

#include "common/setup/win32/win32_file_system.h"
#include "common/setup/win32/win32_message_boxes.h"
#include "common/setup/win32/win32_registry.h"
#include "uninstall/resources/uninstall_resource_ids.h"
#include "uninstall/run/uninstall_run.h"

namespace zelko {

CZelkoUnInstallDlg::CZelkoUnInstallDlg(HINSTANCE instance)
    : ModalDialog(instance, IDD_UNINSTALL, nullptr),
      m_hIcon(LoadIconW(instance, MAKEINTRESOURCEW(IDI_UNINSTALLER))) {
    onCommand(IDOK, [this](WORD) { OnOK(); });
    onCommand(IDCANCEL, [this](WORD) { OnCancel(); });
    onMessage(WM_PAINT, [this](WPARAM, LPARAM) { return OnPaint(); });
    onMessage(WM_QUERYDRAGICON,
              [this](WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(m_hIcon); });
}

bool CZelkoUnInstallDlg::onInitDialog() {
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return true;
}

void CZelkoUnInstallDlg::OnOK() {
    Win32FileSystem files;
    Win32Registry registry;
    Win32MessageBoxes messages(window());
    runUninstall(files, registry, messages);
    endDialog(0);
}

void CZelkoUnInstallDlg::OnCancel() {
    endDialog(0);
}

INT_PTR CZelkoUnInstallDlg::OnPaint() {
    if (!IsIconic(window())) {
        return FALSE;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window(), &paint);
    SendMessageW(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(window(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(window(), &paint);
    return TRUE;
}

}  // namespace zelko

#include "install/dialogs/win32/install_input_dlg.h"

#include <shlobj.h>

#include <memory>

#include "common/win32/text.h"
#include "install/app/win32/zelko_install_app.h"
#include "install/dialogs/dialog_texts.h"
#include "install/dialogs/install_path.h"
#include "install/resources/install_resource_ids.h"

namespace zelko {

namespace {

std::wstring currentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(needed, L'\0');
    const DWORD length = needed ? GetCurrentDirectoryW(needed, folder.data()) : 0;
    folder.resize(length < needed ? length : 0);
    return folder;
}

struct ItemListFree {
    void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};

}  // namespace

InstallInputDlg::InstallInputDlg(CZelkoInstallApp& app, HWND owner)
    : InstallerDialog(app, IDD_INSTALL_INPUT, owner) {
    onCommand(IDC_TYPED_FOLDER, [this](WORD notification) { OnTypedFolderChange(notification); });
    onCommand(IDC_BROWSE, [this](WORD) { OnBrowse(); });
    onCommand(IDOK, [this](WORD) { OnOK(); });
    onCommand(IDCANCEL, [this](WORD) { OnCancel(); });
}

bool InstallInputDlg::onInitDialog() {
    wchar_t programFiles[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(window(), programFiles, CSIDL_PROGRAM_FILES, FALSE)) {
        setItemText(IDC_TYPED_FOLDER, programFiles);  // its change fills the final folder
    }
    CheckDlgButton(window(), IDC_START_UP, BST_CHECKED);
    return true;
}

std::optional<std::u16string> InstallInputDlg::composedFolder() const {
    return composeInstallPath(toU16(itemText(IDC_TYPED_FOLDER)), toU16(currentFolder()));
}

void InstallInputDlg::OnTypedFolderChange(WORD notification) {
    if (notification == EN_CHANGE) {
        // A folder that cannot be installed into shows no final folder.
        setItemText(IDC_FINAL_FOLDER, toWide(composedFolder().value_or(u"")));
    }
}

void InstallInputDlg::OnBrowse() {
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring title = toWide(dialog_text::kBrowseTitle);
    BROWSEINFOW browse{};
    browse.hwndOwner = window();
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    std::unique_ptr<ITEMIDLIST, ItemListFree> picked(SHBrowseForFolderW(&browse));
    wchar_t path[MAX_PATH] = {};
    if (picked && SHGetPathFromIDListW(picked.get(), path)) {
        setItemText(IDC_TYPED_FOLDER, path);
    }
}

void InstallInputDlg::OnOK() {
    const auto folder = composedFolder();
    if (!folder) {
        MessageBoxW(window(), toWide(dialog_text::kInvalidFolder).c_str(),
                    toWide(dialog_text::kErrorCaption).c_str(), MB_OK);
        return;
    }
    app_.m_szInstallPath = *folder;
    app_.m_bStartUp = IsDlgButtonChecked(window(), IDC_START_UP) == BST_CHECKED ? 1 : 0;
    app_.m_nStage = 2;
    endDialog(0);
}

void InstallInputDlg::OnCancel() {
    app_.m_bRunning = 0;
    endDialog(0);
}

}  // namespace zelko

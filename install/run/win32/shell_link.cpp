#include "install/run/win32/shell_link.h"

#include <windows.h>
#include <shlobj.h>

#include "common/win32/com_ptr.h"

namespace zelko {

bool createShellLink(const std::wstring& workingFolder, const std::wstring& linkPath,
                     const std::wstring& target) {
    ComApartment com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.putVoid()))) {
        return false;
    }
    if (FAILED(link->SetPath(target.c_str())) ||
        (!workingFolder.empty() && FAILED(link->SetWorkingDirectory(workingFolder.c_str()))) ||
        FAILED(link->SetShowCmd(SW_SHOW))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    return SUCCEEDED(link.queryInterface(file)) && file->Save(linkPath.c_str(), TRUE) == S_OK;
}

}  // namespace zelko

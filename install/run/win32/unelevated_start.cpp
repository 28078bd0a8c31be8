#include "install/run/win32/unelevated_start.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <memory>

#include "common/win32/com_ptr.h"

namespace zelko {

namespace {

// A VARIANT that clears itself (and frees the text it may hold).
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    explicit Variant(const wchar_t* text) : Variant() {
        value_.vt = VT_BSTR;
        value_.bstrVal = SysAllocString(text);
    }
    explicit Variant(int number) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }
    VARIANT& get() { return value_; }
    bool holdsText() const { return value_.vt != VT_BSTR || value_.bstrVal != nullptr; }

  private:
    VARIANT value_;
};

using Text = std::unique_ptr<OLECHAR, decltype(&SysFreeString)>;

// The desktop's Shell.Application object, which starts programs in the shell's own process.
ComPtr<IShellDispatch2> desktopShell() {
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_PPV_ARGS(windows.put())))) {
        return {};
    }
    Variant none;
    long desktopWindow = 0;
    ComPtr<IDispatch> desktop;
    if (windows->FindWindowSW(&none.get(), &none.get(), SWC_DESKTOP, &desktopWindow,
                              SWFO_NEEDDISPATCH, desktop.put()) != S_OK ||
        !desktop) {
        return {};
    }
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(desktop.queryInterface(services)) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(browser.put()))) ||
        FAILED(browser->QueryActiveShellView(view.put())) || !view ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(background.put()))) ||
        FAILED(background.queryInterface(folderView)) ||
        FAILED(folderView->get_Application(application.put())) || !application ||
        FAILED(application.queryInterface(shell))) {
        return {};
    }
    return shell;
}

bool isProgramFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool startThroughDesktopShell(const std::wstring& program) {
    ComApartment com;
    ComPtr<IShellDispatch2> shell = desktopShell();
    if (!shell) {
        return false;
    }
    Text file(SysAllocString(program.c_str()), &SysFreeString);
    Variant noArguments;
    Variant noFolder;
    Variant verb(L"open");
    Variant show(SW_SHOWNORMAL);
    if (!file || !verb.holdsText()) {
        return false;
    }
    return SUCCEEDED(
        shell->ShellExecute(file.get(), noArguments.get(), noFolder.get(), verb.get(), show.get()));
}

bool startUnelevated(const std::wstring& program) {
    // The desktop shell starts the program on its own and tells nothing of a missing file.
    if (!isProgramFile(program)) {
        return false;
    }
    if (startThroughDesktopShell(program)) {
        return true;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace zelko

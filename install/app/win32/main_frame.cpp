#include "install/app/win32/main_frame.h"

#include <string>

#include "install/resources/install_resource_ids.h"

namespace zelko {

namespace {

constexpr wchar_t kFrameClass[] = L"ZelkoInstallMainFrame";

std::wstring loadTitle(HINSTANCE instance) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, IDR_MAINFRAME, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"ZelkoInstall";
}

}  // namespace

bool CMainFrame::create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    window_ =
        CreateWindowExW(0, kFrameClass, loadTitle(instance).c_str(), WS_POPUP | WS_CLIPCHILDREN, 0,
                        0, 0, 0, nullptr, nullptr, instance, this);
    if (!window_) {
        return false;
    }
    if (!view_.create(instance, window_)) {
        destroy();
        return false;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return true;
}

void CMainFrame::destroy() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

LRESULT CALLBACK CMainFrame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_SETFOCUS:
            if (frame && frame->view_.window()) {
                SetFocus(frame->view_.window());
            }
            return 0;
        case WM_SIZE:
            if (frame && frame->view_.window()) {
                MoveWindow(frame->view_.window(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace zelko

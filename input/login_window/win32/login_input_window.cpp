#include "login_window/win32/login_input_window.h"

#include <optional>
#include <string>
#include <utility>

#include "app/win32/program_state.h"
#include "app/win32/test_hooks.h"
#include "common/win32/ignored_messages.h"
#include "login_window/login_layout.h"
#include "resources/resource_ids.h"

namespace zelko {

namespace {

constexpr DWORD kWindowStyle = WS_POPUPWINDOW | WS_CAPTION | WS_CLIPCHILDREN;
constexpr int kFirstEditId = 1100;
constexpr int kFontHeight = 12;
constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";

std::wstring wideFromUtf8(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// The edit box's whole text in the system ANSI code page; std::nullopt when it cannot be read or
// is longer than a value may be (refused whole, never cut).
std::optional<std::string> ansiTextOf(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    if (length <= 0) {
        return std::string();
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(edit, wide.data(), length + 1);
    if (read <= 0) {
        return std::string();
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), read, nullptr, 0, nullptr, nullptr);
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxFieldValueBytes) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), read, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

HFONT makeFont(int weight) {
    return CreateFontW(kFontHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                       kFontFace);
}

void makeFonts(LoginInputWindow& input) {
    if (!input.normalFont) {
        input.normalFont.reset(makeFont(FW_NORMAL));
    }
    if (!input.boldFont) {
        input.boldFont.reset(makeFont(FW_BOLD));
    }
}

// Destroys the window and ends the input: inputAccepted first, then inputState 0, which the
// worker reads as soon as it changes.
void closeInput(LoginInputWindow& input, bool accepted) {
    const HWND window = std::exchange(input.window, nullptr);
    if (window) {
        DestroyWindow(window);
    }
    input.edits.clear();
    input.loginButton = nullptr;
    input.cancelButton = nullptr;
    input.inputRecord = nullptr;
    input.inputAccepted = accepted ? 1 : 0;
    input.inputState = 0;
    hooks::autoLogin("login-window", accepted ? "accepted" : "cancelled");
}

// The login button: every shown field must have a value that fits; otherwise the input counts as
// cancelled and nothing is kept.
void takeOverValues(LoginInputWindow& input) {
    LoginRecord* record = input.inputRecord.load();
    if (!record) {
        closeInput(input, false);
        return;
    }
    for (std::size_t index = 0; index < record->fields.size(); ++index) {
        LoginField& field = record->fields[index];
        if (!isShownField(field.fieldType)) {
            continue;
        }
        const HWND edit = index < input.edits.size() ? input.edits[index] : nullptr;
        const std::optional<std::string> value = edit ? ansiTextOf(edit) : std::nullopt;
        if (!value || !acceptableFieldValue(*value)) {
            closeInput(input, false);
            return;
        }
        field.fieldValue = *value;
    }
    closeInput(input, true);
}

void paintBackground(HWND window, const LoginInputWindow& input) {
    PAINTSTRUCT paint;
    const HDC target = BeginPaint(window, &paint);
    if (target && input.background) {
        BITMAP size{};
        GetObjectW(input.background.get(), sizeof size, &size);
        if (const HDC source = CreateCompatibleDC(target)) {
            const HGDIOBJ previous = SelectObject(source, input.background.get());
            BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
        }
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK loginWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* input = reinterpret_cast<LoginInputWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (input) {
                paintBackground(window, *input);
                return 0;
            }
            break;
        case WM_COMMAND:
            if (input && input->window == window) {
                switch (LOWORD(wParam)) {
                    case kLoginButtonId:
                    case IDOK:  // Enter, when the dialog manager names no default button
                        takeOverValues(*input);
                        break;
                    case kCancelButtonId:
                    case IDCANCEL:  // Esc
                        closeInput(*input, false);
                        break;
                    default:
                        break;
                }
            }
            return 0;
        case WM_CLOSE:
            if (input && input->window == window) {
                closeInput(*input, false);
            }
            return 0;
        default:
            if (isIgnoredWindowMessage(message)) {
                return 0;
            }
            break;
    }
    return DefDlgProcW(window, message, wParam, lParam);
}

void registerLoginWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = loginWindowProc;
    // The default handling is the dialog procedure's, which keeps its data in these bytes.
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kLoginWindowClass;
    // Registered at every opening; the class may exist already.
    RegisterClassExW(&windowClass);
}

std::vector<int> captionWidths(HWND window, HFONT font, const LoginRecord& record) {
    std::vector<int> widths;
    const HDC dc = GetDC(window);
    if (!dc) {
        return widths;
    }
    const HGDIOBJ previous = SelectObject(dc, font);
    for (const LoginField& field : record.fields) {
        const std::wstring label = wideFromUtf8(field.fieldLabel);
        SIZE extent{};
        GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
        widths.push_back(extent.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return widths;
}

void setClientSize(HWND window, int width, int height) {
    RECT bounds{0, 0, width, height};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The decorative picture stretched over the client area, with the caption of every shown field.
HBITMAP composeBackground(HWND window, const LoginInputWindow& input, const LoginRecord& record,
                          const LoginWindowLayout& layout) {
    if (layout.clientWidth <= 0 || layout.clientHeight <= 0) {
        return nullptr;
    }
    const HDC windowDc = GetDC(window);
    if (!windowDc) {
        return nullptr;
    }
    HBITMAP canvas = CreateCompatibleBitmap(windowDc, layout.clientWidth, layout.clientHeight);
    const HDC canvasDc = canvas ? CreateCompatibleDC(windowDc) : nullptr;
    if (canvasDc) {
        const HGDIOBJ previousCanvas = SelectObject(canvasDc, canvas);
        RECT whole{0, 0, layout.clientWidth, layout.clientHeight};
        FillRect(canvasDc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        GdiObject<HBITMAP> picture(static_cast<HBITMAP>(LoadImageW(
            input.instance, MAKEINTRESOURCEW(IDB_LOGIN_BACKGROUND), IMAGE_BITMAP, 0, 0, 0)));
        const HDC pictureDc = picture ? CreateCompatibleDC(windowDc) : nullptr;
        if (pictureDc) {
            BITMAP size{};
            GetObjectW(picture.get(), sizeof size, &size);
            const HGDIOBJ previousPicture = SelectObject(pictureDc, picture.get());
            SetStretchBltMode(canvasDc, HALFTONE);
            SetBrushOrgEx(canvasDc, 0, 0, nullptr);
            StretchBlt(canvasDc, 0, 0, layout.clientWidth, layout.clientHeight, pictureDc, 0, 0,
                       size.bmWidth, size.bmHeight, SRCCOPY);
            SelectObject(pictureDc, previousPicture);
            DeleteDC(pictureDc);
        }
        SetBkMode(canvasDc, TRANSPARENT);
        SetTextColor(canvasDc, RGB(0, 0, 0));
        const HGDIOBJ previousFont = SelectObject(canvasDc, input.boldFont.get());
        std::size_t row = 0;
        for (const LoginField& field : record.fields) {
            if (!isShownField(field.fieldType) || row >= layout.captions.size()) {
                continue;
            }
            const std::wstring label = wideFromUtf8(field.fieldLabel);
            TextOutW(canvasDc, layout.captions[row].x, layout.captions[row].y, label.c_str(),
                     static_cast<int>(label.size()));
            ++row;
        }
        SelectObject(canvasDc, previousFont);
        SelectObject(canvasDc, previousCanvas);
        DeleteDC(canvasDc);
    } else if (canvas) {
        DeleteObject(canvas);
        canvas = nullptr;
    }
    ReleaseDC(window, windowDc);
    return canvas;
}

HWND makeChild(const wchar_t* className, const wchar_t* text, DWORD style, const LayoutRect& place,
               HWND parent, int id, HINSTANCE instance, HFONT font) {
    const HWND child = CreateWindowExW(
        0, className, text, style, place.x, place.y, place.width, place.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return child;
}

// Builds the controls; false when one of them cannot be made.
bool makeControls(LoginInputWindow& input, const LoginRecord& record,
                  const LoginWindowLayout& layout) {
    input.fieldCount = static_cast<std::int32_t>(record.fieldCount());
    input.edits.assign(record.fieldCount(), nullptr);
    std::size_t row = 0;
    for (std::size_t index = 0; index < record.fieldCount(); ++index) {
        const LoginField& field = record.fields[index];
        if (!isShownField(field.fieldType)) {
            continue;
        }
        // Auto-scrolling, so that a value longer than the box is wide can still be typed.
        DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
        if (field.fieldType == FieldPassword) {
            style |= ES_PASSWORD;
        }
        const HWND edit = makeChild(L"EDIT", L"", style, layout.edits[row], input.window,
                                    kFirstEditId + static_cast<int>(index), input.instance,
                                    input.normalFont.get());
        if (!edit) {
            return false;
        }
        SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(editTextLimit(field.maxLength)), 0);
        input.edits[index] = edit;
        ++row;
    }
    input.loginButton = makeChild(
        L"BUTTON", L"ログイン", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
        layout.loginButton, input.window, kLoginButtonId, input.instance, input.boldFont.get());
    input.cancelButton =
        makeChild(L"BUTTON", L"キャンセル", WS_CHILD | WS_VISIBLE | WS_TABSTOP, layout.cancelButton,
                  input.window, kCancelButtonId, input.instance, input.boldFont.get());
    if (!input.loginButton || !input.cancelButton) {
        return false;
    }
    // Enter presses the login button.
    SendMessageW(input.window, DM_SETDEFID, kLoginButtonId, 0);
    return true;
}

void showCentred(const LoginInputWindow& input) {
    RECT bounds{};
    GetWindowRect(input.window, &bounds);
    const LayoutPoint place =
        centredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        bounds.right - bounds.left, bounds.bottom - bounds.top);
    SetWindowPos(input.window, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(input.window, SW_SHOW);
    SetForegroundWindow(input.window);
    for (const HWND edit : input.edits) {
        if (edit) {
            SetFocus(edit);
            break;
        }
    }
}

bool openLoginInputWindow(LoginInputWindow& input, HINSTANCE instance, HWND owner) {
    LoginRecord* record = input.inputRecord.load();
    if (!record) {
        return false;
    }
    input.instance = instance;
    makeFonts(input);
    registerLoginWindowClass(instance);
    const std::wstring title = L"[" + wideFromUtf8(record->siteTitle) + L"]ログイン";
    input.window = hooks::refuseLoginWindow()
                       ? nullptr
                       : CreateWindowExW(0, kLoginWindowClass, title.c_str(), kWindowStyle, 0, 0,
                                         kLoginWindowInitialWidth, kLoginWindowInitialHeight, owner,
                                         nullptr, instance, nullptr);
    if (!input.window) {
        return false;
    }
    SetWindowLongPtrW(input.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&input));

    input.labelWidth = widestCaption(captionWidths(input.window, input.boldFont.get(), *record));
    std::size_t shownFields = 0;
    for (const LoginField& field : record->fields) {
        shownFields += isShownField(field.fieldType) ? 1 : 0;
    }
    const LoginWindowLayout layout = loginWindowLayout(input.labelWidth, shownFields);
    setClientSize(input.window, layout.clientWidth, layout.clientHeight);
    input.background.reset(composeBackground(input.window, input, *record, layout));
    if (!makeControls(input, *record, layout)) {
        return false;
    }
    showCentred(input);
    input.inputState = 2;
    hooks::autoLogin("login-window", "opened");
    return true;
}

}  // namespace

void showRequestedLoginWindow(HWND owner) {
    ProgramState& state = programState();
    LoginInputWindow& input = state.loginWindow;
    if (input.inputState.load() != 1) {
        return;
    }
    if (!openLoginInputWindow(input, state.instance, owner)) {
        // Without a window the worker would wait until shut-down: the input ends as cancelled.
        hooks::autoLogin("login-window", "refused");
        closeInput(input, false);
    }
}

bool bringLoginWindowForward() {
    LoginInputWindow& input = programState().loginWindow;
    if (input.inputState.load() == 0) {
        return false;
    }
    if (input.window) {
        SetForegroundWindow(input.window);
    }
    return true;
}

bool handleLoginWindowMessage(MSG& message) {
    const HWND window = programState().loginWindow.window;
    return window && IsDialogMessageW(window, &message);
}

void cancelLoginInput() {
    LoginInputWindow& input = programState().loginWindow;
    if (input.inputState.load() != 0) {
        closeInput(input, false);
    }
}

}  // namespace zelko

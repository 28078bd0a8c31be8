// The fake browser: a stand-in for each recognised browser in the tests.
//
// Copied under a browser's executable name (chrome.exe, opera.exe, ...), it opens top-level
// windows with an address box and a page area. The address box takes the focus on the browser's
// chord (Ctrl+L for opera.exe, Alt+D for the others) with its text selected, is cleared by Delete,
// takes typed or posted characters, and commits its text on Enter. Every start (with its exact
// argument list), chord, Delete and commit is appended to the log as
//     "<microseconds> <process id> <event> <fields>"
// with the time from QueryPerformanceCounter, the clock of the resident program's test log. The log
// is the file named by ZELKO_FAKE_BROWSER_LOG, else "fakebrowser.log" beside the executable. Field
// bytes below 0x21, 0x7F and the backslash are written as \xNN, other text as UTF-8.
//
// Options (only for starts by a test; every argument is logged either way):
//     --fake-window=<class>|<title>   one more top-level window (default: one of the kind's class)
//     --fake-minimized                 the windows start minimised
//     --fake-hidden                    the windows are never shown
//     --fake-refuse-activation         the windows never become active: a CBT hook refuses every
//                                      activation, as a browser that keeps the foreground from an
//                                      unasked switch (the foreground stays away from it)
//     --fake-hang=<milliseconds>       once ready, the windows' thread sleeps this long (hung)
//     --fake-log-keys                  every key and character that reaches a window is logged as
//                                      "key <virtual key>" and "char <text>"
//     --fake-lifetime=<seconds>        end by itself after this time (default 60)

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakebrowser/fake_browser_log.h"

namespace {

constexpr int kAddressBoxId = 1;
constexpr int kPageId = 2;
constexpr UINT_PTR kLifetimeTimer = 1;

struct WindowSpec {
    std::wstring className;
    std::wstring title;
};

struct Options {
    std::vector<WindowSpec> windows;
    bool minimized = false;
    bool hidden = false;
    bool refuseActivation = false;
    DWORD hangMilliseconds = 0;
    bool logKeys = false;
    UINT lifetimeSeconds = 60;
};

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

std::wstring executableBaseName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full = path;
    return lowerCase(full.substr(full.find_last_of(L"\\/") + 1));
}

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The class a real browser of this executable name uses for its main windows.
std::wstring defaultClassFor(const std::wstring& exeName) {
    if (startsWith(exeName, L"iexplore")) {
        return L"IEFrame";
    }
    if (startsWith(exeName, L"firefox")) {
        return L"MozillaUIWindowClass";
    }
    return L"FakeBrowserFrame";
}

Options parseOptions(const std::vector<std::wstring>& arguments, const std::wstring& exeName) {
    Options options;
    for (const std::wstring& argument : arguments) {
        if (startsWith(argument, L"--fake-window=")) {
            std::wstring spec = argument.substr(14);
            const std::size_t bar = spec.find(L'|');
            options.windows.push_back(WindowSpec{
                spec.substr(0, bar), bar == std::wstring::npos ? L"" : spec.substr(bar + 1)});
        } else if (argument == L"--fake-minimized") {
            options.minimized = true;
        } else if (argument == L"--fake-hidden") {
            options.hidden = true;
        } else if (argument == L"--fake-refuse-activation") {
            options.refuseActivation = true;
        } else if (startsWith(argument, L"--fake-hang=")) {
            options.hangMilliseconds = static_cast<DWORD>(_wtoi(argument.c_str() + 12));
        } else if (argument == L"--fake-log-keys") {
            options.logKeys = true;
        } else if (startsWith(argument, L"--fake-lifetime=")) {
            options.lifetimeSeconds = static_cast<UINT>(_wtoi(argument.c_str() + 16));
        }
    }
    if (options.windows.empty()) {
        options.windows.push_back(WindowSpec{defaultClassFor(exeName), L"Fake Browser"});
    }
    return options;
}

std::vector<std::wstring> commandLineArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv) {
        for (int i = 1; i < count; ++i) {
            arguments.emplace_back(argv[i]);
        }
        LocalFree(argv);
    }
    return arguments;
}

int openWindows = 0;

LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            8, 8, 560, 24, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAddressBoxId)),
                            create->hInstance, nullptr);
            CreateWindowExW(0, L"EDIT", L"page", WS_CHILD | WS_VISIBLE | ES_READONLY, 8, 40, 560,
                            200, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageId)),
                            create->hInstance, nullptr);
            ++openWindows;
            return 0;
        }
        case WM_SETFOCUS:
            // The frame itself passes the focus on to the page, never to the address box.
            SetFocus(GetDlgItem(window, kPageId));
            return 0;
        case WM_DESTROY:
            if (--openWindows == 0) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerFrameClass(HINSTANCE instance, const std::wstring& className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = frameProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool isAddressBox(HWND window) {
    return window && GetDlgCtrlID(window) == kAddressBoxId && GetParent(window) != nullptr;
}

HWND frameOf(HWND window) {
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!root) {
        root = GetForegroundWindow();
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(root, &owner);
    return owner == GetCurrentProcessId() ? root : nullptr;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool keyHeld(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

void logKey(const MSG& message) {
    wchar_t text[16];
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        wsprintfW(text, L"%02X", static_cast<unsigned>(message.wParam));
        zelko::fakebrowser::logEvent(L"key", {text});
    } else if (message.message == WM_CHAR || message.message == WM_SYSCHAR) {
        const wchar_t unit[2] = {static_cast<wchar_t>(message.wParam), L'\0'};
        zelko::fakebrowser::logEvent(L"char", {unit});
    }
}

LRESULT CALLBACK refuseActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        return 1;  // prevents the activation
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Handles the keys a browser's own accelerators would; true when the message is consumed.
bool handleBrowserKey(const MSG& message, const wchar_t* ownChord) {
    const wchar_t* chord = nullptr;
    if (message.message == WM_SYSKEYDOWN && message.wParam == 'D' && keyHeld(VK_MENU) &&
        !keyHeld(VK_CONTROL)) {
        chord = L"alt-d";
    } else if (message.message == WM_KEYDOWN && message.wParam == 'L' && keyHeld(VK_CONTROL) &&
               !keyHeld(VK_MENU)) {
        chord = L"ctrl-l";
    }
    if (chord) {
        zelko::fakebrowser::logEvent(L"chord", {chord});
        HWND frame = frameOf(message.hwnd);
        if (frame && std::wstring_view(chord) == ownChord) {
            HWND box = GetDlgItem(frame, kAddressBoxId);
            SetFocus(box);
            SendMessageW(box, EM_SETSEL, 0, -1);
        }
        return true;
    }
    if (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP ||
        message.message == WM_SYSCHAR) {
        return true;  // no menu mode: a lone Alt must not swallow the keys that follow
    }
    if (message.message == WM_KEYDOWN && isAddressBox(message.hwnd)) {
        if (message.wParam == VK_DELETE) {
            SetWindowTextW(message.hwnd, L"");
            zelko::fakebrowser::logEvent(L"delete");
            return true;
        }
        if (message.wParam == VK_RETURN) {
            zelko::fakebrowser::logEvent(L"commit", {textOf(message.hwnd)});
            return true;
        }
    }
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::wstring exeName = executableBaseName();
    const std::vector<std::wstring> arguments = commandLineArguments();
    zelko::fakebrowser::logStart(exeName, arguments);

    const Options options = parseOptions(arguments, exeName);
    const wchar_t* ownChord = startsWith(exeName, L"opera") ? L"ctrl-l" : L"alt-d";
    HHOOK activationHook = nullptr;
    if (options.refuseActivation) {
        activationHook = SetWindowsHookExW(WH_CBT, refuseActivation, nullptr, GetCurrentThreadId());
    }

    int created = 0;
    for (const WindowSpec& spec : options.windows) {
        if (!registerFrameClass(instance, spec.className)) {
            continue;
        }
        HWND frame = CreateWindowExW(0, spec.className.c_str(), spec.title.c_str(),
                                     WS_OVERLAPPEDWINDOW, 100 + 30 * created, 100 + 30 * created,
                                     600, 300, nullptr, nullptr, instance, nullptr);
        if (!frame) {
            continue;
        }
        if (!options.hidden) {
            ShowWindow(frame, options.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
        }
        ++created;
        wchar_t handle[32];
        wsprintfW(handle, L"%p", frame);
        zelko::fakebrowser::logEvent(L"window", {handle, spec.className, spec.title});
    }
    if (created == 0) {
        zelko::fakebrowser::logEvent(L"failed");
        return 1;
    }
    SetTimer(nullptr, kLifetimeTimer, options.lifetimeSeconds * 1000, nullptr);
    zelko::fakebrowser::logEvent(L"ready");
    if (options.hangMilliseconds > 0) {
        Sleep(options.hangMilliseconds);  // no message is taken meanwhile
        zelko::fakebrowser::logEvent(L"awake");
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            break;
        }
        if (options.logKeys) {
            logKey(message);
        }
        if (handleBrowserKey(message, ownChord)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (activationHook) {
        UnhookWindowsHookEx(activationHook);
    }
    zelko::fakebrowser::logEvent(L"exit");
    return 0;
}

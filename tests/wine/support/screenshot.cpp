#include "support/screenshot.h"

#include <cstdio>
#include <cstdlib>

#include "common/win32/unique_handle.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {

namespace {

std::string regionGeometry(const RECT& region) {
    return std::to_string(region.right - region.left) + "x" +
           std::to_string(region.bottom - region.top) + "+" + std::to_string(region.left) + "+" +
           std::to_string(region.top);
}

std::wstring wideOf(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

std::string unixPathOf(const std::wstring& windowsPath) {
    using Converter = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Converter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) {
        return {};
    }
    char* unix = convert(windowsPath.c_str());
    if (!unix) {
        return {};
    }
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

int runUnixCommand(const std::string& commandLine, DWORD timeoutMs) {
    // Wine hands a Unix program to the system and does not wait for it, so the command reports
    // its exit code through a file that is polled for.
    static LONG serial = 0;
    std::wstring done = freshScratchDirectory(L"unix-command") + L"\\exit-" +
                        std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(InterlockedIncrement(&serial));
    std::string doneUnix = unixPathOf(done);
    if (doneUnix.empty()) {
        return -1;
    }
    std::wstring command = L"/bin/sh -c \"" + wideOf(commandLine) + L"; echo $? > '" +
                           wideOf(doneUnix) + L".part' && mv '" + wideOf(doneUnix) + L".part' '" +
                           wideOf(doneUnix) + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "screenshot: the Unix shell did not start (error %lu)\n",
                     GetLastError());
        return -1;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!waitUntil([&] { return fileExists(done); }, std::chrono::milliseconds(timeoutMs))) {
        return -1;
    }
    return std::atoi(readFileBytes(done).c_str());
}

std::wstring saveScreenshot(const std::wstring& name, const RECT& region) {
    std::wstring folder = binDirectory() + L"\\..\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring file = folder + L"\\" + name + L".png";
    DeleteFileW(file.c_str());
    std::string target = unixPathOf(file);
    if (target.empty()) {
        std::fprintf(stderr, "screenshot: no Unix path for the screenshot folder\n");
        return {};
    }
    std::string command =
        "import -window root -crop " + regionGeometry(region) + " +repage '" + target + "'";
    int exitCode = runUnixCommand(command);
    if (exitCode != 0 || !fileExists(file)) {
        std::fprintf(stderr, "screenshot: '%s' ended with %d\n", command.c_str(), exitCode);
        return {};
    }
    return file;
}

std::string captureScreenRgb(const RECT& region) {
    std::wstring file = freshScratchDirectory(L"capture") + L"\\region.rgb";
    std::string target = unixPathOf(file);
    if (target.empty() || runUnixCommand("import -window root -crop " + regionGeometry(region) +
                                         " +repage -depth 8 'rgb:" + target + "'") != 0) {
        return {};
    }
    return readFileBytes(file);
}

}  // namespace zelko::test

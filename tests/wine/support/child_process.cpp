#include "support/child_process.h"

namespace zelko::test {

std::wstring quoteArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

ChildProcess ChildProcess::start(const std::wstring& executable,
                                 const std::vector<std::wstring>& arguments,
                                 const std::wstring& workingDirectory) {
    std::wstring commandLine = quoteArgument(executable);
    for (const auto& argument : arguments) {
        commandLine += L" " + quoteArgument(argument);
    }
    return startCommandLine(commandLine, workingDirectory);
}

ChildProcess ChildProcess::startCommandLine(std::wstring commandLine,
                                            const std::wstring& workingDirectory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ChildProcess child;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        child.process_.reset(info.hProcess);
        child.id_ = info.dwProcessId;
    }
    return child;
}

std::optional<DWORD> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (!process_) {
        return std::nullopt;
    }
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::terminate() {
    if (running()) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

ChildProcess::~ChildProcess() {
    terminate();
}

}  // namespace zelko::test

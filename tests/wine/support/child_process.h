#pragma once
// A program started by a test; ended (terminated) when the holder goes unless it has exited.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace zelko::test {

class ChildProcess {
  public:
    ChildProcess() = default;
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    ~ChildProcess();

    // Starts `executable` with the given arguments (each quoted), in `workingDirectory` if given.
    static ChildProcess start(const std::wstring& executable,
                              const std::vector<std::wstring>& arguments = {},
                              const std::wstring& workingDirectory = L"");
    // Starts a whole command line as the shell would run it (the program's path may be quoted).
    static ChildProcess startCommandLine(std::wstring commandLine,
                                         const std::wstring& workingDirectory = L"");

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }

    // The exit code once the process has ended within the timeout.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout);
    bool running() const;
    void terminate();

  private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// Quotes one argument as the C runtime parses it.
std::wstring quoteArgument(const std::wstring& argument);

}  // namespace zelko::test

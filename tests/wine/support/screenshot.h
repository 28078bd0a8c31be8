#pragma once
// Screenshots of the Xvfb screen the Wine session draws on, taken with ImageMagick's `import`
// (Wine starts Unix programs too).

#include <windows.h>

#include <string>

namespace zelko::test {

// The Unix path of a Windows path, for the Unix programs that a test starts.
std::string unixPathOf(const std::wstring& windowsPath);

// Saves the screen region as a PNG file under the build tree's screenshots folder; returns the
// Windows path of the file, or empty on failure.
std::wstring saveScreenshot(const std::wstring& name, const RECT& region);

// The region's pixels as 8-bit RGB triples, row by row from the top; empty on failure.
std::string captureScreenRgb(const RECT& region);

// Runs a shell command line of the Unix side and waits for it; its exit code, or -1.
int runUnixCommand(const std::string& commandLine, DWORD timeoutMs = 20000);

}  // namespace zelko::test

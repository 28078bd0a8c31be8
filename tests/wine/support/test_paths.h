#pragma once
// Where the test programs find the built executables and a scratch folder.

#include <string>

namespace zelko::test {

// The folder of the running test program (the build's bin folder, beside the programs under test).
std::wstring binDirectory();

// Removes a folder with everything in it.
void removeTree(const std::wstring& folder);

// A fresh, empty folder for one test under the build tree's scratch area.
std::wstring freshScratchDirectory(const std::wstring& name);

// Deletes a folder with everything in it.
void removeTree(const std::wstring& folder);

bool copyFileTo(const std::wstring& from, const std::wstring& to);
std::string readFileBytes(const std::wstring& path);
bool writeFileBytes(const std::wstring& path, const std::string& bytes);
bool fileExists(const std::wstring& path);

// The current test's name as "Suite.Test", for folder and log names.
std::wstring currentTestName();

}  // namespace zelko::test

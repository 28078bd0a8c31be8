#include "support/update_bench.h"

#include <windows.h>

#include <sstream>

#include "support/reference_service.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {

std::string offerReply(unsigned version) {
    return std::to_string(version) + "\r\n" + ReferenceService::origin() + kInstallerPath + "\r\n";
}

std::wstring updateProbeProgram() {
    return binDirectory() + L"\\ZelkoUpdateProbe.exe";
}

std::wstring startUpdateProbeLog(const std::wstring& folderName) {
    const std::wstring log = freshScratchDirectory(folderName) + L"\\runs.log";
    SetEnvironmentVariableW(L"ZELKO_UPDATE_PROBE_LOG", log.c_str());
    return log;
}

std::vector<std::string> updateProbeRuns(const std::wstring& log) {
    std::vector<std::string> lines;
    std::istringstream text(readFileBytes(log));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::wstring temporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return folder;
}

std::vector<std::wstring> downloadLeftovers() {
    std::vector<std::wstring> names;
    for (const wchar_t* pattern : {L"ZelkoInstall.exe", L"ZLK*.tmp"}) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((temporaryFolder() + pattern).c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    return names;
}

void removeDownloadLeftovers() {
    for (const std::wstring& name : downloadLeftovers()) {
        const std::wstring path = temporaryFolder() + name;
        // A started stand-in installer may still hold its file for a moment.
        waitUntil([&] { return DeleteFileW(path.c_str()) || !fileExists(path); }, 5s);
    }
}

}  // namespace zelko::test

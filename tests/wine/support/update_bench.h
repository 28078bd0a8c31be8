#pragma once
// The update check's side of the bench: the update server's paths and offer on the reference web
// service, the stand-in installer (ZelkoUpdateProbe.exe) with its log, and the temporary folder
// where downloads land.

#include <string>
#include <vector>

namespace zelko::test {

constexpr char kUpdateInfoPath[] = "/drivers/update.php";
constexpr char kInstallerPath[] = "/files/ZelkoInstall.exe";

// The update server's reply that offers `version` with the installer at kInstallerPath.
std::string offerReply(unsigned version);

// The stand-in installer beside the test programs.
std::wstring updateProbeProgram();
// Names a fresh log for the stand-in installer in ZELKO_UPDATE_PROBE_LOG, which the programs
// started from now on inherit; returns its path.
std::wstring startUpdateProbeLog(const std::wstring& folderName);
// The lines the stand-in installer wrote to the log, "ran <its path>" each.
std::vector<std::string> updateProbeRuns(const std::wstring& log);

// The temporary folder of the Wine session's user, which the programs under test share.
std::wstring temporaryFolder();
// What a download may leave there: "ZelkoInstall.exe" and the temporary "ZLK*.tmp" files.
std::vector<std::wstring> downloadLeftovers();
void removeDownloadLeftovers();

}  // namespace zelko::test

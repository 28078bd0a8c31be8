#pragma once
// The update check's two requests to the maker's server (agent "ZELKOVER"): the update
// information and the download of the new installer. Both block their thread for the whole
// exchange (each phase up to the 10 s time-outs) and are run on a worker thread.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace zelko {

// Asks "/drivers/update.php" of the update server. Returns the newest middleware version number
// of the reply and puts its installer address (or nothing) into `installerAddress`; 0 for any
// failure: no answer, a status other than 200 after the redirects, a broken or cut transfer, a
// reply without a usable first line, or `keepGoing` cleared.
unsigned fetchUpdateInfo(std::string& installerAddress, const std::atomic<std::int32_t>& keepGoing);

// Downloads `address` (system ANSI code page) to the file `path` (ANSI). Returns 1 only when the
// answer was 200 and its whole body, a Windows program, is in the file; it is written under a
// temporary name beside `path` and renamed at the end, replacing an older file. Returns 0 for any
// failure, including `keepGoing` cleared, and then leaves nothing of it behind.
int downloadFile(const std::string& address, const std::string& path,
                 const std::atomic<std::int32_t>& keepGoing);

// The download target: the temporary folder (ANSI) followed by "ZelkoInstall.exe"; std::nullopt
// when the temporary folder cannot be found.
std::optional<std::string> installerDownloadPath();

// The update server's support page.
std::string supportPageAddress();

}  // namespace zelko

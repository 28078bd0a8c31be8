#pragma once
// The one HTTP GET of the auto-login client, through WinINet (agent "ZELKON").

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "web/http_result.h"

namespace zelko {

// Blocks for the whole exchange (each phase up to the 10 s time-outs). See HttpGet for the
// meaning of the arguments and the result.
HttpResult httpGet(const std::string& address, bool followRedirects,
                   const std::atomic<std::int32_t>& keepGoing, std::optional<std::string>& answer);

}  // namespace zelko

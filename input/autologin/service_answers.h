#pragma once
// Reading the auto-login service's answers: the site definition of checkenable.php and the
// registration of regonetime.php.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "autologin/login_record.h"

namespace zelko {

// A line of an answer holds at most this many bytes.
constexpr std::size_t kMaxAnswerLineLength = 1023;
// The one-time identifier of a registration is exactly this long.
constexpr std::size_t kOneTimeIdLength = 64;

// The lines of an answer: a line ends at CR, LF or CR LF; reading stops at the end of the text
// (or its first NUL byte) or at the first empty line. std::nullopt when a line read is longer than
// kMaxAnswerLineLength bytes: such an answer is malformed as a whole, never cut.
std::optional<std::vector<std::string>> readAnswerLines(std::string_view answer);

// A decimal number as the service writes it: leading blanks and a sign allowed, reading stops at
// the first other byte, no digits give 0; values beyond 32 bits are held at the int32 limits.
std::int32_t parseDecimal(std::string_view text);

// The site definition into `candidate` (uid, siteKey, siteTitle and the fields; nothing else is
// touched): line 1 the uid, line 2 the key, line 3 the title, then one field a line as
// "name,maxLength,kind,label" (kind text, password, next or hidden in any letter case; items
// after the fourth ignored). False, with the candidate left in an unspecified state, for no answer,
// fewer than three lines, a field line of fewer than four items or an unknown kind.
bool parseSiteDefinition(const std::optional<std::string>& answer, LoginRecord& candidate);

struct Registration {
    std::string oid;       // exactly kOneTimeIdLength bytes
    bool needUrl = false;  // the preparation page must be opened first
};

// Line 1 the one-time identifier (exactly 64 bytes), line 2 optionally "needurl" in any letter
// case; further lines ignored. std::nullopt for no answer, an empty first line or a first line of
// another length.
std::optional<Registration> parseRegistration(const std::optional<std::string>& answer);

}  // namespace zelko

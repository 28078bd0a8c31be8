// The auto-login service's answers over any bytes: the site definition of checkenable.php and the
// registration of regonetime.php.
//
// Properties: the lines of an answer are never empty and hold at most 1023 bytes and no CR, LF or
// NUL, and an answer with a longer line is refused as a whole; a definition is taken only with at
// least three lines, then one field for every further line, each of a known kind, its name and
// label free of commas; a definition written back as an answer reads back to the same record
// (round trip); a registration's identifier is exactly 64 bytes of its first line and "needurl"
// is recognised only in the second line; a number written in decimal reads back as itself, and
// any number read stays within 32 bits.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "autologin/login_record.h"
#include "autologin/service_answers.h"
#include "common/fuzz/fuzz_check.h"

namespace {

using namespace zelko;

const char* kindWord(FieldType type) {
    switch (type) {
        case FieldText:
            return "text";
        case FieldPassword:
            return "password";
        case FieldNext:
            return "next";
        case FieldHidden:
            return "hidden";
        case FieldUnset:
            break;
    }
    return "";
}

bool sameRecord(const LoginRecord& a, const LoginRecord& b) {
    if (a.uid != b.uid || a.siteKey != b.siteKey || a.siteTitle != b.siteTitle ||
        a.fields.size() != b.fields.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.fields.size(); ++i) {
        const LoginField& x = a.fields[i];
        const LoginField& y = b.fields[i];
        if (x.fieldType != y.fieldType || x.fieldName != y.fieldName ||
            x.fieldLabel != y.fieldLabel || x.maxLength != y.maxLength) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> checkedLines(std::string_view answer) {
    const std::optional<std::vector<std::string>> lines = readAnswerLines(answer);
    if (!lines) {
        // Refused only for a line that is too long.
        const std::string_view text = answer.substr(0, answer.find('\0'));
        std::size_t longest = 0;
        std::size_t start = 0;
        for (std::size_t at = 0; at <= text.size(); ++at) {
            if (at == text.size() || text[at] == '\r' || text[at] == '\n') {
                longest = std::max(longest, at - start);
                start = at + 1;
            }
        }
        FUZZ_CHECK(longest > kMaxAnswerLineLength);
        return {};
    }
    for (const std::string& line : *lines) {
        FUZZ_CHECK(!line.empty());
        FUZZ_CHECK(line.size() <= kMaxAnswerLineLength);
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    }
    return *lines;
}

void checkDefinition(std::string_view answer, const std::vector<std::string>& lines) {
    LoginRecord candidate;
    if (!parseSiteDefinition(std::string(answer), candidate)) {
        return;
    }
    FUZZ_CHECK(lines.size() >= 3);
    FUZZ_CHECK(candidate.fields.size() == lines.size() - 3);
    FUZZ_CHECK(candidate.uid == parseDecimal(lines[0]));
    FUZZ_CHECK(candidate.siteKey == lines[1]);
    FUZZ_CHECK(candidate.siteTitle == lines[2]);
    for (const LoginField& field : candidate.fields) {
        FUZZ_CHECK(field.fieldType >= FieldText && field.fieldType <= FieldHidden);
        FUZZ_CHECK(field.fieldName.find(',') == std::string::npos);
        FUZZ_CHECK(field.fieldLabel.find(',') == std::string::npos);
        FUZZ_CHECK(field.fieldValue.empty());
    }

    // Written back as the service would write it, the definition reads back the same. (A field
    // line whose length item was empty grows by its "0"; past the line limit it is not written.)
    std::vector<std::string> written = {std::to_string(candidate.uid), candidate.siteKey,
                                        candidate.siteTitle};
    for (const LoginField& field : candidate.fields) {
        written.push_back(field.fieldName + "," + std::to_string(field.maxLength) + "," +
                          kindWord(field.fieldType) + "," + field.fieldLabel);
    }
    std::string rewritten;
    const char* lineEnds[] = {"\r\n", "\n", "\r"};
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i].size() > kMaxAnswerLineLength) {
            return;
        }
        rewritten += written[i] + lineEnds[i % 3];
    }
    LoginRecord reread;
    FUZZ_CHECK(parseSiteDefinition(rewritten, reread));
    FUZZ_CHECK(sameRecord(reread, candidate));
}

void checkRegistration(std::string_view answer, const std::vector<std::string>& lines) {
    const std::optional<Registration> registration = parseRegistration(std::string(answer));
    if (!registration) {
        FUZZ_CHECK(lines.empty() || lines[0].size() != kOneTimeIdLength);
        return;
    }
    FUZZ_CHECK(!lines.empty());
    FUZZ_CHECK(registration->oid == lines[0]);
    FUZZ_CHECK(registration->oid.size() == kOneTimeIdLength);
    FUZZ_CHECK(registration->needUrl ==
               (lines.size() > 1 && equalIgnoringAsciiCase(lines[1], "NeedURL")));
}

void checkDecimal(std::string_view text) {
    const std::int32_t value = parseDecimal(text);
    FUZZ_CHECK(parseDecimal(std::to_string(value)) == value);
    FUZZ_CHECK(parseDecimal(" \t" + std::to_string(value) + "x") == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = checkedLines(answer);
    checkDefinition(answer, lines);
    checkRegistration(answer, lines);
    checkDecimal(answer);
    LoginRecord unused;
    FUZZ_CHECK(!parseSiteDefinition(std::nullopt, unused));
    FUZZ_CHECK(!parseRegistration(std::nullopt));
    return 0;
}

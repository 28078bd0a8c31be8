#include "autologin/service_answers.h"

#include <limits>

#include "web/text_lines.h"

namespace zelko {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::vector<std::string_view> splitAtCommas(std::string_view line) {
    std::vector<std::string_view> items;
    for (;;) {
        const std::size_t comma = line.find(',');
        items.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) {
            return items;
        }
        line.remove_prefix(comma + 1);
    }
}

std::optional<FieldType> fieldTypeOf(std::string_view kind) {
    if (equalIgnoringAsciiCase(kind, "text")) {
        return FieldText;
    }
    if (equalIgnoringAsciiCase(kind, "password")) {
        return FieldPassword;
    }
    if (equalIgnoringAsciiCase(kind, "next")) {
        return FieldNext;
    }
    if (equalIgnoringAsciiCase(kind, "hidden")) {
        return FieldHidden;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> readAnswerLines(std::string_view answer) {
    std::vector<std::string> lines;
    std::optional<std::string_view> rest = answer;
    while (rest && !rest->empty()) {
        std::string line;
        rest = copyFirstLine(*rest, line);
        if (line.empty()) {
            break;
        }
        if (line.size() > kMaxAnswerLineLength) {
            return std::nullopt;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::int32_t parseDecimal(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(value >= kLimit ? kLimit - 1 : value);
}

bool parseSiteDefinition(const std::optional<std::string>& answer, LoginRecord& candidate) {
    if (!answer) {
        return false;
    }
    const std::optional<std::vector<std::string>> lines = readAnswerLines(*answer);
    if (!lines || lines->size() < 3) {
        return false;
    }
    candidate.uid = parseDecimal((*lines)[0]);
    candidate.siteKey = (*lines)[1];
    candidate.siteTitle = (*lines)[2];
    candidate.fields.clear();
    for (std::size_t index = 3; index < lines->size(); ++index) {
        const std::vector<std::string_view> items = splitAtCommas((*lines)[index]);
        if (items.size() < 4) {
            return false;
        }
        const std::optional<FieldType> type = fieldTypeOf(items[2]);
        if (!type) {
            return false;
        }
        LoginField& field = candidate.fields.emplace_back();
        field.fieldName = items[0];
        field.maxLength = parseDecimal(items[1]);
        field.fieldType = *type;
        field.fieldLabel = items[3];
    }
    return true;
}

std::optional<Registration> parseRegistration(const std::optional<std::string>& answer) {
    if (!answer) {
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> lines = readAnswerLines(*answer);
    if (!lines || lines->empty() || (*lines)[0].size() != kOneTimeIdLength) {
        return std::nullopt;
    }
    Registration registration;
    registration.oid = (*lines)[0];
    registration.needUrl = lines->size() > 1 && equalIgnoringAsciiCase((*lines)[1], "needurl");
    return registration;
}

}  // namespace zelko

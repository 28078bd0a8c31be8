#include "autologin/login_record.h"

#include <algorithm>

namespace zelko {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameFieldShape(const LoginField& a, const LoginField& b) {
    return a.fieldName == b.fieldName && a.fieldType == b.fieldType && a.maxLength == b.maxLength;
}

}  // namespace

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool sameDefinition(const LoginRecord& candidate, const LoginRecord& stored) {
    if (!equalIgnoringAsciiCase(candidate.siteKey, stored.siteKey) ||
        candidate.penId != stored.penId || candidate.fieldCount() != stored.fieldCount()) {
        return false;
    }
    return std::all_of(
        candidate.fields.begin(), candidate.fields.end(), [&](const LoginField& wanted) {
            return std::any_of(
                stored.fields.begin(), stored.fields.end(),
                [&](const LoginField& kept) { return sameFieldShape(wanted, kept); });
        });
}

LoginRecord& LoginRecordList::append() {
    return records_.emplace_back();
}

LoginRecord* LoginRecordList::findByKeyAndPen(std::string_view siteKey,
                                              std::optional<std::string_view> penId) {
    for (LoginRecord& record : records_) {
        if (equalIgnoringAsciiCase(record.siteKey, siteKey) && (!penId || record.penId == *penId)) {
            return &record;
        }
    }
    return nullptr;
}

bool LoginRecordList::removeFirstByKey(std::string_view siteKey) {
    const auto found =
        std::find_if(records_.begin(), records_.end(),
                     [&](const LoginRecord& record) { return record.siteKey == siteKey; });
    if (found == records_.end()) {
        return false;
    }
    records_.erase(found);
    return true;
}

bool LoginRecordList::remove(const LoginRecord& record) {
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&](const LoginRecord& kept) { return &kept == &record; });
    if (found == records_.end()) {
        return false;
    }
    records_.erase(found);
    return true;
}

}  // namespace zelko

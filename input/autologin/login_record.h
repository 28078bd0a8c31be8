#pragma once
// The auto-login records: for each pair of site and pen, the login form definition that the service
// gave for the site and the values the user typed for it. They live in memory for the life of the
// process; nothing is stored on disk.

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

enum FieldType : std::int32_t {
    FieldUnset = -1,
    FieldText = 0,      // "text": shown, typed by the user
    FieldPassword = 1,  // "password": shown masked
    FieldNext = 2,      // "next": not shown; sent with the site address as its value
    FieldHidden = 3,    // "hidden": neither shown nor sent
};

// Shown in the login input window and filled by the user.
inline bool isShownField(FieldType type) {
    return type != FieldNext && type != FieldHidden;
}

struct LoginField {
    FieldType fieldType = FieldUnset;
    std::string fieldName;   // the query key
    std::string fieldValue;  // what the user entered, system ANSI code page; empty when not shown
    std::string fieldLabel;  // UTF-8 caption beside the edit box
    std::int32_t maxLength = 0;
};

struct LoginRecord {
    std::int32_t uid = 0;            // the service's number of the site definition
    std::string penId;               // from the scanned code
    std::string siteKey;             // compared ignoring ASCII letter case
    std::string siteTitle;           // UTF-8, shown to the user
    std::vector<LoginField> fields;  // in the order the service listed them

    std::size_t fieldCount() const { return fields.size(); }
};

// True when the stored record still fits the candidate fetched from the service: keys equal
// ignoring ASCII letter case, pen ids equal byte for byte, the same number of fields, and for every
// candidate field a stored field (at any position) of equal name, type and maxLength. Labels,
// titles, uid and values are not compared.
bool sameDefinition(const LoginRecord& candidate, const LoginRecord& stored);

// ASCII letters compared without their case; every other byte as it is.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

// The stored records in insertion order. References to records stay valid until the record is
// removed.
class LoginRecordList {
  public:
    // A new empty record at the tail.
    LoginRecord& append();
    // The first record whose siteKey equals `siteKey` ignoring ASCII letter case and whose penId
    // equals `penId` byte for byte (any pen when `penId` is std::nullopt); null when none.
    LoginRecord* findByKeyAndPen(std::string_view siteKey, std::optional<std::string_view> penId);
    // Removes the first record whose siteKey equals `siteKey` byte for byte, whatever its pen.
    bool removeFirstByKey(std::string_view siteKey);
    // Removes exactly this record, if it is in the list.
    bool remove(const LoginRecord& record);
    void empty() { records_.clear(); }
    std::size_t count() const { return records_.size(); }
    const std::list<LoginRecord>& records() const { return records_; }

  private:
    std::list<LoginRecord> records_;
};

}  // namespace zelko

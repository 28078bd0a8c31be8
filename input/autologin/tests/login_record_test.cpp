#include "autologin/login_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelko {
namespace {

LoginField field(const char* name, FieldType type, int maxLength, const char* label = "") {
    LoginField made;
    made.fieldName = name;
    made.fieldType = type;
    made.maxLength = maxLength;
    made.fieldLabel = label;
    return made;
}

LoginRecord record(const char* siteKey, const char* penId, std::vector<LoginField> fields = {}) {
    LoginRecord made;
    made.uid = 7;
    made.siteKey = siteKey;
    made.penId = penId;
    made.siteTitle = "Shop";
    made.fields = std::move(fields);
    return made;
}

LoginRecord& appendCopy(LoginRecordList& list, const LoginRecord& source) {
    LoginRecord& added = list.append();
    added = source;
    return added;
}

TEST(LoginRecordList, KeepsOneRecordPerPenAndFindsThePensOwn) {
    LoginRecordList list;
    LoginRecord& first = appendCopy(list, record("shop", "PEN1"));
    LoginRecord& second = appendCopy(list, record("shop", "PEN2"));
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.findByKeyAndPen("shop", std::string_view("PEN1")), &first);
    EXPECT_EQ(list.findByKeyAndPen("shop", std::string_view("PEN2")), &second);
    EXPECT_EQ(list.findByKeyAndPen("shop", std::string_view("PEN3")), nullptr);
    // Pen ids count byte for byte.
    EXPECT_EQ(list.findByKeyAndPen("shop", std::string_view("pen1")), nullptr);
    // No pen given: the first record of the site, whatever its pen.
    EXPECT_EQ(list.findByKeyAndPen("shop", std::nullopt), &first);
}

TEST(LoginRecordList, FindIgnoresTheKeysLetterCaseAndRemoveDoesNot) {
    LoginRecordList list;
    LoginRecord& stored = appendCopy(list, record("Shop.Example", "PEN1"));
    EXPECT_EQ(list.findByKeyAndPen("shop.example", std::string_view("PEN1")), &stored);
    EXPECT_EQ(list.findByKeyAndPen("SHOP.EXAMPLE", std::string_view("PEN1")), &stored);
    EXPECT_EQ(list.findByKeyAndPen("shop.exampl", std::string_view("PEN1")), nullptr);

    EXPECT_FALSE(list.removeFirstByKey("shop.example"));
    EXPECT_EQ(list.count(), 1u);
    EXPECT_TRUE(list.removeFirstByKey("Shop.Example"));
    EXPECT_EQ(list.count(), 0u);
}

TEST(LoginRecordList, RemoveFirstByKeyTakesTheOldestWhateverItsPen) {
    LoginRecordList list;
    appendCopy(list, record("shop", "PEN1"));
    LoginRecord& second = appendCopy(list, record("shop", "PEN2"));
    LoginRecord& other = appendCopy(list, record("news", "PEN1"));
    EXPECT_TRUE(list.removeFirstByKey("shop"));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(&list.records().front(), &second);
    EXPECT_EQ(&list.records().back(), &other);
}

TEST(LoginRecordList, RemoveTakesExactlyTheGivenRecordAndKeepsTheOrder) {
    LoginRecordList list;
    LoginRecord& first = appendCopy(list, record("shop", "PEN1"));
    LoginRecord& second = appendCopy(list, record("shop", "PEN2"));
    LoginRecord& third = appendCopy(list, record("shop", "PEN1"));
    EXPECT_TRUE(list.remove(second));
    EXPECT_FALSE(list.remove(second));
    LoginRecord outside = record("shop", "PEN1");
    EXPECT_FALSE(list.remove(outside));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(&list.records().front(), &first);
    EXPECT_EQ(&list.records().back(), &third);
    // References to the records left stay valid.
    EXPECT_EQ(first.penId, "PEN1");
    list.empty();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.findByKeyAndPen("shop", std::nullopt), nullptr);
}

TEST(LoginRecord, CopyKeepsFieldsAndValuesInOrder) {
    LoginRecord source =
        record("shop", "PEN1",
               {field("user", FieldText, 20, "User"), field("pass", FieldPassword, 16, "Password"),
                field("url", FieldNext, 0), field("token", FieldHidden, 0)});
    source.fields[0].fieldValue = "taro";
    source.fields[1].fieldValue = "secret";
    LoginRecordList list;
    const LoginRecord& copy = appendCopy(list, source);
    source.fields[0].fieldValue = "changed";
    ASSERT_EQ(copy.fieldCount(), 4u);
    EXPECT_EQ(copy.uid, 7);
    EXPECT_EQ(copy.siteTitle, "Shop");
    EXPECT_EQ(copy.fields[0].fieldValue, "taro");
    EXPECT_EQ(copy.fields[1].fieldName, "pass");
    EXPECT_EQ(copy.fields[1].maxLength, 16);
    EXPECT_EQ(copy.fields[3].fieldType, FieldHidden);
}

struct DefinitionCase {
    const char* name;
    LoginRecord candidate;
    bool same;
};

void PrintTo(const DefinitionCase& c, std::ostream* os) {
    *os << c.name;
}

LoginRecord storedDefinition() {
    return record("Shop", "PEN1",
                  {field("user", FieldText, 20, "User"), field("pass", FieldPassword, 16, "Pass")});
}

class SameDefinition : public ::testing::TestWithParam<DefinitionCase> {};

TEST_P(SameDefinition, ComparesKeyPenAndFieldShapesOnly) {
    EXPECT_EQ(sameDefinition(GetParam().candidate, storedDefinition()), GetParam().same);
}

LoginRecord changed(void (*change)(LoginRecord&)) {
    LoginRecord candidate = storedDefinition();
    change(candidate);
    return candidate;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameDefinition,
    ::testing::Values(
        DefinitionCase{"Unchanged", storedDefinition(), true},
        DefinitionCase{"LabelTitleUidAndValuesChanged", changed([](LoginRecord& r) {
                           r.fields[0].fieldLabel = "ユーザー";
                           r.siteTitle = "Another";
                           r.uid = 99;
                           r.fields[1].fieldValue = "typed";
                       }),
                       true},
        DefinitionCase{"KeyInAnotherLetterCase",
                       changed([](LoginRecord& r) { r.siteKey = "SHOP"; }), true},
        DefinitionCase{"FieldsInAnotherOrder",
                       changed([](LoginRecord& r) { std::swap(r.fields[0], r.fields[1]); }), true},
        DefinitionCase{"TextBecamePassword",
                       changed([](LoginRecord& r) { r.fields[0].fieldType = FieldPassword; }),
                       false},
        DefinitionCase{"MaxLengthChanged",
                       changed([](LoginRecord& r) { r.fields[1].maxLength = 17; }), false},
        DefinitionCase{"NameChanged",
                       changed([](LoginRecord& r) { r.fields[0].fieldName = "User"; }), false},
        DefinitionCase{
            "FieldAdded",
            changed([](LoginRecord& r) { r.fields.push_back(field("x", FieldText, 1)); }), false},
        DefinitionCase{"OtherPen", changed([](LoginRecord& r) { r.penId = "PEN2"; }), false},
        DefinitionCase{"OtherKey", changed([](LoginRecord& r) { r.siteKey = "Shop2"; }), false},
        // Every candidate field needs a partner; one stored field may serve two of them.
        DefinitionCase{"TwoCandidateFieldsMatchingOneStoredField",
                       changed([](LoginRecord& r) { r.fields[1] = r.fields[0]; }), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SameDefinitionWithoutFields, KeyPenAndCountDecide) {
    EXPECT_TRUE(sameDefinition(record("a", "P"), record("A", "P")));
    EXPECT_FALSE(sameDefinition(record("a", "P"), record("a", "Q")));
}

}  // namespace
}  // namespace zelko

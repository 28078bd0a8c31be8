#include "autologin/service_requests.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zelko {
namespace {

const std::string kBase = "http://svc.example:8080/autologin/";

// The query of an address read back as a standard form parser does: "+" is a space, %XX a byte.
std::vector<std::pair<std::string, std::string>> decodedQuery(const std::string& address) {
    auto decode = [](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '+') {
                out += ' ';
            } else if (text[i] == '%' && i + 2 < text.size()) {
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += text[i];
            }
        }
        return out;
    };
    std::vector<std::pair<std::string, std::string>> pairs;
    const std::size_t question = address.find('?');
    EXPECT_NE(question, std::string::npos);
    EXPECT_EQ(address.find('#'), std::string::npos) << "a fragment would hide the rest";
    std::string query = address.substr(question + 1);
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos) {
            end = query.size();
        }
        const std::string pair = query.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        pairs.emplace_back(decode(pair.substr(0, equals)),
                           equals == std::string::npos ? "" : decode(pair.substr(equals + 1)));
        start = end + 1;
    }
    return pairs;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(ServiceRequests, FromZelkoEncodesPenIdAndBarcode) {
    EXPECT_EQ(fromZelkoAddress("http://127.0.0.2:80", "PEN1", "4901234567894"),
              "http://127.0.0.2:80/command/fromzelko.php?penid=PEN1&barcode=4901234567894");
    const std::string hostile = fromZelkoAddress("http://o", "P&x=1 #", "b%20c+d");
    EXPECT_EQ(hostile, "http://o/command/fromzelko.php?penid=P%26x%3D1+%23&barcode=b%2520c%2Bd");
    EXPECT_EQ(decodedQuery(hostile), (Pairs{{"penid", "P&x=1 #"}, {"barcode", "b%20c+d"}}));
}

TEST(ServiceRequests, CheckEnableEncodesTheSiteAddress) {
    const std::string address = checkEnableAddress(kBase, "http://shop.example/a?b=c&d=e#f");
    EXPECT_EQ(address,
              kBase + "checkenable.php?hp=http%3A%2F%2Fshop.example%2Fa%3Fb%3Dc%26d%3De%23f");
    EXPECT_EQ(decodedQuery(address), (Pairs{{"hp", "http://shop.example/a?b=c&d=e#f"}}));
}

TEST(ServiceRequests, RegistrationSendsEveryFieldButHiddenOnesInOrder) {
    LoginRecord record;
    record.uid = -3;
    auto add = [&](const char* name, FieldType type, const std::string& value) {
        LoginField& field = record.fields.emplace_back();
        field.fieldName = name;
        field.fieldType = type;
        field.fieldValue = value;
    };
    add("user", FieldText, "taro yamada&co");
    add("token", FieldHidden, "");
    add("back", FieldNext, "");
    // A value in Shift_JIS (山田) goes byte by byte.
    add("pass", FieldPassword, "\x8E\x52\x93\x63#1");
    const std::string address = registrationAddress(kBase, record, "http://shop.example/?a=1");
    EXPECT_EQ(address, kBase +
                           "regonetime.php?uid=-3&user=taro+yamada%26co"
                           "&back=http%3A%2F%2Fshop.example%2F%3Fa%3D1&pass=%8ER%93c%231");
    EXPECT_EQ(decodedQuery(address), (Pairs{{"uid", "-3"},
                                            {"user", "taro yamada&co"},
                                            {"back", "http://shop.example/?a=1"},
                                            {"pass", "\x8E\x52\x93\x63#1"}}));
}

TEST(ServiceRequests, PagesAndTheDownloadCheckCarryTheOneTimeId) {
    const std::string oid(64, 'f');
    EXPECT_EQ(checkDownloadedAddress(kBase, oid), kBase + "checkdownloaded.php?oid=" + oid);
    EXPECT_EQ(preparationPageAddress(kBase, oid), kBase + "loadandup.php?oid=" + oid);
    EXPECT_EQ(loginPageAddress(kBase, oid), kBase + "autologin.php?oid=" + oid);
    EXPECT_EQ(loginPageAddress(kBase, "a b&c"), kBase + "autologin.php?oid=a+b%26c");
}

struct RedirectCase {
    std::string current;
    std::string location;
    std::string target;
};

void PrintTo(const RedirectCase& c, std::ostream* os) {
    *os << c.current << " + " << c.location;
}

class RedirectTarget : public ::testing::TestWithParam<RedirectCase> {};

TEST_P(RedirectTarget, ResolvesTheLocationAgainstTheCurrentAddress) {
    EXPECT_EQ(redirectTarget(GetParam().current, GetParam().location), GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Locations, RedirectTarget,
    ::testing::Values(
        RedirectCase{"http://a.example/x/y", "http://b.example/z", "http://b.example/z"},
        RedirectCase{"http://a.example/x/y", "HTTPS://b.example/z", "HTTPS://b.example/z"},
        RedirectCase{"http://a.example:81/x/y", "//b.example/z", "http://b.example/z"},
        RedirectCase{"http://a.example:81/x/y?q=1", "/z?r=2", "http://a.example:81/z?r=2"},
        RedirectCase{"http://a.example:81", "/z", "http://a.example:81/z"},
        RedirectCase{"http://a.example/x/y?q=/1", "z", "http://a.example/x/z"},
        RedirectCase{"http://a.example?q=/1", "z", "http://a.example/z"},
        RedirectCase{"http://a.example/x/", "../z", "http://a.example/x/../z"},
        RedirectCase{"http://a.example/x", "", ""}));

TEST(ServiceOriginIn, FindsTheFirstOriginInTheirOrder) {
    const std::vector<std::string> origins = {"http://svc.example", "http://10.0.0.2",
                                              "http://10.0.0.3", "http://10.0.0.4"};
    EXPECT_EQ(serviceOriginIn("http://shop.example/a", origins), nullptr);
    const std::string* found = serviceOriginIn("http://10.0.0.3/go?next=http://10.0.0.2/", origins);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, "http://10.0.0.2");
    found = serviceOriginIn("http://svc.example/x", origins);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, "http://svc.example");
}

}  // namespace
}  // namespace zelko

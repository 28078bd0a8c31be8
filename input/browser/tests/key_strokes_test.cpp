#include "browser/key_strokes.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace zelko {
namespace {

KeyStroke down(std::uint16_t key) {
    return {KeyStroke::Kind::VirtualKey, key, false};
}
KeyStroke up(std::uint16_t key) {
    return {KeyStroke::Kind::VirtualKey, key, true};
}
KeyStroke unicodeDown(char16_t unit) {
    return {KeyStroke::Kind::Unicode, unit, false};
}
KeyStroke unicodeUp(char16_t unit) {
    return {KeyStroke::Kind::Unicode, unit, true};
}

struct ChordCase {
    KeyChord chord;
    std::vector<KeyStroke> strokes;
};

void PrintTo(const ChordCase& c, std::ostream* os) {
    *os << "chord 0x" << std::hex << c.chord;
}

class ChordStrokesTest : public ::testing::TestWithParam<ChordCase> {};

TEST_P(ChordStrokesTest, ModifiersAroundTheKeyInOrder) {
    EXPECT_EQ(chordStrokes(GetParam().chord), GetParam().strokes);
}

INSTANTIATE_TEST_SUITE_P(
    Chords, ChordStrokesTest,
    ::testing::Values(ChordCase{kChordAltD, {down(0x12), down(0x44), up(0x44), up(0x12)}},
                      ChordCase{kChordCtrlL, {down(0x11), down(0x4C), up(0x4C), up(0x11)}},
                      ChordCase{0x0041, {down(0x41), up(0x41)}},
                      ChordCase{0x0731,
                                {down(0x10), down(0x11), down(0x12), down(0x31), up(0x31), up(0x12),
                                 up(0x11), up(0x10)}}));

// A layout like Wine's under Xvfb: letters and some punctuation, no parentheses, no non-ASCII.
std::int16_t testLayout(char16_t unit) {
    static const std::map<char16_t, std::int16_t> keys = {
        {u'a', 0x0041}, {u'A', 0x0141}, {u':', 0x00BA},
        {u'/', 0x00BF}, {u'%', 0x0135}, {u'@', 0x0632},  // AltGr (Ctrl+Alt) with 2
        {u'~', 0x08DE},  // needs a shift state beyond Shift, Ctrl and Alt
    };
    auto found = keys.find(unit);
    return found == keys.end() ? -1 : found->second;
}

TEST(TypingStrokes, ProducibleCharactersUseTheirChord) {
    EXPECT_EQ(typingStrokes(u"aA:", testLayout),
              (std::vector<KeyStroke>{down(0x41), up(0x41), down(0x10), down(0x41), up(0x41),
                                      up(0x10), down(0xBA), up(0xBA)}));
    EXPECT_EQ(
        typingStrokes(u"@", testLayout),
        (std::vector<KeyStroke>{down(0x11), down(0x12), down(0x32), up(0x32), up(0x12), up(0x11)}));
}

TEST(TypingStrokes, UnproducibleCharactersAreSentAsThemselves) {
    EXPECT_EQ(typingStrokes(u"(a)é~", testLayout),
              (std::vector<KeyStroke>{unicodeDown(u'('), unicodeUp(u'('), down(0x41), up(0x41),
                                      unicodeDown(u')'), unicodeUp(u')'), unicodeDown(u'é'),
                                      unicodeUp(u'é'), unicodeDown(u'~'), unicodeUp(u'~')}));
}

TEST(TypingStrokes, NeverPressesTheAllModifiersChordOfMinusOne) {
    const auto strokes = typingStrokes(u"(((", [](char16_t) -> std::int16_t { return -1; });
    ASSERT_EQ(strokes.size(), 6u);
    for (const KeyStroke& stroke : strokes) {
        EXPECT_EQ(stroke.kind, KeyStroke::Kind::Unicode);
        EXPECT_EQ(stroke.code, u'(');
    }
}

TEST(TypingStrokes, EmptyTextTypesNothing) {
    EXPECT_TRUE(typingStrokes(u"", testLayout).empty());
}

}  // namespace
}  // namespace zelko

#include "browser/key_strokes.h"

#include <gtest/gtest.h>

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

TEST(UnicodeStrokes, EveryCodeUnitIsPressedAndReleasedAsItself) {
    EXPECT_EQ(unicodeStrokes(u"a(é"),
              (std::vector<KeyStroke>{unicodeDown(u'a'), unicodeUp(u'a'), unicodeDown(u'('),
                                      unicodeUp(u'('), unicodeDown(u'é'), unicodeUp(u'é')}));
    // A character outside the basic plane goes as its two surrogates, in order.
    EXPECT_EQ(unicodeStrokes(u"\U0001F600"),
              (std::vector<KeyStroke>{unicodeDown(0xD83D), unicodeUp(0xD83D), unicodeDown(0xDE00),
                                      unicodeUp(0xDE00)}));
    EXPECT_TRUE(unicodeStrokes(u"").empty());
}

TEST(AddressBarDelivery, ThreeChordsThenDeleteThenTheAddressAndEnterInOneStep) {
    const auto steps = addressBarDelivery(kChordCtrlL, u"http://h/p/1");
    ASSERT_EQ(steps.size(), 5u);
    for (int chord = 0; chord < 3; ++chord) {
        EXPECT_EQ(steps[chord].strokes, chordStrokes(kChordCtrlL)) << chord;
    }
    EXPECT_EQ(steps[3].strokes, (std::vector<KeyStroke>{down(0x2E), up(0x2E)}));
    // The address and Enter go together: nothing typed by the user or queued meanwhile can come
    // between them, and the characters are never posted past the Delete.
    std::vector<KeyStroke> typing = unicodeStrokes(u"http://h/p/1");
    typing.push_back(down(0x0D));
    typing.push_back(up(0x0D));
    EXPECT_EQ(steps[4].strokes, typing);
    for (const DeliveryStep& step : steps) {
        EXPECT_EQ(step.pauseMs, 100u);
    }
}

TEST(AddressBarDelivery, AddressIsCutTo1024CodeUnits) {
    const std::u16string longAddress(1500, u'x');
    const auto steps = addressBarDelivery(kChordAltD, longAddress);
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[4].strokes.size(), 2 * 1024 + 2);
    EXPECT_EQ(steps[4].strokes[2 * 1024], down(0x0D));
}

struct PartialSendCase {
    const char* name;
    std::vector<KeyStroke> strokes;
    std::size_t sent;
    std::vector<KeyStroke> releases;
};

void PrintTo(const PartialSendCase& c, std::ostream* os) {
    *os << c.name;
}

class ReleasesAfterPartialSend : public ::testing::TestWithParam<PartialSendCase> {};

TEST_P(ReleasesAfterPartialSend, ReleaseWhatWasLeftDown) {
    EXPECT_EQ(releasesAfterPartialSend(GetParam().strokes, GetParam().sent), GetParam().releases);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReleasesAfterPartialSend,
    ::testing::Values(PartialSendCase{"NothingSent", chordStrokes(kChordAltD), 0, {}},
                      PartialSendCase{"AltDown", chordStrokes(kChordAltD), 1, {up(0x12)}},
                      PartialSendCase{
                          "AltAndDDown", chordStrokes(kChordAltD), 2, {up(0x44), up(0x12)}},
                      PartialSendCase{"OnlyAltLeft", chordStrokes(kChordAltD), 3, {up(0x12)}},
                      PartialSendCase{"AllSent", chordStrokes(0x0731), 8, {}},
                      PartialSendCase{"UnicodeNeedsNoRelease",
                                      {unicodeDown(u'a'), down(0x11), unicodeDown(u'b')},
                                      3,
                                      {up(0x11)}},
                      PartialSendCase{"CountBeyondTheList", chordStrokes(kChordCtrlL), 99, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko

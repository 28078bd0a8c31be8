#include "pen/decode_report.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace zelko {
namespace {

// The key table of the Japanese-layout pen, written out as data. kEnd marks the end-of-scan key,
// kNone a key without a character.
constexpr int kNone = 0;
constexpr int kEnd = -1;
constexpr int kEsc = -2;

struct KeyRow {
    int code;
    int plain;
    int shifted;
};

constexpr KeyRow kJapaneseLayoutKeys[] = {
    {0x1E, '1', '!'},     {0x1F, '2', '"'},   {0x20, '3', '#'},   {0x21, '4', '$'},
    {0x22, '5', '%'},     {0x23, '6', '&'},   {0x24, '7', '\''},  {0x25, '8', '('},
    {0x26, '9', ')'},     {0x27, '0', kNone}, {0x28, kEnd, kEnd}, {0x29, kEsc, kEsc},
    {0x2A, kNone, kNone}, {0x2B, '\t', '\t'}, {0x2C, ' ', ' '},   {0x2D, '-', '='},
    {0x2E, '^', '~'},     {0x2F, '@', '`'},   {0x30, '[', '{'},   {0x31, '\\', '|'},
    {0x32, ']', '}'},     {0x33, ';', '+'},   {0x34, ':', '*'},   {0x35, kNone, kNone},
    {0x36, ',', '<'},     {0x37, '.', '>'},   {0x38, '/', '?'},   {0x87, '\\', '_'},
};
constexpr char kLowerLetters[] = "abcdefghijklmnopqrstuvwxyz";
constexpr char kUpperLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Expected key meaning for every code, by Shift and Caps Lock (index shift * 2 + caps).
using Expectation = std::array<std::array<int, 4>, 256>;

Expectation japaneseLayoutExpectation() {
    Expectation table{};  // every other code: no character
    for (int i = 0; i < 26; ++i) {
        table[0x04 + i] = {kLowerLetters[i], kUpperLetters[i], kUpperLetters[i], kLowerLetters[i]};
    }
    for (const KeyRow& row : kJapaneseLayoutKeys) {
        table[row.code] = {row.plain, row.plain, row.shifted, row.shifted};
    }
    return table;
}

struct Expected {
    ReportOutcome outcome;
    char character;
};

Expected expectedDecoding(int meaning) {
    switch (meaning) {
        case kEnd:
            return {ReportOutcome::EndOfScan, 0};
        case kEsc:
        case kNone:
            return {ReportOutcome::Nothing, 0};
        default:
            return {ReportOutcome::Character, static_cast<char>(meaning)};
    }
}

TEST(DecodeReport, EveryKeyCodeWithShiftAndCapsLockMatchesTheKeyTable) {
    const Expectation expected = japaneseLayoutExpectation();
    // Modifier bytes without a marker bit (index: Shift), the ignored bits off and on.
    const std::vector<std::uint8_t> modifiersByShift[2] = {
        {0x00, 0x01 | 0x04 | 0x10 | 0x40},
        {0x02, 0x20, 0x22, 0x02 | 0x55, 0x20 | 0x55},
    };
    // Flag bytes (index: Caps Lock), the other bits off and on.
    const std::vector<std::uint8_t> flagsByCaps[2] = {{0x00, 0xFD}, {0x02, 0xFF}};
    const std::uint8_t reportIds[] = {0x00, 0xA5};

    for (int code = 0; code <= 0xFF; ++code) {
        for (int shift = 0; shift < 2; ++shift) {
            for (int caps = 0; caps < 2; ++caps) {
                const Expected want = expectedDecoding(expected[code][shift * 2 + caps]);
                for (std::uint8_t modifiers : modifiersByShift[shift]) {
                    for (std::uint8_t flags : flagsByCaps[caps]) {
                        for (std::uint8_t id : reportIds) {
                            const std::uint8_t report[kReportSize] = {
                                id, modifiers, static_cast<std::uint8_t>(code), flags};
                            const DecodedReport got = decodeReport(report);
                            ASSERT_EQ(got.outcome, want.outcome)
                                << std::hex << "code 0x" << code << " modifiers 0x"
                                << int{modifiers} << " flags 0x" << int{flags};
                            if (want.outcome == ReportOutcome::Character) {
                                ASSERT_EQ(got.character, want.character)
                                    << std::hex << "code 0x" << code << " modifiers 0x"
                                    << int{modifiers} << " flags 0x" << int{flags};
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(DecodeReport, MarkerBitStartsTheScanWhateverTheKey) {
    const std::uint8_t markerModifiers[] = {0x08, 0x80, 0x88, 0x08 | 0x02, 0x80 | 0x20, 0xFF};
    for (int code = 0; code <= 0xFF; ++code) {
        for (std::uint8_t modifiers : markerModifiers) {
            for (std::uint8_t flags : {0x00, 0x02}) {
                const std::uint8_t report[kReportSize] = {0, modifiers,
                                                          static_cast<std::uint8_t>(code), flags};
                ASSERT_EQ(decodeReport(report).outcome, ReportOutcome::ScanStart)
                    << std::hex << "code 0x" << code << " modifiers 0x" << int{modifiers};
            }
        }
    }
}

TEST(DecodeReport, NotableReports) {
    struct Case {
        const char* what;
        std::uint8_t report[kReportSize];
        ReportOutcome outcome;
        char character;
    };
    const Case cases[] = {
        {"a", {0, 0x00, 0x04, 0x00}, ReportOutcome::Character, 'a'},
        {"Shift a", {0, 0x02, 0x04, 0x00}, ReportOutcome::Character, 'A'},
        {"Caps a", {0, 0x00, 0x04, 0x02}, ReportOutcome::Character, 'A'},
        {"Shift Caps a", {0, 0x02, 0x04, 0x02}, ReportOutcome::Character, 'a'},
        {"right Shift z", {0, 0x20, 0x1D, 0x00}, ReportOutcome::Character, 'Z'},
        {"Shift 2 is a double quote", {0, 0x02, 0x1F, 0x00}, ReportOutcome::Character, '"'},
        {"right Shift 3", {0, 0x20, 0x20, 0x00}, ReportOutcome::Character, '#'},
        {"at sign key", {0, 0x00, 0x2F, 0x00}, ReportOutcome::Character, '@'},
        {"Shift 0 gives nothing", {0, 0x02, 0x27, 0x00}, ReportOutcome::Nothing, 0},
        {"international 1", {0, 0x00, 0x87, 0x00}, ReportOutcome::Character, '\\'},
        {"Shift international 1", {0, 0x02, 0x87, 0x00}, ReportOutcome::Character, '_'},
        {"Caps international 1", {0, 0x00, 0x87, 0x02}, ReportOutcome::Character, '\\'},
        {"slash", {0, 0x00, 0x38, 0x00}, ReportOutcome::Character, '/'},
        {"Enter", {0, 0x00, 0x28, 0x00}, ReportOutcome::EndOfScan, 0},
        {"Shift Enter", {0, 0x02, 0x28, 0x00}, ReportOutcome::EndOfScan, 0},
        {"keypad Enter", {0, 0x00, 0x58, 0x00}, ReportOutcome::Nothing, 0},
        {"Escape", {0, 0x00, 0x29, 0x00}, ReportOutcome::Nothing, 0},
        {"empty report", {0, 0x00, 0x00, 0x00}, ReportOutcome::Nothing, 0},
        {"marker with a", {0, 0x08, 0x04, 0x00}, ReportOutcome::ScanStart, 0},
        {"right marker with Enter", {0, 0x80, 0x28, 0x00}, ReportOutcome::ScanStart, 0},
        {"report id ignored", {0x04, 0x00, 0x05, 0x00}, ReportOutcome::Character, 'b'},
        {"Ctrl and Alt ignored",
         {0, 0x01 | 0x04 | 0x10 | 0x40, 0x06, 0x00},
         ReportOutcome::Character,
         'c'},
        {"other flag bits ignored", {0, 0x00, 0x07, 0xFD}, ReportOutcome::Character, 'd'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedReport got = decodeReport(c.report);
        EXPECT_EQ(got.outcome, c.outcome);
        if (c.outcome == ReportOutcome::Character) {
            EXPECT_EQ(got.character, c.character);
        }
    }
}

TEST(KeyCodeToCharacter, GivesTheTableCharactersIncludingEnterAndEscape) {
    const Expectation expected = japaneseLayoutExpectation();
    for (int code = 0; code <= 0xFF; ++code) {
        for (int shift = 0; shift < 2; ++shift) {
            for (int caps = 0; caps < 2; ++caps) {
                int meaning = expected[code][shift * 2 + caps];
                const char want = meaning == kEnd   ? '\n'
                                  : meaning == kEsc ? '\x1B'
                                                    : static_cast<char>(meaning);
                ASSERT_EQ(keyCodeToCharacter(static_cast<std::uint8_t>(code), shift, caps), want)
                    << std::hex << "code 0x" << code << " shift " << shift << " caps " << caps;
            }
        }
    }
}

}  // namespace
}  // namespace zelko

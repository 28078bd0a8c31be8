// A stream of 4-byte pen reports through the decoder, the scan assembly, the kept scan list and the
// consumer's cursor, as the reader thread and the tray window use them.
//
// The report ID (byte 0) is not examined by the decoder, so the harness borrows two of its values
// for what happens between reports: kKeepAlive drops the partial scan (3 s of silence), kTake lets
// the consumer take the next scan. A third value empties the list, as the auto-login worker does
// when it has finished.
//
// Properties: every completed text has at most 255 characters, all of them characters a key of the
// pen can give (no NUL, no line feed or escape); it is exactly the characters fed since its scan
// began, after the overflow rule (the 256th character begins anew); a scan's start is announced
// once, and a text of characters always had one; the list holds at most 16 scans, the newest at
// its head with the "WWW" rule applied, sequence numbers falling from head to tail; the consumer
// takes each scan at most once, in the order they were made, and counts the ones it lost.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/fuzz/fuzz_check.h"
#include "pen/decode_report.h"
#include "pen/scan_assembler.h"
#include "pen/scan_cursor.h"
#include "pen/scan_list.h"

namespace {

using namespace zelko;

constexpr std::uint8_t kKeepAlive = 0xA5;
constexpr std::uint8_t kTake = 0x5A;
constexpr std::uint8_t kEmptyList = 0x3C;

// The characters the pen's keys give (Japanese layout), written out from the key table.
bool isPenCharacter(char c) {
    static constexpr std::string_view kPunctuation = "!\"#$%&'()\t -=^~@`[{\\|]};+:*,<.>/?_";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kPunctuation.find(c) != std::string_view::npos;
}

// The text the reader keeps of `fed` characters: at the 256th the 255 before it are dropped.
std::string expectedText(const std::string& fed) {
    if (fed.empty()) {
        return fed;
    }
    const std::size_t restarts = (fed.size() - 1) / (kScanBufferSize - 1);
    return fed.substr(restarts * (kScanBufferSize - 1));
}

std::string withWwwRule(std::string text) {
    if (text.compare(0, 3, "WWW") == 0) {
        text.replace(0, 3, "www");
    }
    return text;
}

void checkDecoding(const std::uint8_t (&report)[kReportSize], const DecodedReport& decoded) {
    const bool marker = (report[1] & 0x88) != 0;
    if (marker) {
        FUZZ_CHECK(decoded.outcome == ReportOutcome::ScanStart);
    }
    if (decoded.outcome == ReportOutcome::Character) {
        FUZZ_CHECK(isPenCharacter(decoded.character));
    }
    if (decoded.outcome == ReportOutcome::EndOfScan) {
        FUZZ_CHECK(report[2] == 0x28);
    }
}

void checkList(const ScanList& list, std::uint64_t pushed) {
    FUZZ_CHECK(list.count() <= kScanListCapacity);
    FUZZ_CHECK(list.count() >= 0);
    for (int index = 0; index + 1 < list.count(); ++index) {
        const auto at = static_cast<std::size_t>(index);
        FUZZ_CHECK(list.sequenceAt(at) > list.sequenceAt(at + 1));
    }
    if (list.count() > 0) {
        FUZZ_CHECK(list.sequenceAt(0) <= pushed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScanAssembler assembler;
    ScanList list;
    ScanCursor cursor;
    std::string fed;  // the characters fed since the current scan began
    bool startAnnounced = false;
    std::uint64_t pushed = 0;
    std::uint64_t lastTaken = 0;

    for (std::size_t at = 0; at + kReportSize <= size; at += kReportSize) {
        const std::uint8_t report[kReportSize] = {data[at], data[at + 1], data[at + 2],
                                                  data[at + 3]};
        if (report[0] == kKeepAlive) {
            assembler.dropPartialScan();
            FUZZ_CHECK(!assembler.scanInProgress());
            fed.clear();
            startAnnounced = false;
            continue;
        }
        if (report[0] == kTake) {
            const std::optional<TakenScan> taken = cursor.takeNext(list);
            if (taken) {
                FUZZ_CHECK(taken->sequence > lastTaken);
                FUZZ_CHECK(taken->sequence <= pushed);
                FUZZ_CHECK(taken->lostBefore == taken->sequence - lastTaken - 1);
                FUZZ_CHECK(taken->text.size() < kScanBufferSize);
                lastTaken = taken->sequence;
            } else {
                // Nothing left: every kept scan has had its turn.
                FUZZ_CHECK(list.count() == 0 || list.sequenceAt(0) <= lastTaken);
            }
            FUZZ_CHECK(cursor.lastTaken() == lastTaken);
            continue;
        }
        if (report[0] == kEmptyList) {
            FUZZ_CHECK(list.removeScan(-1));
            FUZZ_CHECK(list.count() == 0);
            FUZZ_CHECK(list.newest() == nullptr);
            continue;
        }

        const DecodedReport decoded = decodeReport(report);
        checkDecoding(report, decoded);
        const ScanAssembler::Step step = assembler.feed(report);
        if (step.scanStarted) {
            FUZZ_CHECK(!startAnnounced);
            startAnnounced = true;
        }
        if (decoded.outcome == ReportOutcome::Character) {
            fed.push_back(decoded.character);
            FUZZ_CHECK(startAnnounced);
            FUZZ_CHECK(assembler.scanInProgress());
        }
        if (decoded.outcome != ReportOutcome::EndOfScan) {
            FUZZ_CHECK(!step.completedScan);
            continue;
        }

        FUZZ_CHECK(step.completedScan.has_value());
        const std::string& text = *step.completedScan;
        FUZZ_CHECK(text.size() <= kScanBufferSize - 1);
        for (const char c : text) {
            FUZZ_CHECK(isPenCharacter(c));
        }
        FUZZ_CHECK(text == expectedText(fed));
        FUZZ_CHECK(!assembler.scanInProgress());
        fed.clear();
        startAnnounced = false;

        list.push(text);
        ++pushed;
        FUZZ_CHECK(list.newest() != nullptr);
        FUZZ_CHECK(*list.newest() == withWwwRule(text));
        FUZZ_CHECK(list.sequenceAt(0) == pushed);
        checkList(list, pushed);
    }
    return 0;
}

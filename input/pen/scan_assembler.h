#pragma once
// Collects decoded characters into scan texts, as the reader thread does with its 256-byte buffer.

#include <cstdint>
#include <optional>
#include <string>

#include "pen/decode_report.h"

namespace zelko {

constexpr std::size_t kScanBufferSize = 256;  // text characters kept before the overflow rule

class ScanAssembler {
public:
    ScanAssembler();

    struct Step {
        bool scanStarted = false;                // play the sound / show the notification now
        std::optional<std::string> completedScan;  // end of scan: the text to keep
    };

    // One complete report. No allocation happens here except for a completed scan's text.
    Step feed(const std::uint8_t (&report)[kReportSize]);

    // A keep-alive interrupted the line: the text collected so far is dropped.
    void dropPartialScan();

    bool scanInProgress() const { return started_; }

private:
    std::string text_;
    bool started_ = false;
};

}  // namespace zelko

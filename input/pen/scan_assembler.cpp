// Assembly of decoded characters into scan texts.

#include "pen/scan_assembler.h"

namespace zelko {

ScanAssembler::ScanAssembler() {
    // One allocation for the life of the assembler; the text never grows past the buffer size.
    text_.reserve(kScanBufferSize);
}

ScanAssembler::Step ScanAssembler::feed(const std::uint8_t (&report)[kReportSize]) {
    Step step;
    const DecodedReport decoded = decodeReport(report);
    const auto startScan = [&] {
        if (!started_) {
            step.scanStarted = true;
            started_ = true;
        }
    };

    switch (decoded.outcome) {
        case ReportOutcome::Nothing:
            break;
        case ReportOutcome::ScanStart:
            startScan();
            break;
        case ReportOutcome::Character:
            if (text_.empty()) {
                startScan();
            }
            text_.push_back(decoded.character);
            if (text_.size() >= kScanBufferSize) {
                // Overflow: the text so far is dropped, the character just read begins anew.
                text_.assign(1, decoded.character);
            }
            break;
        case ReportOutcome::EndOfScan:
            step.completedScan = text_;
            text_.clear();
            started_ = false;
            break;
    }
    return step;
}

void ScanAssembler::dropPartialScan() {
    text_.clear();
    started_ = false;
}

}  // namespace zelko

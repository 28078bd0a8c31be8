#pragma once
// What the soak measures and how it prints it: the resident program's resources at each sample,
// the scans at each stage, and whether each typed scan reached the browser once and in order.
// Portable; no Windows calls.

#include <string>
#include <vector>

namespace zelko::soak {

struct ResourceCounts {
    unsigned long long privateBytes = 0;
    unsigned long handles = 0;
    unsigned long gdiObjects = 0;
    unsigned long userObjects = 0;
};

struct ScanCounts {
    unsigned long typed = 0;    // scans the pen typed
    unsigned long read = 0;     // scan-ready pen events the tray window took (one a scan)
    unsigned long actedOn = 0;  // addresses the program's dispatch acted on
    unsigned long arrived = 0;  // distinct typed scans whose address reached the browser
};

struct SoakRow {
    std::string label;  // "start", "end" or the elapsed time
    double minutes = 0;
    ResourceCounts resources;
    ScanCounts scans;
};

// The table header (two lines, Markdown) and one row.
std::string tableHeader();
std::string tableRow(const SoakRow& row);

// For each resource, its first value, its last value and the smallest and largest one between.
std::string resourceSummary(const std::vector<SoakRow>& rows);

// The addresses the browser got, checked against the scans typed (numbers 0 to typed - 1, as
// scanCode makes them): how many distinct typed scans arrived, how many arrived more than once,
// how many addresses match no typed scan, and how many came after a later scan's.
struct ArrivalCheck {
    unsigned long distinct = 0;
    unsigned long repeated = 0;
    unsigned long foreign = 0;
    unsigned long outOfOrder = 0;
};
ArrivalCheck checkArrivals(const std::vector<std::string>& addresses, unsigned long typed);

}  // namespace zelko::soak

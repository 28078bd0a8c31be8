// The soak's table and its check of the arrived addresses.

#include "soak/soak_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "soak/soak_codes.h"

namespace zelko::soak {
namespace {

std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatted(const char* format, ...) {
    char buffer[512] = {};
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

struct Column {
    const char* name;
    std::function<unsigned long long(const ResourceCounts&)> value;
};

const std::vector<Column>& resourceColumns() {
    static const std::vector<Column> columns = {
        {"private bytes (KiB)", [](const ResourceCounts& r) { return r.privateBytes / 1024; }},
        {"handles", [](const ResourceCounts& r) { return r.handles; }},
        {"GDI objects", [](const ResourceCounts& r) { return r.gdiObjects; }},
        {"USER objects", [](const ResourceCounts& r) { return r.userObjects; }},
    };
    return columns;
}

}  // namespace

std::string tableHeader() {
    return "| sample | minutes | private bytes (KiB) | handles | GDI objects | USER objects | "
           "scans typed | pen events | acted on | arrived |\n"
           "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
}

std::string tableRow(const SoakRow& row) {
    return formatted("| %s | %.1f | %llu | %lu | %lu | %lu | %lu | %lu | %lu | %lu |\n",
                     row.label.c_str(), row.minutes, row.resources.privateBytes / 1024,
                     row.resources.handles, row.resources.gdiObjects, row.resources.userObjects,
                     row.scans.typed, row.scans.read, row.scans.actedOn, row.scans.arrived);
}

std::string resourceSummary(const std::vector<SoakRow>& rows) {
    if (rows.empty()) {
        return "no samples\n";
    }
    std::string text;
    for (const Column& column : resourceColumns()) {
        unsigned long long smallest = column.value(rows.front().resources);
        unsigned long long largest = smallest;
        for (const SoakRow& row : rows) {
            smallest = std::min(smallest, column.value(row.resources));
            largest = std::max(largest, column.value(row.resources));
        }
        const unsigned long long first = column.value(rows.front().resources);
        const unsigned long long last = column.value(rows.back().resources);
        text += formatted("%-20s first %llu, last %llu (%+lld), smallest %llu, largest %llu\n",
                          column.name, first, last,
                          static_cast<long long>(last) - static_cast<long long>(first), smallest,
                          largest);
    }
    return text;
}

ArrivalCheck checkArrivals(const std::vector<std::string>& addresses, unsigned long typed) {
    std::unordered_map<std::string, unsigned long> numberOf;
    numberOf.reserve(typed);
    for (unsigned long number = 0; number < typed; ++number) {
        numberOf.emplace("http://" + scanCode(number), number);
    }
    ArrivalCheck check;
    std::unordered_set<unsigned long> seen;
    bool anyBefore = false;
    unsigned long latest = 0;
    for (const std::string& address : addresses) {
        const auto found = numberOf.find(address);
        if (found == numberOf.end()) {
            ++check.foreign;
            continue;
        }
        if (!seen.insert(found->second).second) {
            ++check.repeated;
            continue;
        }
        ++check.distinct;
        if (anyBefore && found->second < latest) {
            ++check.outOfOrder;
        }
        latest = anyBefore ? std::max(latest, found->second) : found->second;
        anyBefore = true;
    }
    return check;
}

}  // namespace zelko::soak

#pragma once
// A first-in first-out queue of fixed-size reports in fixed storage: no allocation, so the kernel
// driver keeps its pens' input and output reports in it. Portable; no Windows calls.

#include <stddef.h>
#include <stdint.h>

namespace zelko::virtualpen {

template <size_t ReportSize, size_t Capacity>
class ReportQueue {
  public:
    static_assert(ReportSize > 0 && Capacity > 0, "a queue holds at least one report of a byte");

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    size_t room() const { return Capacity - count_; }
    void clear() { head_ = count_ = 0; }

    // Appends `report` (ReportSize bytes); false, and nothing stored, when the queue is full.
    bool push(const uint8_t* report) {
        if (count_ == Capacity) {
            return false;
        }
        copyReport(reports_[(head_ + count_) % Capacity], report);
        ++count_;
        return true;
    }

    // Appends `report`, dropping the oldest when the queue is full; true when one was dropped.
    bool pushDroppingOldest(const uint8_t* report) {
        const bool dropped = count_ == Capacity;
        if (dropped) {
            head_ = (head_ + 1) % Capacity;
            --count_;
        }
        push(report);
        return dropped;
    }

    // Takes the oldest report into `report` (ReportSize bytes); false when the queue is empty.
    bool pop(uint8_t* report) {
        if (count_ == 0) {
            return false;
        }
        copyReport(report, reports_[head_]);
        head_ = (head_ + 1) % Capacity;
        --count_;
        return true;
    }

  private:
    static void copyReport(uint8_t* to, const uint8_t* from) {
        for (size_t i = 0; i < ReportSize; ++i) {
            to[i] = from[i];
        }
    }

    uint8_t reports_[Capacity][ReportSize] = {};
    size_t head_ = 0;
    size_t count_ = 0;
};

}  // namespace zelko::virtualpen

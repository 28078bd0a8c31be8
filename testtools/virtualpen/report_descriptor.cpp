#include "virtualpen/report_descriptor.h"

#include "virtualpen/control_protocol.h"

namespace zelko::virtualpen {
namespace {

class DescriptorWriter {
  public:
    DescriptorWriter(uint8_t* out, size_t capacity) : out_(out), capacity_(capacity) {}

    // A short item with the smallest data size that holds `value` (1 or 2 bytes); `twoBytes` for
    // a signed value whose high bit of the low byte is not a sign.
    void item(uint8_t tagAndType, uint16_t value, bool twoBytes = false) {
        if (value <= 0xFF && !twoBytes) {
            put(static_cast<uint8_t>(tagAndType | 0x01));
            put(static_cast<uint8_t>(value));
        } else {
            put(static_cast<uint8_t>(tagAndType | 0x02));
            put(static_cast<uint8_t>(value & 0xFF));
            put(static_cast<uint8_t>(value >> 8));
        }
    }
    void itemWithoutData(uint8_t tagAndType) { put(tagAndType); }

    size_t length() const { return overflow_ ? 0 : length_; }

  private:
    void put(uint8_t byte) {
        if (length_ == capacity_) {
            overflow_ = true;
            return;
        }
        out_[length_++] = byte;
    }

    uint8_t* out_;
    size_t capacity_;
    size_t length_ = 0;
    bool overflow_ = false;
};

// Item prefixes without their size bits.
constexpr uint8_t kUsagePage = 0x04;
constexpr uint8_t kUsage = 0x08;
constexpr uint8_t kCollection = 0xA0;
constexpr uint8_t kEndCollection = 0xC0;
constexpr uint8_t kLogicalMinimum = 0x14;
constexpr uint8_t kLogicalMaximum = 0x24;
constexpr uint8_t kReportSize = 0x74;
constexpr uint8_t kReportCount = 0x94;
constexpr uint8_t kInput = 0x80;
constexpr uint8_t kOutput = 0x90;

constexpr uint16_t kApplicationCollection = 0x01;
constexpr uint16_t kDataVariableAbsolute = 0x02;

}  // namespace

size_t encodeReportDescriptor(uint16_t usagePage, uint16_t usage, uint8_t* out, size_t capacity) {
    DescriptorWriter writer(out, capacity);
    writer.item(kUsagePage, usagePage);
    writer.item(kUsage, usage);
    writer.item(kCollection, kApplicationCollection);
    writer.item(kLogicalMinimum, 0);
    writer.item(kLogicalMaximum, 0xFF, true);  // 0x00FF: one byte 0xFF would be -1
    writer.item(kReportSize, 8);
    writer.item(kReportCount, kInputReportSize - 1);
    writer.item(kUsage, 0x01);
    writer.item(kInput, kDataVariableAbsolute);
    writer.item(kReportCount, kOutputReportSize - 1);
    writer.item(kUsage, 0x01);
    writer.item(kOutput, kDataVariableAbsolute);
    writer.itemWithoutData(kEndCollection);
    return writer.length();
}

}  // namespace zelko::virtualpen

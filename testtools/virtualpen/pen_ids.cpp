#include "virtualpen/pen_ids.h"

namespace zelko::virtualpen {
namespace {

class IdWriter {
  public:
    IdWriter(wchar_t* out, size_t capacity) : out_(out), capacity_(capacity) {}

    IdWriter& text(const wchar_t* text) {
        while (*text != 0) {
            put(*text++);
        }
        return *this;
    }
    IdWriter& hex4(uint16_t value) {
        static const wchar_t kDigits[] = L"0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) {
            put(kDigits[(value >> shift) & 0xF]);
        }
        return *this;
    }
    IdWriter& decimal(uint32_t value) {
        wchar_t digits[10];
        int count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0) {
            put(digits[--count]);
        }
        return *this;
    }
    IdWriter& end() {
        put(0);
        return *this;
    }
    size_t length() const { return overflow_ ? 0 : length_; }

  private:
    void put(wchar_t character) {
        if (length_ == capacity_) {
            overflow_ = true;
            return;
        }
        out_[length_++] = character;
    }

    wchar_t* out_;
    size_t capacity_;
    size_t length_ = 0;
    bool overflow_ = false;
};

IdWriter& deviceId(IdWriter& writer, const PenIdentity& identity) {
    return writer.text(L"ZELKOVPEN\\VID_")
        .hex4(identity.vendorId)
        .text(L"&PID_")
        .hex4(identity.productId);
}

}  // namespace

size_t writePenDeviceId(const PenIdentity& identity, wchar_t* out, size_t capacity) {
    IdWriter writer(out, capacity);
    return deviceId(writer, identity).end().length();
}

size_t writePenInstanceId(uint32_t slot, wchar_t* out, size_t capacity) {
    IdWriter writer(out, capacity);
    return writer.decimal(slot + 1).end().length();
}

size_t writePenHardwareIds(const PenIdentity& identity, wchar_t* out, size_t capacity) {
    IdWriter writer(out, capacity);
    deviceId(writer, identity).end();
    return writer.text(kPenCompatibleId).end().end().length();
}

size_t writePenCompatibleIds(wchar_t* out, size_t capacity) {
    IdWriter writer(out, capacity);
    return writer.text(kPenCompatibleId).end().end().length();
}

}  // namespace zelko::virtualpen

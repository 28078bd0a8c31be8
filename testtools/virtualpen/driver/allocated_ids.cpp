#include "allocated_ids.h"

namespace zelko::virtualpen {
namespace {

template <typename Write>
wchar_t* allocatedId(Write write) {
    wchar_t buffer[kMaxPenIdLength];
    const size_t length = write(buffer, kMaxPenIdLength);
    if (length == 0) {
        return nullptr;
    }
    auto* text = static_cast<wchar_t*>(
        ExAllocatePoolWithTag(PagedPool, length * sizeof(wchar_t), kIdPoolTag));
    if (text != nullptr) {
        RtlCopyMemory(text, buffer, length * sizeof(wchar_t));
    }
    return text;
}

}  // namespace

wchar_t* penDeviceId(const PenIdentity& identity) {
    return allocatedId(
        [&](wchar_t* out, size_t capacity) { return writePenDeviceId(identity, out, capacity); });
}

wchar_t* penInstanceId(ULONG slot) {
    return allocatedId(
        [&](wchar_t* out, size_t capacity) { return writePenInstanceId(slot, out, capacity); });
}

wchar_t* penHardwareIds(const PenIdentity& identity) {
    return allocatedId([&](wchar_t* out, size_t capacity) {
        return writePenHardwareIds(identity, out, capacity);
    });
}

wchar_t* penCompatibleIds() {
    return allocatedId(
        [](wchar_t* out, size_t capacity) { return writePenCompatibleIds(out, capacity); });
}

}  // namespace zelko::virtualpen

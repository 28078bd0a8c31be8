#include "virtualpen/pen_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko::virtualpen {
namespace {

// The written characters, terminators included, as one string.
template <typename Write>
std::wstring written(Write write) {
    wchar_t buffer[kMaxPenIdLength];
    const std::size_t length = write(buffer, kMaxPenIdLength);
    return std::wstring(buffer, length);
}

PenIdentity identity(uint16_t vendorId, uint16_t productId) {
    PenIdentity pen = {};
    pen.vendorId = vendorId;
    pen.productId = productId;
    return pen;
}

TEST(PenIds, DeviceAndHardwareIdsNameVendorAndProductInUpperCaseHex) {
    const PenIdentity pen = identity(0x1A7F, 0x0001);
    EXPECT_EQ(
        written([&](wchar_t* out, std::size_t room) { return writePenDeviceId(pen, out, room); }),
        std::wstring(L"ZELKOVPEN\\VID_1A7F&PID_0001\0", 28));
    // The HID class driver names the pen's HID device after the last part of the device id.
    EXPECT_EQ(written([&](wchar_t* out, std::size_t room) {
                  return writePenHardwareIds(pen, out, room);
              }),
              std::wstring(L"ZELKOVPEN\\VID_1A7F&PID_0001\0ZELKOVPEN\\PEN\0\0", 43));
}

TEST(PenIds, EveryPenMatchesTheMinidriverThroughTheCompatibleId) {
    EXPECT_EQ(
        written([](wchar_t* out, std::size_t room) { return writePenCompatibleIds(out, room); }),
        std::wstring(L"ZELKOVPEN\\PEN\0\0", 15));
}

TEST(PenIds, InstanceIdsCountSlotsFromOne) {
    for (uint32_t slot : {0u, 7u, 41u}) {
        EXPECT_EQ(written([&](wchar_t* out, std::size_t room) {
                      return writePenInstanceId(slot, out, room);
                  }),
                  std::to_wstring(slot + 1) + std::wstring(1, L'\0'));
    }
}

TEST(PenIds, NothingIsWrittenWhenTheIdsDoNotFit) {
    wchar_t buffer[kMaxPenIdLength];
    const PenIdentity pen = identity(0xFFFF, 0xFFFF);
    const std::size_t length = writePenHardwareIds(pen, buffer, kMaxPenIdLength);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(writePenHardwareIds(pen, buffer, length - 1), 0u);
    EXPECT_EQ(writePenInstanceId(9, buffer, 1), 0u);
}

}  // namespace
}  // namespace zelko::virtualpen

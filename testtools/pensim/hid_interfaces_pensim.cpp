// The HID interface seam of the test build: the pen simulator's published interfaces stand in for
// the HID class driver. Linked only into the test build.
//
// Arrivals: the simulator has no device notifications. It publishes each pen that is plugged in
// as a subkey of its interfaces key in the registry, so a watch thread asks for a change notice on
// that key (RegNotifyChangeKeyValue) and sets the reader's arrival event at each notice, as the
// shipped program's device notification window does at a HID interface's arrival.

#include "pen/win32/hid_interfaces.h"

#include <memory>
#include <thread>

#include "common/win32/unique_handle.h"
#include "pensim/published_interfaces.h"

namespace zelko {
namespace {

// The HID class driver's limits of an input report queue.
constexpr unsigned long kSmallestReportQueue = 2;
constexpr unsigned long kLargestReportQueue = 512;
constexpr DWORD kRetryMs = 100;

bool isSimulatedPenHandle(HANDLE device) {
    return device != INVALID_HANDLE_VALUE && device != nullptr &&
           GetFileType(device) == FILE_TYPE_PIPE;
}

class ArrivalWatch {
  public:
    explicit ArrivalWatch(HANDLE arrival) : arrival_(arrival) {
        thread_ = std::thread([this] { run(); });
    }
    ArrivalWatch(const ArrivalWatch&) = delete;
    ArrivalWatch& operator=(const ArrivalWatch&) = delete;
    ~ArrivalWatch() {
        SetEvent(stop_.get());
        thread_.join();
    }

  private:
    // The notice is asked for again before the arrival is told, so that a change between the two
    // is not missed: the reader's round after the told arrival sees every earlier publication.
    void run() {
        HKEY key = nullptr;
        bool changed = false;
        for (;;) {
            if (key == nullptr &&
                RegCreateKeyExW(HKEY_CURRENT_USER, pensim::kInterfacesKey, 0, nullptr, 0,
                                KEY_NOTIFY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
                key = nullptr;
            }
            if (key == nullptr || RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_NAME,
                                                          change_.get(), TRUE) != ERROR_SUCCESS) {
                // The key went (the test bench removes it) or cannot be opened: try again.
                if (key != nullptr) {
                    RegCloseKey(key);
                    key = nullptr;
                }
                if (WaitForSingleObject(stop_.get(), kRetryMs) == WAIT_OBJECT_0) {
                    break;
                }
                changed = true;
                continue;
            }
            if (changed) {
                SetEvent(arrival_);
                changed = false;
            }
            const HANDLE waits[2] = {stop_.get(), change_.get()};
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
                break;
            }
            changed = true;
        }
        if (key != nullptr) {
            RegCloseKey(key);
        }
    }

    HANDLE arrival_;
    UniqueHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle change_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::thread thread_;
};

std::unique_ptr<ArrivalWatch> arrivalWatch;

}  // namespace

bool listHidInterfacePaths(std::vector<std::wstring>& paths) {
    for (const auto& published : pensim::publishedInterfaces()) {
        paths.push_back(published.path);
    }
    return true;
}

bool identifyHidInterface(HANDLE device, const std::wstring& path, HidIdentity& identity) {
    if (!isSimulatedPenHandle(device)) {
        return false;
    }
    const auto published = pensim::publishedInterfaceAt(path);
    if (!published || !published->identity.identifies) {
        return false;
    }
    identity.vendorId = published->identity.vendorId;
    identity.productId = published->identity.productId;
    identity.versionNumber = published->identity.version;
    identity.usagePage = published->identity.usagePage;
    identity.usage = published->identity.usage;
    return true;
}

bool setHidInputReportQueue(HANDLE device, const std::wstring& path, unsigned long count) {
    if (!isSimulatedPenHandle(device)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (count < kSmallestReportQueue || count > kLargestReportQueue) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const auto published = pensim::publishedInterfaceAt(path);
    return published && pensim::recordInputReportQueue(published->key, count);
}

bool watchHidArrivals(HANDLE arrival) {
    if (arrivalWatch || arrival == nullptr) {
        return false;
    }
    arrivalWatch = std::make_unique<ArrivalWatch>(arrival);
    return true;
}

void stopWatchingHidArrivals() {
    arrivalWatch.reset();
}

}  // namespace zelko

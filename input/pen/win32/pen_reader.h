#pragma once
// The reader record that owns the pen, and the operations on its thread.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "common/win32/unique_handle.h"
#include "common/win32/win32_mutex.h"
#include "pen/scan_list.h"
#include "tray/tray_state.h"

namespace zelko {

// Called on the reader thread at the first report of each scan: plays the scan sound and shows
// the notification window as the settings say.
using ScanStartHandler = void (*)(void* context);

// The message the reader posts to its target window (WM_PEN_EVENT).
constexpr UINT kPenEventMessage = WM_USER + 1;

struct PenReader {
    std::int32_t linkState = 0;
    std::int32_t running = 0;
    std::int32_t penPresent = 0;
    Win32Mutex lock;  // guards every field except keepRunning, threadRunning, thread and the events
    std::atomic<std::int32_t> threadRunning{0};  // the thread clears it as its last act
    std::atomic<std::int32_t> keepRunning{0};
    UniqueHandle thread;
    // Manual-reset event set together with clearing keepRunning, so that the thread's waits end
    // at once on a stop request.
    UniqueHandle stopEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    // Auto-reset event set when a HID interface may have arrived (watchHidArrivals): while no pen
    // is present, the thread looks for one then, and otherwise only every few seconds.
    UniqueHandle arrivalEvent{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    // Counts the notices posted to the target window. Every change of the fields that choose the
    // tray icon is followed by a notice, so the tray tick looks at the icon only when this moved.
    std::atomic<std::uint32_t> notices{0};
    ScanList scans;
    std::wstring devicePath;         // empty: no pen claimed
    HANDLE instanceMutex = nullptr;  // the single-instance mutex, closed by resetReader
    HANDLE handoverMutex = nullptr;  // only while this process sends its farewell
    std::uint16_t penVersion = 0;
    HWND targetWindow = nullptr;
    UINT notifyMessage = kPenEventMessage;
    ScanStartHandler onScanStart = nullptr;
    void* scanStartContext = nullptr;
};

// wParam values of the reader's notify message.
constexpr WPARAM kPenScanReady = 0;
constexpr WPARAM kPenLinkNotice = 1;
constexpr WPARAM kPenPresenceNotice = 2;

bool startReader(PenReader& reader);
// Returns once the thread has ended, which includes its farewell command to the pen.
bool stopReader(PenReader& reader);
// Stops the thread, frees the scans and the path, closes the instance and handover mutexes.
void resetReader(PenReader& reader);

// The fields the tray tick reads; the caller holds reader.lock.
PenStatus penStatusOf(const PenReader& reader);

// Posts the notify message to the target window, if one is set, and counts the notice; the caller
// holds reader.lock.
void notifyTargetWindow(PenReader& reader, WPARAM wParam, LPARAM lParam);

// True while the stop request has not been given.
inline bool readerKeepsRunning(const PenReader& reader) {
    return reader.keepRunning.load() != 0;
}

}  // namespace zelko

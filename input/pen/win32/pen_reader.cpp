// The reader thread: rounds of presence test, claim, link test and read loop (about 50 ms apart
// while a pen is present; while none is, at a HID interface's arrival and otherwise every 2 s), and
// the farewell command to the pen when the thread ends.

#include "pen/win32/pen_reader.h"

#include <process.h>

#include "pen/win32/pen_commands.h"
#include "pen/win32/pen_discovery.h"
#include "pen/win32/pen_read_loop.h"
#include "pen/win32/pen_timing.h"

namespace zelko {
namespace {

void updatePresence(PenReader& reader, bool found) {
    MutexLock guard(reader.lock);
    const std::int32_t present = found ? 1 : 0;
    if (reader.penPresent != present) {
        reader.penPresent = present;
        notifyTargetWindow(reader, kPenPresenceNotice, present);
    }
}

// One round; true when a pen is present. The HID interfaces are listed once per round.
bool runRound(PenReader& reader, OtherInterfaces& others) {
    const std::vector<PenInterface> pens = listPens(&others);
    if (!pens.empty()) {
        MutexLock guard(reader.lock);
        reader.penVersion = pens.front().version;
    }
    updatePresence(reader, !pens.empty());

    bool handover = false;
    {
        MutexLock guard(reader.lock);
        handover = reader.handoverMutex == nullptr && handoverInProgress();
        if (handover) {
            reader.linkState = 0;
            notifyTargetWindow(reader, kPenLinkNotice, 0);
        }
    }
    if (handover) {
        return true;
    }

    const bool claimed = !pens.empty() && claimPen(reader, pens) == 1;
    if (!claimed) {
        MutexLock guard(reader.lock);
        reader.devicePath.clear();
    }
    checkLink(reader);
    if (claimed) {
        runReadLoop(reader);
        MutexLock guard(reader.lock);
        reader.devicePath.clear();
    }
    return !pens.empty();
}

// Waits for the next round: the stop request ends the wait, and so does a HID interface's arrival
// while no pen is present.
void waitForNextRound(PenReader& reader, bool penPresent) {
    const HANDLE waits[2] = {reader.stopEvent.get(), reader.arrivalEvent.get()};
    if (waits[0] == nullptr || waits[1] == nullptr) {
        Sleep(kRoundPauseMs);
        return;
    }
    WaitForMultipleObjects(2, waits, FALSE, penPresent ? kRoundPauseMs : kNoPenRoundPauseMs);
}

// At the end of the thread: tell the pen the host software is leaving, unless another process is
// already in its own farewell. Not cancellable: the stop request has been given by now.
void sayFarewell(PenReader& reader) {
    HANDLE mutex = nullptr;
    bool existed = false;
    {
        MutexLock guard(reader.lock);
        if (reader.handoverMutex == nullptr) {
            reader.handoverMutex = CreateMutexW(nullptr, TRUE, kHandoverMutexName);
            existed = GetLastError() == ERROR_ALREADY_EXISTS;
        }
        mutex = reader.handoverMutex;
    }
    if (mutex != nullptr && !existed) {
        std::wstring path;
        if (findPen(reader, &path) == 1) {
            sendPenCommand(reader, PenCommand::Farewell, path.c_str(), false);
        }
    }
    MutexLock guard(reader.lock);
    if (reader.handoverMutex != nullptr) {
        CloseHandle(reader.handoverMutex);
        reader.handoverMutex = nullptr;
    }
}

unsigned __stdcall readerThreadMain(void* argument) {
    PenReader& reader = *static_cast<PenReader*>(argument);
    {
        MutexLock guard(reader.lock);
        reader.running = 1;
    }
    OtherInterfaces others;
    while (readerKeepsRunning(reader)) {
        const bool penPresent = runRound(reader, others);
        if (readerKeepsRunning(reader)) {
            waitForNextRound(reader, penPresent);
        }
    }
    sayFarewell(reader);
    reader.threadRunning = 0;
    return 0;
}

// Waits for the thread while still answering messages sent to this thread's windows: a scan that
// starts as the program closes shows the notification window from the reader thread, which waits
// for the window's thread to take the call.
void waitForThreadEnd(HANDLE thread) {
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

void notifyTargetWindow(PenReader& reader, WPARAM wParam, LPARAM lParam) {
    reader.notices.fetch_add(1, std::memory_order_relaxed);
    if (reader.targetWindow != nullptr) {
        PostMessageW(reader.targetWindow, reader.notifyMessage, wParam, lParam);
    }
}

bool startReader(PenReader& reader) {
    {
        MutexLock guard(reader.lock);
        if (reader.running == 1) {
            return false;
        }
        // Set here already, so that a second start before the thread runs is refused.
        reader.running = 1;
    }
    if (reader.stopEvent) {
        ResetEvent(reader.stopEvent.get());
    }
    reader.keepRunning = 1;
    reader.threadRunning = 1;
    const uintptr_t handle = _beginthreadex(nullptr, 0, readerThreadMain, &reader, 0, nullptr);
    if (handle == 0) {
        reader.threadRunning = 0;
        reader.keepRunning = 0;
        MutexLock guard(reader.lock);
        reader.running = 0;
        return false;
    }
    reader.thread.reset(reinterpret_cast<HANDLE>(handle));
    SetThreadPriority(reader.thread.get(), THREAD_PRIORITY_HIGHEST);
    return true;
}

bool stopReader(PenReader& reader) {
    {
        MutexLock guard(reader.lock);
        if (reader.running != 1) {
            return false;
        }
    }
    reader.keepRunning = 0;
    if (reader.stopEvent) {
        SetEvent(reader.stopEvent.get());
    }
    if (reader.thread) {
        // The thread clears threadRunning as its last act; its handle is signalled when it ends.
        waitForThreadEnd(reader.thread.get());
        reader.thread.reset();
    }
    reader.threadRunning = 0;
    MutexLock guard(reader.lock);
    reader.devicePath.clear();
    reader.running = 0;
    return true;
}

void resetReader(PenReader& reader) {
    stopReader(reader);
    {
        MutexLock guard(reader.lock);
        reader.scans.removeScan(-1);
        reader.scans.setCapacity(0);
        reader.devicePath.clear();
        reader.running = 0;
    }
    if (reader.instanceMutex != nullptr) {
        CloseHandle(reader.instanceMutex);
        reader.instanceMutex = nullptr;
    }
    if (reader.handoverMutex != nullptr) {
        CloseHandle(reader.handoverMutex);
        reader.handoverMutex = nullptr;
    }
}

PenStatus penStatusOf(const PenReader& reader) {
    PenStatus status;
    status.penPresent = reader.penPresent;
    status.running = reader.running;
    status.holdsDevicePath = !reader.devicePath.empty();
    status.linkState = reader.linkState;
    return status;
}

}  // namespace zelko

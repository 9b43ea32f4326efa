// SPDX-License-Identifier: GPL-3.0-or-later
// System services: sleeping, the random generator, calendar time, ending the process and
// starting the desktop's browser.
#pragma once

#include <ctime>
#include <string>

#include "platform/Types.h"

// The windowing system for the life of the program: made first in main, with its arguments.
class PlatformSession {
  public:
    PlatformSession(int& argc, char** argv);
    ~PlatformSession();
    PlatformSession(const PlatformSession&) = delete;
    PlatformSession& operator=(const PlatformSession&) = delete;
};

// Device pixels a unit for a screen of this ratio: rounded up to a whole number, at most 3.
int32 DeviceScaleFor(double ratio);
// The device pixels a unit of the screen new windows open on.
int32 DefaultDeviceScale();

// The picture the desktop shows for the program's windows: a part of a bitmap.
class BBitmap;
void SetProgramIcon(const BBitmap* bitmap, BRect part);
// The desktop entry the program's windows belong to, by its name without ".desktop": on Wayland
// it is their app id, by which the desktop finds the program's name and icon. Before any window.
void SetDesktopEntry(const char* name);

// Sleeps for the given microseconds while the event loop keeps running, so the pointer keeps
// being tracked. Returns at once when the mouse is scripted.
void snooze(int64_t microseconds);

// Waits without handling input (pacing a card flight).
void WaitWithoutInput(int64_t microseconds);
// Handles the input that waited meanwhile: the keys and window requests held back while cards
// flew reach their windows (and queue their messages there).
void TakeWaitingInput();

// The calling thread, one working in the background, gives way to every other thread of the
// program and of the desktop whenever they want the processor.
void LowerThreadPriority();

// A monotonic clock in microseconds (or the tests' manual clock).
int64_t MonotonicMicroseconds();

// The calendar time in whole seconds (or the fixed clock of the tests).
time_t CalendarTime();

// Ends the process at once with the given status.
[[noreturn]] void ExitProgram(int status);

// Catches SIGTERM, SIGINT and SIGHUP (a desktop logging out, Ctrl+C in a terminal) from the
// first moment of the program. Until QuitOnTerminationSignals names a looper, such a signal ends
// the program at once with status 0: there is nothing yet to save. Made by PlatformSession.
void CatchTerminationSignals();

// From now on a termination signal dismisses any alert that is up and posts a quit request to
// the looper, so the program ends as if its window had been closed.
class BLooper;
void QuitOnTerminationSignals(BLooper* looper);

// Shows a local file in the desktop's browser. Starts no shell and does not wait.
void OpenInBrowser(const std::string& path);

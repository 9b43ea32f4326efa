// SPDX-License-Identifier: GPL-3.0-or-later
// The test seams of the platform layer, all off by default: a scripted mouse, scripted alert
// answers, a scripted file panel, a recorded browser launch, a fixed clock and no frame wait.
// Tests switch them on; the program never does.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "platform/Types.h"

class BView;

namespace testseams {

struct MouseSample {
    BPoint point;
    uint32 buttons;
    // Run just before this sample is handed out: what happens during the press at that moment.
    std::function<void()> meanwhile = {};
};

struct AlertRecord {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
};

// Mouse: GetMouse hands out these samples in order and snooze does not wait. Once they run out
// it repeats the last point with no button held.
void ScriptMouse(const std::vector<MouseSample>& samples);
bool MouseScripted();
bool NextMouseSample(BPoint* point, uint32* buttons);
int SamplesLeft();
// A press of these buttons on the view, followed by the samples, through the real MouseDown.
void Press(BView* view, uint32 buttons, const std::vector<MouseSample>& samples);

// Alerts: every alert is recorded; answers are taken in order, 0 when none is left.
void ScriptAlerts(const std::vector<int32>& answers = {});
bool AnswerAlert(const std::string& title, const std::string& text,
                 const std::vector<std::string>& buttons, int32* answer);
const std::vector<AlertRecord>& Alerts();
// Also writes each alert's text to standard error (for tests that watch a process end).
void EchoAlerts(bool on);

// File panels: the next panel answers with this path at once ("" for a cancelled panel).
void ScriptFilePanel(const std::string& path);
bool AnswerFilePanel(const std::string& startFolder, std::string* path);
const std::vector<std::string>& FilePanelFolders();

// Browser: launches are recorded, as the URLs handed to the desktop, instead of made.
void RecordBrowser();
bool RecordBrowserLaunch(const std::string& path);
const std::vector<std::string>& BrowserLaunches();

// Clock.
void FixClock(time_t seconds);
bool FixedClock(time_t* seconds);

// Display: Sync presents without pacing.
void SetNoFrameWait(bool on);
bool NoFrameWait();

// Time: a monotonic clock that moves only when the program waits, and Syncs paced on it even
// headless, so a test can count a flight's steps and the waits between them without sleeping.
void UseManualTime(bool on);
bool ManualTime(int64_t* microseconds);
void AdvanceManualTime(int64_t microseconds);
// Every wait made on the manual clock, in microseconds, in order.
const std::vector<int64_t>& ManualWaits();

// Called at every Sync of an on-screen view, before any frame wait (to watch a card flight).
void ObserveSync(std::function<void(BView*)> observer);
void NotifySync(BView* view);

// Every seam off again.
void Reset();

}  // namespace testseams

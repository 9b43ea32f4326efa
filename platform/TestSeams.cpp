// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TestSeams.h"

#include <cstdio>
#include <deque>

#include "platform/View.h"

namespace testseams {

namespace {

struct State {
    bool mouseScripted = false;
    std::deque<MouseSample> samples;
    MouseSample last{{0, 0}, 0};

    bool alertsScripted = false;
    std::deque<int32> answers;
    std::vector<AlertRecord> alerts;
    bool echoAlerts = false;

    bool panelScripted = false;
    std::string panelPath;
    std::vector<std::string> panelFolders;

    bool browserRecorded = false;
    std::vector<std::string> launches;

    bool clockFixed = false;
    time_t clock = 0;

    bool noFrameWait = false;
    bool manualTime = false;
    int64_t now = 0;
    std::vector<int64_t> waits;
    std::function<void(BView*)> syncObserver;
};

State& S() {
    static State state;
    return state;
}

}  // namespace

void ScriptMouse(const std::vector<MouseSample>& samples) {
    S().mouseScripted = true;
    S().samples.assign(samples.begin(), samples.end());
}

bool MouseScripted() {
    return S().mouseScripted;
}

bool NextMouseSample(BPoint* point, uint32* buttons) {
    State& s = S();
    if (!s.mouseScripted)
        return false;
    if (s.samples.empty()) {
        *point = s.last.point;
        *buttons = 0;
        return true;
    }
    MouseSample next = s.samples.front();
    s.samples.pop_front();
    if (next.meanwhile)
        next.meanwhile();
    s.last = next;
    *point = s.last.point;
    *buttons = s.last.buttons;
    return true;
}

int SamplesLeft() {
    return int(S().samples.size());
}

void Press(BView* view, uint32 buttons, const std::vector<MouseSample>& samples) {
    ScriptMouse(samples);
    BPoint start = samples.empty() ? BPoint() : samples.front().point;
    view->DeliverMouseDown(start, buttons);
}

void ScriptAlerts(const std::vector<int32>& answers) {
    S().alertsScripted = true;
    S().answers.assign(answers.begin(), answers.end());
    S().alerts.clear();
}

bool AnswerAlert(const std::string& title, const std::string& text,
                 const std::vector<std::string>& buttons, int32* answer) {
    State& s = S();
    if (!s.alertsScripted)
        return false;
    s.alerts.push_back({title, text, buttons});
    if (s.echoAlerts)
        std::fprintf(stderr, "alert: %s\n", text.c_str());
    *answer = 0;
    if (!s.answers.empty()) {
        *answer = s.answers.front();
        s.answers.pop_front();
    }
    return true;
}

const std::vector<AlertRecord>& Alerts() {
    return S().alerts;
}

void EchoAlerts(bool on) {
    S().echoAlerts = on;
}

void ScriptFilePanel(const std::string& path) {
    S().panelScripted = true;
    S().panelPath = path;
}

bool AnswerFilePanel(const std::string& startFolder, std::string* path) {
    State& s = S();
    s.panelFolders.push_back(startFolder);
    if (!s.panelScripted)
        return false;
    *path = s.panelPath;
    return true;
}

const std::vector<std::string>& FilePanelFolders() {
    return S().panelFolders;
}

void RecordBrowser() {
    S().browserRecorded = true;
    S().launches.clear();
}

bool RecordBrowserLaunch(const std::string& path) {
    if (!S().browserRecorded)
        return false;
    S().launches.push_back(path);
    return true;
}

const std::vector<std::string>& BrowserLaunches() {
    return S().launches;
}

void FixClock(time_t seconds) {
    S().clockFixed = true;
    S().clock = seconds;
}

bool FixedClock(time_t* seconds) {
    if (!S().clockFixed)
        return false;
    *seconds = S().clock;
    return true;
}

void SetNoFrameWait(bool on) {
    S().noFrameWait = on;
}

bool NoFrameWait() {
    return S().noFrameWait;
}

void UseManualTime(bool on) {
    S().manualTime = on;
    S().now = 0;
    S().waits.clear();
}

bool ManualTime(int64_t* microseconds) {
    if (!S().manualTime)
        return false;
    *microseconds = S().now;
    return true;
}

void AdvanceManualTime(int64_t microseconds) {
    S().now += microseconds;
    S().waits.push_back(microseconds);
}

const std::vector<int64_t>& ManualWaits() {
    return S().waits;
}

void ObserveSync(std::function<void(BView*)> observer) {
    S().syncObserver = std::move(observer);
}

void NotifySync(BView* view) {
    if (S().syncObserver)
        S().syncObserver(view);
}

void Reset() {
    S() = State();
}

}  // namespace testseams

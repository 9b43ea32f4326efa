// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Looper.h"

#include "platform/QtSide.h"

#include <QCoreApplication>
#include <QObject>
#include <algorithm>
#include <vector>

namespace {

int hookDepth = 0;
std::vector<BLooper*>& Loopers() {
    static std::vector<BLooper*> loopers;
    return loopers;
}

template <class Value>
status_t FindField(const std::map<std::string, Value>& fields, const std::string& name,
                   Value* value) {
    auto it = fields.find(name);
    if (it == fields.end())
        return B_NAME_NOT_FOUND;
    *value = it->second;
    return B_OK;
}

}  // namespace

status_t BMessage::FindInt32(const std::string& name, int32* value) const {
    return FindField(ints, name, value);
}

status_t BMessage::FindString(const std::string& name, std::string* value) const {
    return FindField(strings, name, value);
}

status_t BMessage::FindPointer(const std::string& name, const void** value) const {
    return FindField(pointers, name, value);
}

BLooper::BLooper() : context(std::make_unique<Context>()) {
    Loopers().push_back(this);
}

BLooper::~BLooper() {
    auto& all = Loopers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void BLooper::PostMessage(uint32 code) {
    PostMessage(BMessage(code));
}

void BLooper::PostMessage(const BMessage& message) {
    queue.push_back(message);
    ScheduleDrain();
}

void BLooper::MessageReceived(BMessage*) {}

bool BLooper::HasQueued(uint32 what) const {
    return std::any_of(queue.begin(), queue.end(),
                       [what](const BMessage& m) { return m.what == what; });
}

void BLooper::DispatchMessage(BMessage* message) {
    MessageReceived(message);
}

void BLooper::ScheduleDrain() {
    // Queued rather than called: the caller may be in the middle of a hook of this very looper.
    QMetaObject::invokeMethod(
        context.get(), [this] { Drain(); }, Qt::QueuedConnection);
}

void BLooper::Drain() {
    if (hookDepth > 0)
        return;  // picked up again when the last hook ends
    while (!queue.empty() && hookDepth == 0) {
        BMessage message = queue.front();
        queue.pop_front();
        // The handler may delete this looper (a window that quits); nothing is touched after it.
        HookScope scope;
        BMessage* previous = current;
        current = &message;
        DispatchMessage(&message);
        if (!IsAlive(this))
            return;
        current = previous;
    }
}

void BLooper::DrainAll() {
    // A copy: handlers may create or delete loopers.
    std::vector<BLooper*> snapshot = Loopers();
    for (BLooper* looper : snapshot) {
        auto& all = Loopers();
        if (std::find(all.begin(), all.end(), looper) != all.end() && !looper->queue.empty())
            looper->ScheduleDrain();
    }
}

BLooper::HookScope::HookScope() {
    ++hookDepth;
}

BLooper::HookScope::~HookScope() {
    if (--hookDepth == 0)
        DrainAll();
}

bool BLooper::IsAlive(const BLooper* looper) {
    auto& all = Loopers();
    return std::find(all.begin(), all.end(), looper) != all.end();
}

bool BLooper::HookRunning() {
    return hookDepth > 0;
}

void BLooper::DispatchAllPending() {
    for (int round = 0; round < 100; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        bool pending = false;
        for (BLooper* looper : Loopers())
            pending = pending || !looper->queue.empty();
        if (!pending)
            return;
    }
}

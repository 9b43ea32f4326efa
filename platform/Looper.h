// SPDX-License-Identifier: GPL-3.0-or-later
// A message queue with a handler. Posting never calls the handler: the message is queued and
// handled later, one at a time in posting order, and only while no hook of any window or view
// is running. So a message posted during a mouse press, a card flight or an alert is handled
// after it, even though Qt's nested event loops keep running meanwhile.
#pragma once

#include <deque>
#include <memory>

#include "platform/Message.h"

class BLooper {
  public:
    BLooper();
    virtual ~BLooper();
    BLooper(const BLooper&) = delete;
    BLooper& operator=(const BLooper&) = delete;

    void PostMessage(uint32 code);
    void PostMessage(const BMessage& message);
    virtual void MessageReceived(BMessage* message);

    // The message being handled, or the mouse-down message while a press hook runs.
    BMessage* CurrentMessage() { return current; }
    void SetCurrentMessage(BMessage* message) { current = message; }
    // Whether this looper still exists (a window may have quit since a panel was opened).
    static bool IsAlive(const BLooper* looper);
    bool Lock() { return true; }
    void Unlock() {}

    int32 CountQueued() const { return int32(queue.size()); }
    // Whether a message with this code waits in the queue.
    bool HasQueued(uint32 what) const;

    // Marks the time a hook runs. While any scope is open anywhere, no queue is drained.
    class HookScope {
      public:
        HookScope();
        ~HookScope();
        HookScope(const HookScope&) = delete;
        HookScope& operator=(const HookScope&) = delete;
    };
    static bool HookRunning();

    // Handles every queued message of every looper, as the event loop would. For tests.
    static void DispatchAllPending();

  protected:
    // Handles one message; windows and the application answer B_QUIT_REQUESTED here.
    virtual void DispatchMessage(BMessage* message);

  private:
    friend struct QtSide;  // the toolkit's side of the class (platform/QtSide.h)
    void ScheduleDrain();
    void Drain();
    static void DrainAll();

    std::deque<BMessage> queue;
    BMessage* current = nullptr;
    struct Context;  // the toolkit object that carries queued calls
    std::unique_ptr<Context> context;
};

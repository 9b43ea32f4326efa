// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader sees of a view shown in a window, on Qt's accessibility: the view, the
// parts of it that are objects of their own (the places of a table), which part has the keyboard
// focus, a notification that carries news once, and whether the view is one choice of a group.
// For the platform's own files and for tests only.
#pragma once

#include <string>
#include <vector>

#include "platform/View.h"

class ViewWidget;

namespace accessibility {

struct State {
    std::vector<BView::AccessiblePart> parts;
    int focusPart = -1;
    // The last news, and whether its notification shows; a view that has announced anything
    // has a notification, after its parts.
    std::string news;
    bool newsShown = false;
    bool speaks = false;
    // -1 when the view is no choice; else 1 when it is the chosen one, 0 when not.
    int choice = -1;
};

// Makes Qt ask this file for the interface of every view's widget; once, before any is made.
void InstallFactory();
void SetParts(ViewWidget* widget, std::vector<BView::AccessiblePart> parts, int focused);
void SpeakFocus(ViewWidget* widget);
void Announce(ViewWidget* widget, const std::string& text);
void SetChoice(ViewWidget* widget, bool chosen);
// The keyboard focus came to the view from elsewhere: once Qt has told of the view, the focused
// part is told of.
void FocusEntered(ViewWidget* widget);

}  // namespace accessibility

// SPDX-License-Identifier: GPL-3.0-or-later
// Basic value types of the platform layer: points, rectangles, colours and the flag constants the
// program passes to windows and views.
#pragma once

#include <cstdint>

using int32 = int32_t;
using uint32 = uint32_t;
using uint8 = uint8_t;
using status_t = int32_t;

constexpr status_t B_OK = 0;
constexpr status_t B_ERROR = -1;
constexpr status_t B_NAME_NOT_FOUND = -2;

struct BPoint {
    float x = 0;
    float y = 0;
    BPoint() = default;
    BPoint(float px, float py) : x(px), y(py) {}
    bool operator==(const BPoint&) const = default;
};

// A rectangle that includes both corners: (0, 0)-(70, 95) covers 71 x 96 pixels.
struct BRect {
    float left = 0;
    float top = 0;
    float right = -1;
    float bottom = -1;
    BRect() = default;
    BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    int32 IntegerWidth() const { return int32(right - left); }
    int32 IntegerHeight() const { return int32(bottom - top); }
    bool IsValid() const { return left <= right && top <= bottom; }
    BPoint LeftTop() const { return {left, top}; }
    bool Contains(BPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    BRect OffsetByCopy(float dx, float dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const BRect&) const = default;
};

struct rgb_color {
    uint8 red = 0;
    uint8 green = 0;
    uint8 blue = 0;
    uint8 alpha = 255;
    bool operator==(const rgb_color&) const = default;
};

enum color_space { B_RGB32 = 0x0008, B_RGBA32 = 0x2008 };

enum drawing_mode { B_OP_COPY = 0, B_OP_ALPHA = 10 };

enum window_type { B_TITLED_WINDOW = 1, B_MODAL_WINDOW = 3 };

// Window flags.
constexpr uint32 B_NOT_RESIZABLE = 0x00000002;
constexpr uint32 B_NOT_ZOOMABLE = 0x00000008;
constexpr uint32 B_NOT_CLOSABLE = 0x00000020;
constexpr uint32 B_CURRENT_WORKSPACE = 0;

// View resizing modes and flags. Windows here are never resized, so they are carried for
// readability only.
constexpr uint32 B_FOLLOW_NONE = 0;
constexpr uint32 B_FOLLOW_LEFT = 0x1;
constexpr uint32 B_FOLLOW_TOP = 0x2;
constexpr uint32 B_FOLLOW_LEFT_RIGHT = 0x4;
constexpr uint32 B_FOLLOW_ALL_SIDES = 0xf;
constexpr uint32 B_WILL_DRAW = 0x20000000;
constexpr uint32 B_FRAME_EVENTS = 0x04000000;
constexpr uint32 B_NAVIGABLE = 0x02000000;
constexpr uint32 B_NAVIGABLE_JUMP = 0x01000000;

// Mouse buttons as "buttons" carries them.
constexpr uint32 B_PRIMARY_MOUSE_BUTTON = 1;
constexpr uint32 B_SECONDARY_MOUSE_BUTTON = 2;
constexpr uint32 B_TERTIARY_MOUSE_BUTTON = 4;

// Keys as a key press's bytes carry them, and the modifier keys held with it.
enum {
    B_ENTER = '\n',
    B_SPACE = ' ',
    B_ESCAPE = 0x1b,
    B_LEFT_ARROW = 0x1c,
    B_RIGHT_ARROW = 0x1d,
    B_UP_ARROW = 0x1e,
    B_DOWN_ARROW = 0x1f,
};
constexpr uint32 B_SHIFT_KEY = 0x1;

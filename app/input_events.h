#pragma once
// Presses and releases as the window delivers them, kept in order between frames. The
// window is read once a frame, so a quick click or key tap that both goes down and
// comes up between two frames would otherwise leave no trace; from this queue each
// frame's snapshot takes at most one press and one release of every key and button,
// and what is left (a second click within one slow frame) waits for the next frame.
#include <raylib.h>

#include <cstddef>
#include <deque>
#include <vector>

#include "app/input.h"

struct InputEvent {
    bool button = false;  // a mouse button; otherwise a key
    int code = 0;         // the button or key, as the snapshot numbers them
    bool press = false;   // otherwise a release
    Vector2 point{0.0f, 0.0f};  // the mouse (window pixels) when it happened
};

struct InputEvents {
    std::deque<InputEvent> queue;
};

// More than this many events between two frames are not kept.
inline constexpr std::size_t MAX_QUEUED_INPUT_EVENTS = 256;

void noteInputEvent(InputEvents& events, const InputEvent& event);
// Adds this frame's share of the queued events to a snapshot read from the window: the
// presses and releases, and for a left-button press the point it went down at. Returns
// that share in the order it came, for the panel to see the same presses and releases.
std::vector<InputEvent> takeFrameEvents(InputEvents& events, InputSnapshot& in);

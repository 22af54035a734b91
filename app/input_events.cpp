#include "app/input_events.h"

#include <set>
#include <utility>

void noteInputEvent(InputEvents& events, const InputEvent& event) {
    if (events.queue.size() >= MAX_QUEUED_INPUT_EVENTS) return;
    events.queue.push_back(event);
}

std::vector<InputEvent> takeFrameEvents(InputEvents& events, InputSnapshot& in) {
    std::vector<InputEvent> taken;
    // (button?, code) pairs that already went down, or up, in this frame.
    std::set<std::pair<bool, int>> pressed;
    std::set<std::pair<bool, int>> released;
    while (!events.queue.empty()) {
        const InputEvent event = events.queue.front();
        const std::pair<bool, int> id{event.button, event.code};
        auto& seen = event.press ? pressed : released;
        // A second press (or release) of the same key or button belongs to a later frame;
        // stopping here keeps everything behind it in order.
        if (seen.count(id) != 0) break;
        seen.insert(id);
        events.queue.pop_front();
        const int limit = event.button ? 8 : 512;
        if (event.code < 0 || event.code >= limit) continue;
        taken.push_back(event);
        const auto bit = static_cast<std::size_t>(event.code);
        if (event.button) {
            (event.press ? in.mousePressed : in.mouseReleased).set(bit);
            if (event.press && event.code == MOUSE_BUTTON_LEFT) in.mouse = event.point;
        } else {
            (event.press ? in.keyPressed : in.keyReleased).set(bit);
        }
    }
    return taken;
}

#include "app/undo_history.h"

#include <cstddef>
#include <cstring>
#include <utility>

namespace {

template <typename T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool sameSettings(const Design& a, const Design& b) {
    return sameBits(a.density, b.density) && sameBits(a.accumulativeLimit, b.accumulativeLimit) &&
           sameBits(a.threshold, b.threshold) && sameBits(a.duration, b.duration) &&
           sameBits(a.magnitude, b.magnitude) && sameBits(a.epicenter, b.epicenter);
}

// A step keeps a preset's or Load's settings as a Design without lines.
Design settingsOf(const Design& design) {
    Design settings = design;
    settings.lines = {};
    return settings;
}

void applySettings(const Design& settings, Design& design) {
    std::vector<Line> lines = std::move(design.lines);
    design = settings;
    design.lines = std::move(lines);
}

std::size_t linesOf(const UndoStep& step) { return step.removed.size() + step.added.size(); }

void dropFrom(UndoHistory& history, std::size_t first) {
    for (std::size_t i = first; i < history.steps.size(); ++i) history.storedLines -= linesOf(history.steps[i]);
    history.steps.erase(history.steps.begin() + static_cast<std::ptrdiff_t>(first), history.steps.end());
}

// Replaces lines[at, at + out.size()) by `in` when that span holds exactly `out`.
bool swapSpan(std::vector<Line>& lines, std::size_t at, const std::vector<Line>& out, const std::vector<Line>& in) {
    if (at > lines.size() || out.size() > lines.size() - at) return false;
    if (!out.empty() && std::memcmp(&lines[at], out.data(), out.size() * sizeof(Line)) != 0) return false;
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(at);
    lines.erase(first, first + static_cast<std::ptrdiff_t>(out.size()));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), in.begin(), in.end());
    return true;
}

bool apply(UndoHistory& history, const UndoStep& step, bool backwards, Design& design) {
    const bool fits = backwards ? swapSpan(design.lines, step.at, step.added, step.removed)
                                : swapSpan(design.lines, step.at, step.removed, step.added);
    if (!fits) {
        history = UndoHistory{};
        return false;
    }
    if (step.settingsChanged) applySettings(backwards ? step.settingsBefore : step.settingsAfter, design);
    return true;
}

}  // namespace

void recordChange(UndoHistory& history, const Design& before, const Design& after) {
    const std::vector<Line>& a = before.lines;
    const std::vector<Line>& b = after.lines;
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && sameBits(a[head], b[head])) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           sameBits(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;
    const bool linesChanged = head + tail != a.size() || a.size() != b.size();
    const bool settingsChanged = !sameSettings(before, after);
    if (!linesChanged && !settingsChanged) return;

    UndoStep step;
    step.at = head;
    step.removed.assign(a.begin() + static_cast<std::ptrdiff_t>(head), a.end() - static_cast<std::ptrdiff_t>(tail));
    step.added.assign(b.begin() + static_cast<std::ptrdiff_t>(head), b.end() - static_cast<std::ptrdiff_t>(tail));
    step.settingsChanged = settingsChanged;
    if (settingsChanged) {
        step.settingsBefore = settingsOf(before);
        step.settingsAfter = settingsOf(after);
    }

    dropFrom(history, history.done);
    history.storedLines += linesOf(step);
    history.steps.push_back(std::move(step));
    while (history.steps.size() > UNDO_STEPS ||
           (history.storedLines > UNDO_LINE_BUDGET && history.steps.size() > 1)) {
        history.storedLines -= linesOf(history.steps.front());
        history.steps.pop_front();
    }
    history.done = history.steps.size();
}

bool canUndo(const UndoHistory& history) { return history.done > 0; }
bool canRedo(const UndoHistory& history) { return history.done < history.steps.size(); }

bool undoStep(UndoHistory& history, Design& design) {
    if (!canUndo(history)) return false;
    if (!apply(history, history.steps[history.done - 1], true, design)) return false;
    --history.done;
    return true;
}

bool redoStep(UndoHistory& history, Design& design) {
    if (!canRedo(history)) return false;
    if (!apply(history, history.steps[history.done], false, design)) return false;
    ++history.done;
    return true;
}

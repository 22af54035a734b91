#pragma once
// The undo history of the design. Every change to the line list is one step; a preset or
// Load also carries the settings it replaced. A step keeps only what changed: the span
// of lines that differs (one line for a placed line) and, when they changed, the
// settings before and after.
#include <cstddef>
#include <deque>
#include <vector>

#include "physics/structure.h"

// Steps kept; recording one more drops the oldest.
inline constexpr std::size_t UNDO_STEPS = 200;
// Lines held by all steps together, 16 bytes each (32 MB): past this the oldest steps go
// as well, so that many loads of large designs stay bounded. The newest step always stays.
inline constexpr std::size_t UNDO_LINE_BUDGET = 2000000;

struct UndoStep {
    std::size_t at = 0;         // lines [at, at + removed.size()) became `added`
    std::vector<Line> removed;
    std::vector<Line> added;
    bool settingsChanged = false;
    Design settingsBefore;      // the six settings only; their lines stay empty
    Design settingsAfter;
};

struct UndoHistory {
    std::deque<UndoStep> steps;  // [0, done) can be undone, [done, end) redone
    std::size_t done = 0;
    std::size_t storedLines = 0;
};

// Records the change from `before` to `after` (names are not part of it) and drops the
// steps that could be redone. A change that changes nothing, bit for bit, is no step.
void recordChange(UndoHistory& history, const Design& before, const Design& after);

bool canUndo(const UndoHistory& history);
bool canRedo(const UndoHistory& history);

// Turns `design`, the live state, back by one step or forward again; false when there is
// none. A live state that is not what the history left behind empties the history
// (false) rather than undoing into the wrong lines.
bool undoStep(UndoHistory& history, Design& design);
bool redoStep(UndoHistory& history, Design& design);

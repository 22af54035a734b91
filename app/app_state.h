#pragma once
// Everything the frame loop keeps from one frame to the next, apart from the window's
// own resources (render target, user-interface backend), which the program holds.
#include <raylib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/editor.h"
#include "app/rigidity_check.h"
#include "app/record_commands.h"
#include "app/undo_history.h"
#include "app/run_control.h"
#include "physics/human_types.h"
#include "physics/structure.h"
#include "quake/failure_report.h"
#include "quake/quake.h"

struct AppState {
    Camera2D camera{{425.0f, 425.0f}, {0.0f, 0.0f}, 0.0f, 1.0f};
    float stepAccumulator = 0.0f;
    bool typingMode = false;
    std::int32_t simulating = 0;  // 0 = editor, 1 = simulation
    EditorState editor;
    UndoHistory history;  // the design's undo steps; kept across F and G
    Simulation sim;
    QuakeState quake;
    HumanSpawner spawner;
    RunControl run;
    RecordShelf records;  // the records/ folder's files and the loaded record's figures
    FailureReport report;
    std::uint64_t worldSteps = 0;  // world steps since start, for the frame log's simulated time
    // Why the last F, Enter or simulated step did not go as asked ("" when it did);
    // shown in the panel until F or Enter goes through, or a preset or Load replaces
    // the design.
    std::string notice;
    // The lines as the last Save, Load or preset left them: closing the window with other
    // lines writes the autosave.
    std::vector<Line> keptLines;
    // A preset or Load brought lines that all lie outside the view; cleared once any shows.
    bool designOffScreen = false;
    // A line has been placed or loaded since start: the scene's first hint is no longer shown.
    bool hadLines = false;
    // The last rigidity check (C or the panel's button), shown until the drawing changes.
    RigidityCheck rigidity;
};

#pragma once
// The same quake again: the structure rebuilt from the current lines in a fresh world,
// and a quake started with a kept or typed seed, so two designs or two settings meet
// identical shaking.
#include <string>

#include "app/app_state.h"
#include "quake/quake_seed.h"
#include "ui/command_reply.h"

// As if F and Enter went down together after a stay in the editor, in a world made
// afresh: the same lines, settings, seed and frames give the same run, break for break.
// Figures go with the old structure; paused or not, the replay runs; the speed stays.
void replayQuake(AppState& app, const QuakeSeed& seed);

// The panel's Replay: the typed seed, or the latest quake's when nothing is typed.
// Answers whether it started and the message to show; a seed that cannot be read
// changes nothing.
CommandReply replayTyped(AppState& app, const std::string& typed);

#pragma once
// Whether a design can be used: its line count and its seven settings, each checked by
// the rule of the part that uses it, and refused by name before anything of the design
// is applied. Every way a design or a setting comes in uses these checks: Load, the
// start-up presets, the lab, and (for the live settings) F, Enter and Replay; the panel
// checks each field by the same rules.
#include <string>

#include "persistence/design_file.h"
#include "physics/structure.h"

// Why the design's seven settings cannot be used ("" when they can): the first refused
// one, named. Its lines are not looked at.
std::string settingsProblem(const Design& design);

// Why the design cannot be used ("" when it can): its line count, then its settings.
std::string designProblem(const Design& design);

// readDesignFile, then designProblem: out is only written when both succeed, and the
// message names the refused setting or the line count.
FileResult readUsableDesign(const std::string& name, Design& out, const std::string& baseDir = ".");

// A design file at any path, as the lab is given one: only a regular file within the size
// a design file may have is read, then decoded and checked. "" when out holds it, else why
// not (out is then untouched).
std::string readUsableDesignAt(const std::string& path, Design& out);

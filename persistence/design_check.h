#pragma once
// Whether a design read from a file can be used: settings the engine cannot simulate
// are refused by name before anything of the design is applied.
#include <string>

#include "persistence/design_file.h"
#include "physics/structure.h"

// Why the design's settings cannot be used ("" when they can).
std::string designProblem(const Design& design);

// readDesignFile, then designProblem: out is only written when both succeed, and the
// message names the refused setting.
FileResult readUsableDesign(const std::string& name, Design& out, const std::string& baseDir = ".");

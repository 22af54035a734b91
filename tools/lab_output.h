#pragma once
// The lab's printouts of a finished run: text for a reader (a heading, the rows of each
// level, and for a sweep its fragility table and curve), CSV and JSON with one row per
// run for scripts.
#include <string>
#include <vector>

#include "physics/structure.h"
#include "tools/fragility.h"
#include "tools/lab_levels.h"
#include "tools/lab_threads.h"
#include "tools/quake_lab.h"

struct LabResults {
    LabSweep sweep;
    std::vector<LabJob> jobs;
    std::vector<LabOutcome> outcomes;  // one per job
};

// A level's name in a table: "0.3" (g) or "6.5" (magnitude).
std::string levelLabel(const LabResults& results, std::size_t level);
// Fewer runs than this at a level, and the fit carries a note that it is rough.
inline constexpr int RUNS_FOR_CONFIDENCE = 10;

// Runs and collapses at each level, at the intensity the curve is a function of.
std::vector<FragilityLevel> fragilityLevels(const LabResults& results);

std::string labText(const Design& design, const LabResults& results);
std::string labCsv(const LabResults& results);
std::string labJson(const Design& design, const LabResults& results);

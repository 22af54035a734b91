#include "persistence/design_check.h"

#include <optional>
#include <utility>

#include "persistence/whole_file.h"
#include "physics/build_limits.h"
#include "quake/quake.h"

std::string settingsProblem(const Design& design) {
    for (std::string problem :
         {densityProblem(design.density), limitProblem(design.accumulativeLimit), thresholdProblem(design.threshold),
          durationProblem(design.duration), magnitudeProblem(design.magnitude), epicenterProblem(design.epicenter)}) {
        if (!problem.empty()) return problem;
    }
    return "";
}

std::string designProblem(const Design& design) {
    const std::string problem = lineCountProblem(design.lines.size());
    if (!problem.empty()) return problem;
    return settingsProblem(design);
}

FileResult readUsableDesign(const std::string& name, Design& out, const std::string& baseDir) {
    // A design too large to use is refused by its count alone, before its lines are read.
    const std::optional<std::uint64_t> lines = storedLineCount(name, baseDir);
    if (lines && *lines > MAX_MEMBERS) {
        return {false, "Could not load " + shownDesignPath(name) + ": " + lineCountProblem(*lines)};
    }
    Design design;
    FileResult result = readDesignFile(name, design, baseDir);
    if (!result.ok) return result;
    const std::string problem = designProblem(design);
    if (!problem.empty()) return {false, "Could not load " + shownDesignPath(name) + ": " + problem};
    out = std::move(design);
    return result;
}

std::string readUsableDesignAt(const std::string& path, Design& out) {
    std::string bytes;
    std::string problem = readRegularFile(path, MAX_DESIGN_FILE_BYTES, "a design file", bytes);
    if (!problem.empty()) return problem;
    Design design;
    if (!decodeDesign(bytes, design, problem)) return "not a design file: " + problem;
    problem = designProblem(design);
    if (!problem.empty()) return problem;
    out = std::move(design);
    return "";
}

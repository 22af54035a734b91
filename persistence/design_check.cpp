#include "persistence/design_check.h"

#include <utility>

#include "physics/build_limits.h"
#include "quake/quake.h"

std::string designProblem(const Design& design) {
    std::string problem = densityProblem(design.density);
    if (problem.empty()) problem = magnitudeProblem(design.magnitude);
    return problem;
}

FileResult readUsableDesign(const std::string& name, Design& out, const std::string& baseDir) {
    Design design;
    FileResult result = readDesignFile(name, design, baseDir);
    if (!result.ok) return result;
    const std::string problem = designProblem(design);
    if (!problem.empty()) return {false, "Could not load " + shownDesignPath(name) + ": " + problem};
    out = std::move(design);
    return result;
}

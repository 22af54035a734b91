#include "app/rigidity_check.h"

#include <cstring>

namespace {

bool sameDrawing(const std::vector<Line>& a, const std::vector<Line>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Line)) == 0);
}

}  // namespace

void runRigidityCheck(RigidityCheck& check, const std::vector<Line>& lines, float groundTop) {
    check.result = checkRigidity(lines, groundTop);
    check.checked = lines;
    check.shown = true;
}

void forgetChangedRigidity(RigidityCheck& check, const std::vector<Line>& lines) {
    if (!check.shown || sameDrawing(check.checked, lines)) return;
    check = RigidityCheck{};
}

std::string rigiditySummary(const RigidityCheck& check) {
    if (!check.shown) return "";
    const std::size_t ways = check.result.waysToMove;
    if (ways == 0) return "Rigid: no part can move";
    return std::to_string(ways) + (ways == 1 ? " way" : " independent ways") +
           " to move: the tinted members can fold";
}

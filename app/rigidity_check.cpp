#include "app/rigidity_check.h"

#include <cstring>

#include "app/app_state.h"
#include "quake/ground_quake.h"

namespace {

bool sameDrawing(const std::vector<Line>& a, const std::vector<Line>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Line)) == 0);
}

ConnectionSetup chosenConnections(const AppState& app) { return worldSetupFor(app.quake.ground).connections; }

// The spring's settings do not change what can move, only the kind of joint does.
bool sameJoining(const ConnectionSetup& a, const ConnectionSetup& b) {
    return a.connection == b.connection && a.base == b.base;
}

void runRigidityCheck(RigidityCheck& check, const std::vector<Line>& lines, float groundTop,
                      const ConnectionSetup& joints) {
    check.result = checkRigidity(lines, groundTop, joints);
    check.checked = lines;
    check.joints = joints;
    check.shown = true;
}

void forgetChangedRigidity(RigidityCheck& check, const std::vector<Line>& lines, const ConnectionSetup& joints) {
    if (!check.shown || (sameDrawing(check.checked, lines) && sameJoining(check.joints, joints))) return;
    check = RigidityCheck{};
}

}  // namespace

void checkEditorRigidity(AppState& app) {
    runRigidityCheck(app.rigidity, app.editor.lines, app.sim.groundTop, chosenConnections(app));
}

void forgetStaleRigidity(AppState& app) { forgetChangedRigidity(app.rigidity, app.editor.lines, chosenConnections(app)); }

std::string rigiditySummary(const RigidityCheck& check) {
    if (!check.shown) return "";
    const std::size_t ways = check.result.waysToMove;
    if (ways == 0) return "Rigid: no part can move";
    return std::to_string(ways) + (ways == 1 ? " way" : " independent ways") +
           " to move: the tinted members can fold";
}

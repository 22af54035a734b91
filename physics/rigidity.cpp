#include "physics/rigidity.h"

#include <cmath>
#include <numeric>

#include "physics/end_points.h"
#include "physics/pebble_game.h"
#include "physics/world.h"

namespace {

bool samePoint(Vector2 a, Vector2 b) { return a.x == b.x && a.y == b.y; }

bool builds(const Line& line) {
    return std::isfinite(line.start.x) && std::isfinite(line.start.y) && std::isfinite(line.end.x) &&
           std::isfinite(line.end.y) && !samePoint(line.start, line.end);
}

// Ends are numbered 2 * line + (0 start, 1 end); a joint is a set of ends pinned together.
struct Ends {
    std::vector<std::size_t> parent;
    std::size_t find(std::size_t e) {
        while (parent[e] != e) e = parent[e] = parent[parent[e]];
        return e;
    }
    void join(std::size_t a, std::size_t b) { parent[find(a)] = find(b); }
};

// The one point at which F hinges two lines, tried in F's order: two lines over the same
// two points are hinged at one of them only, so the other end of each stays its own.
void joinAsBuilt(Ends& ends, const std::vector<Line>& lines, std::size_t i, std::size_t j) {
    const Line& a = lines[i];
    const Line& b = lines[j];
    if (samePoint(b.start, a.start)) {
        ends.join(2 * i, 2 * j);
    } else if (samePoint(b.end, a.end)) {
        ends.join(2 * i + 1, 2 * j + 1);
    } else if (samePoint(b.end, a.start)) {
        ends.join(2 * i, 2 * j + 1);
    } else if (samePoint(b.start, a.end)) {
        ends.join(2 * i + 1, 2 * j);
    }
}

}  // namespace

RigidityResult checkRigidity(const std::vector<Line>& lines, float groundTop) {
    RigidityResult result;
    result.canMove.assign(lines.size(), false);

    Ends ends;
    ends.parent.resize(2 * lines.size());
    std::iota(ends.parent.begin(), ends.parent.end(), std::size_t{0});
    for (const auto& [i, j] : sharedEndPointPairs(lines)) joinAsBuilt(ends, lines, i, j);

    // Joints 0 and 1 with a bar between them stand for the ground as one body; a pinned
    // joint is tied to both, which fixes it (the ground's pins are in general position).
    constexpr std::size_t GROUND_A = 0;
    constexpr std::size_t GROUND_B = 1;
    std::vector<std::size_t> joint(2 * lines.size(), 0);
    std::size_t joints = 2;
    for (std::size_t e = 0; e < joint.size(); ++e) {
        if (!builds(lines[e / 2]) || ends.find(e) != e) continue;
        joint[e] = joints++;
    }
    PebbleGame game = startPebbleGame(joints);
    addBar(game, GROUND_A, GROUND_B);
    std::vector<char> tied(joints, 0);
    for (std::size_t e = 0; e < joint.size(); ++e) {
        const Line& line = lines[e / 2];
        if (!builds(line)) continue;
        const std::size_t j = joint[ends.find(e)];
        if (tied[j] || !pinnedPoint(e % 2 == 0 ? line.start : line.end, groundTop)) continue;
        tied[j] = 1;
        addBar(game, j, GROUND_A);
        addBar(game, j, GROUND_B);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (builds(lines[i])) addBar(game, joint[ends.find(2 * i)], joint[ends.find(2 * i + 1)]);
    }

    result.waysToMove = freePebbles(game) - 3;  // less the ground body's own three
    const std::vector<bool> rigid = rigidToBar(game, GROUND_A, GROUND_B);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!builds(lines[i])) continue;
        result.canMove[i] = !rigid[joint[ends.find(2 * i)]] || !rigid[joint[ends.find(2 * i + 1)]];
    }
    return result;
}

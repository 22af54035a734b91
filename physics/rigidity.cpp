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

// The ends of two lines that F joins, or none.
struct JoinedEnds {
    bool joined = false;
    std::size_t first = 0;
    std::size_t second = 0;
};

// The one point at which F joins two lines, tried in F's order: two lines over the same
// two points are joined at one of them only, so the other end of each stays its own.
JoinedEnds joinAsBuilt(Ends& ends, const std::vector<Line>& lines, std::size_t i, std::size_t j) {
    const Line& a = lines[i];
    const Line& b = lines[j];
    JoinedEnds at;
    if (samePoint(b.start, a.start)) {
        at = {true, 2 * i, 2 * j};
    } else if (samePoint(b.end, a.end)) {
        at = {true, 2 * i + 1, 2 * j + 1};
    } else if (samePoint(b.end, a.start)) {
        at = {true, 2 * i, 2 * j + 1};
    } else if (samePoint(b.start, a.end)) {
        at = {true, 2 * i + 1, 2 * j};
    }
    if (at.joined) ends.join(at.first, at.second);
    return at;
}

// The other end of the line an end belongs to.
std::size_t farEnd(std::size_t end) { return end ^ 1u; }

}  // namespace

RigidityResult checkRigidity(const std::vector<Line>& lines, float groundTop, const ConnectionSetup& joining) {
    RigidityResult result;
    result.canMove.assign(lines.size(), false);

    Ends ends;
    ends.parent.resize(2 * lines.size());
    std::iota(ends.parent.begin(), ends.parent.end(), std::size_t{0});
    std::vector<JoinedEnds> welds;
    for (const auto& [i, j] : sharedEndPointPairs(lines)) {
        const JoinedEnds at = joinAsBuilt(ends, lines, i, j);
        if (at.joined && joining.connection == Connection::Moment) welds.push_back(at);
    }

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
        if (!pinnedPoint(e % 2 == 0 ? line.start : line.end, groundTop)) continue;
        // A fixed foot holds its member's angle too: the far end is tied to the ground.
        if (joining.base == BaseFixity::Fixed) addBar(game, joint[ends.find(farEnd(e))], GROUND_A);
        const std::size_t j = joint[ends.find(e)];
        if (tied[j]) continue;
        tied[j] = 1;
        addBar(game, j, GROUND_A);
        addBar(game, j, GROUND_B);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (builds(lines[i])) addBar(game, joint[ends.find(2 * i)], joint[ends.find(2 * i + 1)]);
    }
    for (const JoinedEnds& weld : welds) {
        addBar(game, joint[ends.find(farEnd(weld.first))], joint[ends.find(farEnd(weld.second))]);
    }

    result.waysToMove = freePebbles(game) - 3;  // less the ground body's own three
    const std::vector<bool> rigid = rigidToBar(game, GROUND_A, GROUND_B);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!builds(lines[i])) continue;
        result.canMove[i] = !rigid[joint[ends.find(2 * i)]] || !rigid[joint[ends.find(2 * i + 1)]];
    }
    return result;
}

#include "ui/sway_pose.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "physics/engine/b2layer.h"

namespace {

Vector2 plus(Vector2 a, Vector2 b) { return Vector2{a.x + b.x, a.y + b.y}; }
Vector2 minus(Vector2 a, Vector2 b) { return Vector2{a.x - b.x, a.y - b.y}; }
Vector2 times(float k, Vector2 a) { return Vector2{k * a.x, k * a.y}; }

// A member's axis runs along its body's local y, from -halfLength to +halfLength.
MemberEnds endsOf(Vector2 centre, float angle, float halfLength) {
    const Vector2 half{-halfLength * std::sin(angle), halfLength * std::cos(angle)};
    return MemberEnds{minus(centre, half), plus(centre, half)};
}

}  // namespace

Vector2 swayedPoint(Vector2 atRest, Vector2 now, Vector2 groundMoved, float factor) {
    const Vector2 displacement = minus(minus(now, groundMoved), atRest);
    return plus(plus(atRest, groundMoved), times(factor, displacement));
}

std::vector<MemberEnds> swayedMembers(const Simulation& sim, const RestPose& rest, float factor) {
    std::vector<MemberEnds> drawn(sim.beams.size());
    if (rest.position.size() != sim.beams.size() || rest.angle.size() != sim.beams.size()) return drawn;
    const Vector2 groundMoved =
        isLive(sim.ground.body) ? minus(b2Body_GetPosition(sim.ground.body), rest.ground) : Vector2{0.0f, 0.0f};
    for (std::size_t i = 0; i < sim.beams.size(); ++i) {
        const Beam& beam = sim.beams[i];
        const MemberEnds atRest = endsOf(rest.position[i], rest.angle[i], beam.halfLength);
        MemberEnds now = atRest;
        if (isLive(beam.body)) {
            now = endsOf(b2Body_GetPosition(beam.body), b2Rot_GetAngle(b2Body_GetRotation(beam.body)), beam.halfLength);
        }
        drawn[i] = MemberEnds{swayedPoint(atRest.start, now.start, groundMoved, factor),
                              swayedPoint(atRest.end, now.end, groundMoved, factor)};
    }
    return drawn;
}

float shownSwayFactor(const Simulation& sim, const RestPose& rest, int chosen) {
    const std::vector<MemberEnds> at = swayedMembers(sim, rest, 0.0f);
    const std::vector<MemberEnds> now = swayedMembers(sim, rest, 1.0f);
    float largest = 0.0f;
    for (std::size_t i = 0; i < at.size(); ++i) {
        largest = std::max({largest, std::hypot(now[i].start.x - at[i].start.x, now[i].start.y - at[i].start.y),
                            std::hypot(now[i].end.x - at[i].end.x, now[i].end.y - at[i].end.y)});
    }
    const float factor = static_cast<float>(chosen);
    if (!(largest * factor > MAX_DRAWN_SWAY)) return factor;
    return std::max(1.0f, MAX_DRAWN_SWAY / largest);
}

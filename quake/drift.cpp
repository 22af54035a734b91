#include "quake/drift.h"

#include <algorithm>
#include <cmath>

#include "physics/engine/b2layer.h"

namespace {

constexpr float FULL_TURN = 6.28318530718f;  // radians

float turnedBy(float now, float rest) {
    const float turn = std::remainder(now - rest, FULL_TURN);
    return std::fabs(turn);
}

// How far this member has moved along x since the rest pose, or false when it has come off.
bool memberShift(const Simulation& sim, const RestPose& rest, std::size_t beam, float& shift) {
    if (beam >= sim.beams.size() || beam >= rest.position.size() || beam >= rest.angle.size()) return false;
    const b2BodyId body = sim.beams[beam].body;
    if (!isLive(body)) return false;
    const b2Vec2 at = b2Body_GetPosition(body);
    const float angle = b2Rot_GetAngle(b2Body_GetRotation(body));
    if (!std::isfinite(at.x) || !std::isfinite(at.y) || !std::isfinite(angle)) return false;
    if (at.y - rest.position[beam].y > COME_OFF_DROP) return false;  // y points down
    if (turnedBy(angle, rest.angle[beam]) > COME_OFF_TURN) return false;
    shift = at.x - rest.position[beam].x;
    return true;
}

}  // namespace

DriftTrack startDriftTrack(const Simulation& sim) {
    DriftTrack track;
    track.started = true;
    std::vector<Line> lines;
    lines.reserve(sim.beams.size());
    for (const Beam& beam : sim.beams) lines.push_back(beam.line);
    track.levels = floorLevels(lines, sim.groundTop);
    for (std::size_t b = 0; b < lines.size(); ++b) {
        const Line& line = lines[b];
        if (line.start.y != line.end.y || line.start.x == line.end.x) continue;
        for (std::size_t level = 0; level < track.levels.size(); ++level) {
            if (track.levels[level].y == line.start.y) track.members.push_back(FloorMember{level, b});
        }
    }
    track.displacement.assign(track.levels.size(), 0.0f);
    track.lost.assign(track.levels.size(), false);
    track.storeyDrift.assign(track.levels.size(), 0.0f);
    track.peakStoreyDrift.assign(track.levels.size(), 0.0f);
    return track;
}

void updateDrift(DriftTrack& track, const Simulation& sim, const RestPose& rest) {
    const std::size_t count = track.levels.size();
    if (!track.started || !rest.taken || count == 0 || !isLive(sim.ground.body)) return;
    const float groundShift = b2Body_GetPosition(sim.ground.body).x - rest.ground.x;
    std::vector<float> sum(count, 0.0f);
    std::vector<int> counted(count, 0);
    for (const FloorMember& member : track.members) {
        float shift = 0.0f;
        if (!memberShift(sim, rest, member.beam, shift)) continue;
        sum[member.level] += shift;
        ++counted[member.level];
    }
    for (std::size_t level = 0; level < count; ++level) {
        track.lost[level] = counted[level] == 0;
        if (!track.lost[level]) track.displacement[level] = sum[level] / static_cast<float>(counted[level]) - groundShift;
    }
    for (std::size_t storey = 0; storey < count; ++storey) {
        const bool below = storey == 0 || !track.lost[storey - 1];
        const float height = storeyHeight(track.levels, storey);
        if (track.lost[storey] || !below || !(height > 0.0f)) continue;
        const float under = storey == 0 ? 0.0f : track.displacement[storey - 1];
        track.storeyDrift[storey] = (track.displacement[storey] - under) / height;
        track.peakStoreyDrift[storey] = std::max(track.peakStoreyDrift[storey], std::fabs(track.storeyDrift[storey]));
    }
    if (!track.lost.back()) {
        track.roofDrift = track.displacement.back() / track.levels.back().height;
        track.peakRoofDrift = std::max(track.peakRoofDrift, std::fabs(track.roofDrift));
    }
}

float largestStoreyDrift(const DriftTrack& track) {
    float largest = 0.0f;
    for (float drift : track.storeyDrift) largest = std::max(largest, std::fabs(drift));
    return largest;
}

float largestPeakStoreyDrift(const DriftTrack& track) {
    float largest = 0.0f;
    for (float drift : track.peakStoreyDrift) largest = std::max(largest, drift);
    return largest;
}

DamageState storeyDamage(const DriftTrack& track, std::size_t storey) {
    if (storey >= track.peakStoreyDrift.size()) return DamageState::None;
    return damageStateForDrift(track.peakStoreyDrift[storey]);
}

DamageState worstDamage(const DriftTrack& track) { return damageStateForDrift(largestPeakStoreyDrift(track)); }

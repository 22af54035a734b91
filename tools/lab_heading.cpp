#include "tools/lab_heading.h"

#include <cstdio>
#include <sstream>

#include "quake/ground_motion.h"
#include "quake/joint_sizing.h"

namespace {

bool recorded(const LabSettings& s) {
    return s.model == QuakeModel::GroundMotion && s.ground.source == MotionSource::Recorded;
}

std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// " (asked 3, the relation's lower bound)" when the relation used another value.
std::string clampNote(double asked, double used) {
    if (asked == used) return "";
    return " (asked " + number(asked) + ", the relation's " + (asked < used ? "lower" : "upper") + " bound)";
}

// "pinned connections and bases", or "moment connections, fixed bases: k 6000 kN m/rad,
// damping ratio 0.05, capacity 60 kN m" when a spring is in use.
std::string connectionText(const GroundMotionSettings& g) {
    const bool moment = g.connection == Connection::Moment;
    const bool fixed = g.base == BaseFixity::Fixed;
    if (!moment && !fixed) return "pinned connections and bases";
    return std::string(moment ? "moment" : "pinned") + " connections, " + (fixed ? "fixed" : "pinned") +
           " bases: k " + number(g.stiffness) + " kN m/rad, damping ratio " + number(g.dampingRatio) +
           ", capacity " + number(g.capacity) + " kN m";
}

}  // namespace

double labQuakeSeconds(const LabSettings& settings) {
    if (recorded(settings)) {
        const Accelerogram& r = settings.ground.record;
        return r.accelerationG.empty() ? 0.0 : r.dt * static_cast<double>(r.accelerationG.size() - 1);
    }
    return settings.duration;
}

double labPgaG(const LabSettings& settings) {
    if (!settings.quake || settings.model != QuakeModel::GroundMotion) return 0.0;
    if (settings.targetPgaG > 0.0) return settings.targetPgaG;
    if (recorded(settings)) return groundMotionFromRecord(settings.ground.record, settings.ground.recordScale).peakG;
    return joynerBoorePga(settings.magnitude, settings.distanceKm).pgaG;
}

std::string labQuakeText(const LabSettings& settings) {
    if (!settings.quake) return "at rest";
    const std::string seconds = number(labQuakeSeconds(settings)) + " s";
    if (settings.model == QuakeModel::Classic) {
        return "classic, M " + fixedDecimals(settings.magnitude, 1) + " at " + number(settings.distanceKm) + " km, " +
               seconds;
    }
    std::string source;
    if (recorded(settings)) {
        source = "record " + settings.ground.recordName;
        if (settings.targetPgaG <= 0.0) source += " x " + number(settings.ground.recordScale);
    } else {
        const PgaEstimate e = joynerBoorePga(settings.magnitude, settings.distanceKm);
        source = "M " + fixedDecimals(e.magnitudeUsed, 1) + clampNote(settings.magnitude, e.magnitudeUsed) + " at " +
                 number(e.distanceUsedKm) + " km" + clampNote(settings.distanceKm, e.distanceUsedKm);
    }
    const std::string pga = fixedDecimals(labPgaG(settings), 3) + " g";
    return "ground motion, " + source + (settings.targetPgaG > 0.0 ? " scaled to PGA " : ", PGA ") + pga + ", " +
           seconds;
}

std::string labRuleText(const Design& design, const LabSettings& settings, double capacityKN) {
    const bool ground = settings.model == QuakeModel::GroundMotion;
    const float threshold = ground ? settings.ground.threshold : design.threshold;
    const float limit = ground ? settings.ground.accumulativeLimit : design.accumulativeLimit;
    std::string joints = "joint threshold " + number(threshold) + " kN, limit " + number(limit) + " kN s";
    const ConnectionSetup chosen{settings.ground.connection, settings.ground.base, 0.0f, 0.0f, 0.0f};
    if (ground && settings.ground.sizing == JointSizing::ToCode && momentResisting(chosen)) {
        joints += " (moment-resisting: not designed to code)";
    } else if (ground && settings.ground.sizing == JointSizing::ToCode) {
        joints = "joints designed for " + number(settings.ground.designLateralG) + " g lateral, overstrength " +
                 number(settings.ground.overstrength) +
                 (capacityKN > 0.0 ? ": capacity " + fixedDecimals(capacityKN, 1) + " kN" : std::string()) +
                 " held " + number(SIZED_HOLD_SECONDS) + " s";
    }
    const std::string rule = ground ? "floor load " + number(settings.ground.floorLoad) + " kg/m; " +
                                          connectionText(settings.ground) + "; " + joints
                                    : "joint threshold " + number(threshold) + ", limit " + number(limit);
    return rule + "; verdict " +
           number(settings.seconds) + " s after " + (settings.quake ? "Enter" : "settling");
}

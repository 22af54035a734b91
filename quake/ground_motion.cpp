#include "quake/ground_motion.h"

#include <algorithm>
#include <cmath>

// Placeholder bodies; the generator and the record integration replace them.

double motionDuration(const GroundMotion& motion) {
    return motion.accelerationG.empty() ? 0.0 : motion.dt * static_cast<double>(motion.accelerationG.size() - 1);
}

GroundSample sampleGroundMotion(const GroundMotion& motion, double t) {
    GroundSample s;
    if (motion.accelerationG.empty() || !(t >= 0.0) || t > motionDuration(motion)) return s;
    const std::size_t i = std::min(motion.accelerationG.size() - 1, static_cast<std::size_t>(t / motion.dt));
    s.accelerationG = motion.accelerationG[i];
    if (i < motion.velocity.size()) s.velocity = motion.velocity[i];
    if (i < motion.displacement.size()) s.displacement = motion.displacement[i];
    return s;
}

PgaEstimate joynerBoorePga(double magnitude, double distanceKm) {
    PgaEstimate e;
    e.magnitudeUsed = std::clamp(magnitude, 5.0, 7.7);
    e.distanceUsedKm = std::clamp(distanceKm, 0.0, 100.0);
    e.clamped = e.magnitudeUsed != magnitude || e.distanceUsedKm != distanceKm;
    const double r = std::sqrt(e.distanceUsedKm * e.distanceUsedKm + 64.0);
    e.pgaG = std::pow(10.0, 0.43 + 0.23 * (e.magnitudeUsed - 6.0) - std::log10(r) - 0.0027 * r);
    return e;
}

GroundMotion synthesizeGroundMotion(const SyntheticQuake& quake) {
    Accelerogram record;
    record.dt = 0.01;
    const double pga = joynerBoorePga(quake.magnitude, quake.distanceKm).pgaG;
    const int n = static_cast<int>(quake.durationSeconds / record.dt) + 1;
    for (int i = 0; i < n; ++i) record.accelerationG.push_back(pga * std::sin(2.0 * 3.14159265358979 * 2.0 * i * record.dt));
    return groundMotionFromRecord(record, 1.0);
}

GroundMotion groundMotionFromRecord(const Accelerogram& record, double scale) {
    GroundMotion m;
    m.dt = record.dt;
    double v = 0.0, x = 0.0;
    for (double a : record.accelerationG) {
        const double g = a * scale;
        m.accelerationG.push_back(g);
        v += g * G_WORLD * record.dt;
        x += v * record.dt;
        m.velocity.push_back(v);
        m.displacement.push_back(x);
        m.peakG = std::max(m.peakG, std::fabs(g));
        m.peakDisplacement = std::max(m.peakDisplacement, std::fabs(x));
    }
    return m;
}

// Ground motions that end at rest: the record integration with its baseline correction,
// sampling, and the Joyner-Boore peak. The synthetic history is in synthetic_motion.cpp.
#include "quake/ground_motion.h"

#include <algorithm>
#include <cmath>

#include "physics/units.h"

namespace {

constexpr double PI = 3.14159265358979323846;

// Velocity and displacement at the last sample, trapezoid rule from rest.
struct EndState {
    double velocity = 0.0;
    double displacement = 0.0;
};

EndState integrateToEnd(const std::vector<double>& a, double dt) {
    EndState s;
    for (std::size_t i = 1; i < a.size(); ++i) {
        const double v = s.velocity + 0.5 * (a[i - 1] + a[i]) * dt;
        s.displacement += 0.5 * (s.velocity + v) * dt;
        s.velocity = v;
    }
    return s;
}

// 1 in the middle, a half cosine down to 0 over the first and last few samples.
std::vector<double> edgeTaper(std::size_t n, double dt) {
    const double duration = dt * static_cast<double>(n - 1);
    const double edge = std::min(0.5, 0.05 * duration);
    std::vector<double> w(n, 1.0);
    if (!(edge > 0.0)) return w;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = dt * static_cast<double>(i);
        const double from = std::min(t, duration - t);
        if (from < edge) w[i] = 0.5 - 0.5 * std::cos(PI * from / edge);
    }
    return w;
}

}  // namespace

std::vector<double> baselineCorrected(const std::vector<double>& accelerationG, double dt) {
    const std::size_t n = accelerationG.size();
    if (n == 0 || !(dt > 0.0)) return {};
    const std::vector<double> w = edgeTaper(n, dt);
    const double duration = std::max(dt * static_cast<double>(n - 1), dt);
    std::vector<double> tapered(n), flat(n), ramp(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double a = std::isfinite(accelerationG[i]) ? accelerationG[i] : 0.0;
        tapered[i] = w[i] * a;
        flat[i] = w[i];
        ramp[i] = w[i] * dt * static_cast<double>(i) / duration;
    }
    // Subtract w (c0 + c1 t / T): the two coefficients that bring the end velocity and the
    // end displacement of the discrete integration to zero.
    const EndState e = integrateToEnd(tapered, dt);
    const EndState f = integrateToEnd(flat, dt);
    const EndState r = integrateToEnd(ramp, dt);
    const double det = f.velocity * r.displacement - r.velocity * f.displacement;
    const double scale = f.velocity * r.displacement;
    if (!(std::fabs(det) > 1e-9 * std::fabs(scale))) return std::vector<double>(n, 0.0);
    const double c0 = (e.velocity * r.displacement - r.velocity * e.displacement) / det;
    const double c1 = (f.velocity * e.displacement - e.velocity * f.displacement) / det;
    for (std::size_t i = 0; i < n; ++i) tapered[i] -= c0 * flat[i] + c1 * ramp[i];
    return tapered;
}

GroundMotion integratedMotion(std::vector<double> accelerationG, double dt) {
    GroundMotion m;
    m.dt = dt;
    const std::size_t n = accelerationG.size();
    m.velocity.assign(n, 0.0);
    m.displacement.assign(n, 0.0);
    for (std::size_t i = 1; i < n; ++i) {
        m.velocity[i] = m.velocity[i - 1] + 0.5 * unitsPerSecond2FromG(accelerationG[i - 1] + accelerationG[i]) * dt;
        m.displacement[i] = m.displacement[i - 1] + 0.5 * (m.velocity[i - 1] + m.velocity[i]) * dt;
    }
    for (std::size_t i = 0; i < n; ++i) {
        m.peakG = std::max(m.peakG, std::fabs(accelerationG[i]));
        m.peakDisplacement = std::max(m.peakDisplacement, std::fabs(m.displacement[i]));
    }
    m.accelerationG = std::move(accelerationG);
    return m;
}

double motionDuration(const GroundMotion& motion) {
    if (motion.accelerationG.empty() || !(motion.dt > 0.0)) return 0.0;
    return motion.dt * static_cast<double>(motion.accelerationG.size() - 1);
}

GroundSample sampleGroundMotion(const GroundMotion& motion, double t) {
    GroundSample s;
    const std::size_t n = motion.accelerationG.size();
    if (n == 0 || !(t >= 0.0) || !(t <= motionDuration(motion))) return s;
    const double position = t / motion.dt;
    const std::size_t i = std::min(n - 1, static_cast<std::size_t>(position));
    const std::size_t j = std::min(n - 1, i + 1);
    const double f = std::clamp(position - static_cast<double>(i), 0.0, 1.0);
    const auto at = [&](const std::vector<double>& v) {
        if (j >= v.size()) return 0.0;
        return v[i] + f * (v[j] - v[i]);
    };
    s.accelerationG = at(motion.accelerationG);
    s.velocity = at(motion.velocity);
    s.displacement = at(motion.displacement);
    return s;
}

double groundVelocityAt(const GroundMotion& motion, double t) {
    const std::size_t n = std::min(motion.accelerationG.size(), motion.velocity.size());
    if (n == 0 || !(motion.dt > 0.0) || !(t >= 0.0) || !(t <= motionDuration(motion))) return 0.0;
    const std::size_t i = std::min(n - 1, static_cast<std::size_t>(t / motion.dt));
    const std::size_t j = std::min(n - 1, i + 1);
    const double f = std::clamp(t - motion.dt * static_cast<double>(i), 0.0, motion.dt);
    const double a0 = unitsPerSecond2FromG(motion.accelerationG[i]);
    const double slope = unitsPerSecond2FromG(motion.accelerationG[j] - motion.accelerationG[i]) / motion.dt;
    return motion.velocity[i] + a0 * f + 0.5 * slope * f * f;
}

PgaEstimate joynerBoorePga(double magnitude, double distanceKm) {
    PgaEstimate e;
    // Not a number: the weakest end of the range.
    e.magnitudeUsed = std::isnan(magnitude) ? 5.0 : std::clamp(magnitude, 5.0, 7.7);
    e.distanceUsedKm = std::isnan(distanceKm) ? 100.0 : std::clamp(distanceKm, 0.0, 100.0);
    e.clamped = !(e.magnitudeUsed == magnitude) || !(e.distanceUsedKm == distanceKm);
    const double r = std::sqrt(e.distanceUsedKm * e.distanceUsedKm + 64.0);
    e.pgaG = std::pow(10.0, 0.43 + 0.23 * (e.magnitudeUsed - 6.0) - std::log10(r) - 0.0027 * r);
    return e;
}

GroundMotion groundMotionFromRecord(const Accelerogram& record, double scale) {
    if (record.accelerationG.empty() || !(record.dt > 0.0) || !std::isfinite(record.dt) || !std::isfinite(scale)) {
        return {};
    }
    std::vector<double> scaled(record.accelerationG.size());
    for (std::size_t i = 0; i < scaled.size(); ++i) scaled[i] = record.accelerationG[i] * scale;
    return integratedMotion(baselineCorrected(scaled, record.dt), record.dt);
}

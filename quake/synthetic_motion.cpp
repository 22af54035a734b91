// The synthetic quake: seeded white noise through a Kanai-Tajimi ground filter and a
// Clough-Penzien high-pass, under a build-up / strong-phase / decay envelope, corrected
// to end at rest and scaled to the Joyner-Boore peak.
#include <algorithm>
#include <cmath>
#include <random>

#include "quake/ground_motion.h"

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double SYNTHETIC_DT = 0.01;  // s; 100 samples a second, forty per ground-filter period
constexpr double MAX_SYNTHETIC_SECONDS = 600.0;
// Firm ground (Kanai-Tajimi), and the high-pass that keeps the ground's drift small.
constexpr double GROUND_OMEGA = 15.6;
constexpr double GROUND_DAMPING = 0.6;
constexpr double HIGH_PASS_OMEGA = 1.5;
constexpr double HIGH_PASS_DAMPING = 0.6;
// The envelope rises as t^2 over the first 15 %, holds to half the duration, then decays
// exponentially to 5 % at the end.
constexpr double RISE_END = 0.15;
constexpr double HOLD_END = 0.5;
constexpr double END_LEVEL = 0.05;

// Standard normal numbers from the generator's raw 32-bit output (Box-Muller), so the
// sequence is the same on every standard library.
struct NormalSource {
    std::mt19937 engine;
    double spare = 0.0;
    bool hasSpare = false;

    double uniformOpen() { return (static_cast<double>(engine()) + 0.5) / 4294967296.0; }
    double next() {
        if (hasSpare) {
            hasSpare = false;
            return spare;
        }
        const double radius = std::sqrt(-2.0 * std::log(uniformOpen()));
        const double angle = 2.0 * PI * uniformOpen();
        spare = radius * std::sin(angle);
        hasSpare = true;
        return radius * std::cos(angle);
    }
};

// Ground filter x'' + 2 zg wg x' + wg^2 x = w, giving a = 2 zg wg x' + wg^2 x; the
// high-pass y'' + 2 zf wf y' + wf^2 y = a, giving y''.
struct FilterState {
    double x = 0.0, xd = 0.0, y = 0.0, yd = 0.0;
};

double groundOutput(const FilterState& s) {
    return 2.0 * GROUND_DAMPING * GROUND_OMEGA * s.xd + GROUND_OMEGA * GROUND_OMEGA * s.x;
}

double filteredOutput(const FilterState& s) {
    return groundOutput(s) - 2.0 * HIGH_PASS_DAMPING * HIGH_PASS_OMEGA * s.yd - HIGH_PASS_OMEGA * HIGH_PASS_OMEGA * s.y;
}

FilterState derivative(const FilterState& s, double noise) {
    return {s.xd, noise - groundOutput(s), s.yd, filteredOutput(s)};
}

FilterState plus(const FilterState& s, const FilterState& d, double h) {
    return {s.x + h * d.x, s.xd + h * d.xd, s.y + h * d.y, s.yd + h * d.yd};
}

// One classical Runge-Kutta step with the noise held over the step.
FilterState step(const FilterState& s, double noise, double h) {
    const FilterState k1 = derivative(s, noise);
    const FilterState k2 = derivative(plus(s, k1, h / 2), noise);
    const FilterState k3 = derivative(plus(s, k2, h / 2), noise);
    const FilterState k4 = derivative(plus(s, k3, h), noise);
    return {s.x + h / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x), s.xd + h / 6 * (k1.xd + 2 * k2.xd + 2 * k3.xd + k4.xd),
            s.y + h / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y), s.yd + h / 6 * (k1.yd + 2 * k2.yd + 2 * k3.yd + k4.yd)};
}

}  // namespace

double quakeEnvelope(double t, double duration) {
    if (!(t >= 0.0) || !(t <= duration)) return 0.0;
    const double rise = RISE_END * duration;
    const double hold = HOLD_END * duration;
    if (t < rise) return (t / rise) * (t / rise);
    if (t <= hold) return 1.0;
    return std::exp(std::log(END_LEVEL) * (t - hold) / (duration - hold));
}

GroundMotion synthesizeGroundMotion(const SyntheticQuake& quake) {
    if (!(quake.durationSeconds > 0.0)) return {};
    const double duration = std::min(quake.durationSeconds, MAX_SYNTHETIC_SECONDS);
    const std::size_t n = static_cast<std::size_t>(std::floor(duration / SYNTHETIC_DT + 0.5)) + 1;

    NormalSource noise{std::mt19937(quake.seed)};
    FilterState state;
    std::vector<double> a(n);
    for (std::size_t i = 0; i < n; ++i) {
        a[i] = filteredOutput(state) * quakeEnvelope(SYNTHETIC_DT * static_cast<double>(i), duration);
        state = step(state, noise.next(), SYNTHETIC_DT);
    }
    a = baselineCorrected(a, SYNTHETIC_DT);

    const auto peak = std::max_element(a.begin(), a.end(), [](double p, double q) { return std::fabs(p) < std::fabs(q); });
    if (peak == a.end() || *peak == 0.0) return integratedMotion(std::move(a), SYNTHETIC_DT);
    const double pga = joynerBoorePga(quake.magnitude, quake.distanceKm).pgaG;
    const double factor = pga / std::fabs(*peak);
    for (double& value : a) value *= factor;
    *peak = std::copysign(pga, *peak);  // exactly the peak, whatever the rounding
    return integratedMotion(std::move(a), SYNTHETIC_DT);
}

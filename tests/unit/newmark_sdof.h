#pragma once
// A single-degree-of-freedom oscillator shaken at its base, integrated with Newmark's
// average-acceleration method (gamma = 1/2, beta = 1/4; Newmark 1959, "A method of
// computation for structural dynamics", J. Eng. Mech. Div. ASCE 85(EM3); Chopra, Dynamics
// of Structures, 4th ed., section 5.4, its steps for a linear system). It is the yard-
// stick the frames are held to, so it shares nothing with the program's physics but
// the value of g.
#include <cmath>
#include <cstddef>
#include <vector>

#include "physics/units.h"

// The largest |u| of u'' + 2 zeta w u' + w² u = -a_g(t), starting at rest, where a_g is
// the accelerogram (g, one sample every dt seconds, running straight between samples) and
// w = 2 pi / period. Each record interval is split into `split` steps. Metres.
inline double newmarkPeakDisplacement(const std::vector<double>& accelerationG, double dt, double period,
                                      double zeta, int split = 4) {
    if (accelerationG.size() < 2 || !(dt > 0.0) || !(period > 0.0) || split < 1) return 0.0;
    const double w = 2.0 * 3.14159265358979323846 / period;
    const double k = w * w;  // per unit mass
    const double c = 2.0 * zeta * w;
    const double h = dt / split;
    const double gamma = 0.5;
    const double beta = 0.25;
    const double kHat = k + gamma / (beta * h) * c + 1.0 / (beta * h * h);
    const double a1 = 1.0 / (beta * h * h);
    const double a2 = gamma / (beta * h);
    const double b1 = 1.0 / (beta * h);
    const double b2 = gamma / beta;
    const double c1 = 1.0 / (2.0 * beta) - 1.0;
    const double c2 = h * (gamma / (2.0 * beta) - 1.0);

    double u = 0.0, v = 0.0;
    double a = -accelerationG[0] * STANDARD_GRAVITY;  // u'' at rest under the first sample
    double peak = 0.0;
    for (std::size_t i = 0; i + 1 < accelerationG.size(); ++i) {
        for (int s = 1; s <= split; ++s) {
            const double f = static_cast<double>(s) / split;
            const double ag = (accelerationG[i] + f * (accelerationG[i + 1] - accelerationG[i])) * STANDARD_GRAVITY;
            // The effective load at the step's end, solved for u, then v and a.
            const double p = -ag + a1 * u + b1 * v + c1 * a + c * (a2 * u + (b2 - 1.0) * v + c2 * a);
            const double uNext = p / kHat;
            const double vNext = a2 * (uNext - u) + (1.0 - b2) * v + h * (1.0 - gamma / (2.0 * beta)) * a;
            const double aNext = a1 * (uNext - u) - b1 * v - c1 * a;
            u = uNext;
            v = vNext;
            a = aNext;
            peak = std::fmax(peak, std::fabs(u));
        }
    }
    return peak;
}

#include "tools/fragility.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int MAX_ITERATIONS = 200;
// Far enough out that Phi and 1 - Phi are still well above the smallest double.
constexpr double ETA_LIMIT = 30.0;

struct Probit {
    double a = 0.0;  // the fit is Phi(a + b ln x): b = 1 / beta, a = -ln(median) / beta
    double b = 0.0;
};

struct Totals {
    double logLikelihood = 0.0;
    double ga = 0.0, gb = 0.0;               // gradient
    double haa = 0.0, hab = 0.0, hbb = 0.0;  // Hessian (negative definite)
};

double normalDensity(double z) { return std::exp(-0.5 * z * z) / std::sqrt(2.0 * PI); }

// The log-likelihood of the outcomes under the probit, with its first and second
// derivatives; a constant binomial coefficient left out.
Totals totalsAt(const std::vector<FragilityLevel>& levels, Probit p) {
    Totals t;
    for (const FragilityLevel& level : levels) {
        const double x = std::log(level.intensity);
        const double eta = std::clamp(p.a + p.b * x, -ETA_LIMIT, ETA_LIMIT);
        const double up = standardNormalCdf(eta);
        const double down = standardNormalCdf(-eta);
        const double density = normalDensity(eta);
        const double z = level.collapsed;
        const double s = level.runs - level.collapsed;
        const double l1 = density / up;    // d ln Phi / d eta
        const double l0 = density / down;  // -d ln(1 - Phi) / d eta
        t.logLikelihood += z * std::log(up) + s * std::log(down);
        const double g = z * l1 - s * l0;
        const double h = -z * l1 * (l1 + eta) - s * l0 * (l0 - eta);
        t.ga += g;
        t.gb += g * x;
        t.haa += h;
        t.hab += h * x;
        t.hbb += h * x * x;
    }
    return t;
}

// Why these outcomes have no finite maximum-likelihood fit ("" when they have one).
std::string unfittable(const std::vector<FragilityLevel>& levels, const FragilityEvent& event) {
    double lowestCollapse = std::numeric_limits<double>::infinity();
    double highestStanding = -std::numeric_limits<double>::infinity();
    int runs = 0, collapsed = 0;
    for (const FragilityLevel& level : levels) {
        if (!(level.intensity > 0.0) || !std::isfinite(level.intensity) || level.runs <= 0) continue;
        runs += level.runs;
        collapsed += level.collapsed;
        if (level.collapsed > 0) lowestCollapse = std::min(lowestCollapse, level.intensity);
        if (level.collapsed < level.runs) highestStanding = std::max(highestStanding, level.intensity);
    }
    if (runs == 0) return "no runs";
    if (collapsed == 0) return "no run " + event.happened;
    if (collapsed == runs) return "every run " + event.happened;
    // With every collapse at or above every run that stood, a step at the boundary fits
    // as well as any curve: beta is not bounded away from 0.
    if (!(lowestCollapse < highestStanding)) {
        return "every run that " + event.happened + " was shaken at least as hard as every run that " +
               event.didNot + ", which a step fits best (beta 0); add levels in between";
    }
    return "";
}

}  // namespace

double standardNormalCdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

FragilityFit fitLognormalFragility(const std::vector<FragilityLevel>& all, const FragilityEvent& event) {
    FragilityFit fit;
    fit.reason = unfittable(all, event);
    if (!fit.reason.empty()) return fit;
    std::vector<FragilityLevel> levels;
    double sumLog = 0.0;
    for (const FragilityLevel& level : all) {
        if (level.intensity > 0.0 && std::isfinite(level.intensity) && level.runs > 0) {
            levels.push_back(level);
            sumLog += std::log(level.intensity);
        }
    }
    // Start from a median at the levels' geometric mean and a dispersion of 0.5; the
    // log-likelihood is concave in (a, b), so Newton's steps, halved whenever one would
    // lower it, climb to its one maximum.
    Probit p;
    p.b = 2.0;
    p.a = -p.b * sumLog / static_cast<double>(levels.size());
    Totals t = totalsAt(levels, p);
    for (int i = 0; i < MAX_ITERATIONS; ++i) {
        const double det = t.haa * t.hbb - t.hab * t.hab;
        if (!(det > 0.0)) break;
        const double da = -(t.hbb * t.ga - t.hab * t.gb) / det;
        const double db = -(t.haa * t.gb - t.hab * t.ga) / det;
        double step = 1.0;
        Totals next;
        Probit q;
        for (int halvings = 0; halvings < 40; ++halvings, step *= 0.5) {
            q = Probit{p.a + step * da, p.b + step * db};
            next = totalsAt(levels, q);
            if (next.logLikelihood >= t.logLikelihood) break;
        }
        const double change = std::fabs(q.a - p.a) + std::fabs(q.b - p.b);
        p = q;
        t = next;
        if (change < 1e-10 * (1.0 + std::fabs(p.a) + std::fabs(p.b))) break;
    }
    if (!(p.b > 0.0) || !std::isfinite(p.a) || !std::isfinite(p.b)) {
        fit.reason = event.noun + " does not grow with intensity in these runs";
        return fit;
    }
    fit.fitted = true;
    fit.beta = 1.0 / p.b;
    fit.median = std::exp(-p.a / p.b);
    return fit;
}

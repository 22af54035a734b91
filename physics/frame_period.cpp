#include "physics/frame_period.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

#include "physics/end_points.h"
#include "physics/storeys.h"
#include "physics/units.h"
#include "physics/world.h"

namespace {

constexpr double TWO_PI = 6.28318530717958647692;
constexpr int GROUND = -1;
constexpr int NOWHERE = -2;

using Vector = std::vector<double>;
using SquareMatrix = std::vector<Vector>;  // square, row by row

// Where a member's end point is: the ground zone, a floor level, or neither.
int nodeOf(Vector2 p, const std::vector<FloorLevel>& levels, float groundTop) {
    if (pinnedPoint(p, groundTop)) return GROUND;
    for (std::size_t j = 0; j < levels.size(); ++j) {
        if (levels[j].y == p.y) return static_cast<int>(j);
    }
    return NOWHERE;
}

// Levels tied together by inclined members move as one; the ground is group `levels`.
struct Groups {
    std::vector<int> parent;
    int find(int i) const {
        while (parent[static_cast<std::size_t>(i)] != i) i = parent[static_cast<std::size_t>(i)];
        return i;
    }
    void join(int a, int b) { parent[static_cast<std::size_t>(find(a))] = find(b); }
};

void addOuter(SquareMatrix& m, const Vector& v, double w) {
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == 0.0) continue;
        for (std::size_t j = 0; j < v.size(); ++j) m[i][j] += w * v[i] * v[j];
    }
}

// Lower-triangular L with L L^T = m; false when m is not positive definite.
bool cholesky(const SquareMatrix& m, SquareMatrix& l) {
    const std::size_t n = m.size();
    l.assign(n, Vector(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            double s = m[i][j];
            for (std::size_t k = 0; k < j; ++k) s -= l[i][k] * l[j][k];
            if (i == j) {
                if (!(s > 0.0)) return false;
                l[i][i] = std::sqrt(s);
            } else {
                l[i][j] = s / l[j][j];
            }
        }
    }
    return true;
}

// L^-1 K L^-T, symmetric, with the eigenvalues of K u = lambda M u.
SquareMatrix reduced(const SquareMatrix& k, const SquareMatrix& l) {
    const std::size_t n = k.size();
    SquareMatrix y(n, Vector(n, 0.0));  // L^-1 K, by forward substitution column by column
    for (std::size_t c = 0; c < n; ++c) {
        for (std::size_t i = 0; i < n; ++i) {
            double s = k[i][c];
            for (std::size_t p = 0; p < i; ++p) s -= l[i][p] * y[p][c];
            y[i][c] = s / l[i][i];
        }
    }
    SquareMatrix a(n, Vector(n, 0.0));  // (L^-1 (L^-1 K)^T)^T
    for (std::size_t r = 0; r < n; ++r) {
        for (std::size_t i = 0; i < n; ++i) {
            double s = y[r][i];
            for (std::size_t p = 0; p < i; ++p) s -= l[i][p] * a[r][p];
            a[r][i] = s / l[i][i];
        }
    }
    return a;
}

// The smallest eigenvalue of a symmetric matrix, by cyclic Jacobi rotations.
double smallestEigenvalue(SquareMatrix a) {
    const std::size_t n = a.size();
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0.0;
        double diag = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            diag += a[i][i] * a[i][i];
            for (std::size_t j = i + 1; j < n; ++j) off += a[i][j] * a[i][j];
        }
        if (!(off > 1e-30 * diag)) break;
        for (std::size_t p = 0; p < n; ++p) {
            for (std::size_t q = p + 1; q < n; ++q) {
                if (a[p][q] == 0.0) continue;
                const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
                const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0);
                const double s = t * c;
                for (std::size_t r = 0; r < n; ++r) {  // columns p and q
                    const double arp = a[r][p];
                    const double arq = a[r][q];
                    a[r][p] = c * arp - s * arq;
                    a[r][q] = s * arp + c * arq;
                }
                for (std::size_t r = 0; r < n; ++r) {  // rows p and q
                    const double apr = a[p][r];
                    const double aqr = a[q][r];
                    a[p][r] = c * apr - s * aqr;
                    a[q][r] = s * apr + c * aqr;
                }
            }
        }
    }
    double smallest = a.empty() ? 0.0 : a[0][0];
    for (std::size_t i = 1; i < n; ++i) smallest = std::min(smallest, a[i][i]);
    return smallest;
}

}  // namespace

double shearFramePeriodSeconds(const Simulation& sim, const std::vector<Line>& lines) {
    const ConnectionSetup& connections = sim.setup.connections;
    const bool memberSprings = connections.connection == Connection::Moment;
    const bool footSprings = connections.base == BaseFixity::Fixed;
    const double k = static_cast<double>(connections.stiffnessKNmPerRad) * 1000.0;  // N m / rad
    if (!(memberSprings || footSprings) || !(k > 0.0) || !std::isfinite(k)) return 0.0;

    const std::vector<FloorLevel> levels = floorLevels(lines, sim.groundTop);
    const int levelCount = static_cast<int>(levels.size());
    if (levelCount == 0) return 0.0;
    Groups groups;
    groups.parent.resize(levels.size() + 1);
    std::iota(groups.parent.begin(), groups.parent.end(), 0);
    const auto group = [&](int node) { return node == GROUND ? levelCount : node; };
    for (const Line& line : lines) {
        const int a = nodeOf(line.start, levels, sim.groundTop);
        const int b = nodeOf(line.end, levels, sim.groundTop);
        if (a != NOWHERE && b != NOWHERE && a != b && line.start.x != line.end.x) groups.join(group(a), group(b));
    }
    std::vector<int> dof(levels.size() + 1, -1);
    int dofs = 0;
    for (int g = 0; g < levelCount; ++g) {
        const int root = groups.find(g);
        if (root == groups.find(levelCount)) continue;  // tied to the ground
        if (dof[static_cast<std::size_t>(root)] < 0) dof[static_cast<std::size_t>(root)] = dofs++;
    }
    if (dofs == 0) return 0.0;
    const auto unit = [&](int node) {
        Vector v(static_cast<std::size_t>(dofs), 0.0);
        if (node == NOWHERE) return v;
        const int d = dof[static_cast<std::size_t>(groups.find(group(node)))];
        if (d >= 0) v[static_cast<std::size_t>(d)] = 1.0;
        return v;
    };
    // Heights in metres above the ground's surface: the structure stands PIN_ANCHOR_OFFSET
    // above where it is drawn, and a foot turns about its joint at the surface.
    const double lift = metresFromUnits(PIN_ANCHOR_OFFSET);
    const auto endHeight = [&](int node) { return node == GROUND ? lift : levels[static_cast<std::size_t>(node)].height / UNITS_PER_METRE + lift; };
    const auto pivotHeight = [&](int node) { return node == GROUND ? 0.0 : endHeight(node); };

    SquareMatrix mass(static_cast<std::size_t>(dofs), Vector(static_cast<std::size_t>(dofs), 0.0));
    SquareMatrix stiffness = mass;
    std::vector<Vector> turn(lines.size(), Vector(static_cast<std::size_t>(dofs), 0.0));
    const double width = metresFromUnits(2.0 * MEMBER_HALF_WIDTH);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        int a = nodeOf(line.start, levels, sim.groundTop);
        int b = nodeOf(line.end, levels, sim.groundTop);
        if (a == NOWHERE && b == NOWHERE) continue;
        const double lengthUnits = std::hypot(line.end.x - line.start.x, line.end.y - line.start.y);
        const double m = static_cast<double>(memberDensity(sim, line)) * lengthUnits * 2.0 * MEMBER_HALF_WIDTH;
        const double length = metresFromUnits(lengthUnits);
        const double inertia = m * (length * length + width * width) / 12.0;
        Vector moves;
        if (a == NOWHERE || b == NOWHERE) {
            moves = unit(a == NOWHERE ? b : a);  // hangs from its one floor
        } else {
            if (pivotHeight(a) > pivotHeight(b)) std::swap(a, b);
            const double rise = pivotHeight(b) - pivotHeight(a);
            const Vector below = unit(a);
            const Vector above = unit(b);
            moves = below;
            if (rise > 0.0) {
                const double toCentre = 0.5 * (endHeight(a) + endHeight(b)) - pivotHeight(a);
                for (std::size_t d = 0; d < below.size(); ++d) {
                    turn[i][d] = (above[d] - below[d]) / rise;
                    moves[d] += turn[i][d] * toCentre;
                }
            }
        }
        addOuter(mass, moves, m);
        addOuter(mass, turn[i], inertia);
    }
    if (memberSprings) {
        for (const auto& [i, j] : sharedEndPointPairs(lines)) {
            Vector bend = turn[j];
            for (std::size_t d = 0; d < bend.size(); ++d) bend[d] -= turn[i][d];
            addOuter(stiffness, bend, k);
        }
    }
    if (footSprings) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (Vector2 p : {lines[i].start, lines[i].end}) {
                if (pinnedPoint(p, sim.groundTop)) addOuter(stiffness, turn[i], k);
            }
        }
    }
    SquareMatrix l;
    if (!cholesky(mass, l)) return 0.0;
    const double lambda = smallestEigenvalue(reduced(stiffness, l));
    double scale = 0.0;
    for (const Vector& row : stiffness) {
        for (double v : row) scale = std::max(scale, std::fabs(v));
    }
    if (!(lambda > 1e-9 * scale / mass[0][0]) || !std::isfinite(lambda)) return 0.0;
    return TWO_PI / std::sqrt(lambda);
}

double approximatePeriodSeconds(const std::vector<Line>& lines, float groundTop) {
    float top = groundTop;
    for (const Line& line : lines) {
        if (std::isfinite(line.start.y)) top = std::min(top, line.start.y);
        if (std::isfinite(line.end.y)) top = std::min(top, line.end.y);
    }
    const double height = std::max(1.0, metresFromUnits(static_cast<double>(groundTop) - top));
    return 0.0724 * std::pow(height, 0.8);
}

double firstPeriodSeconds(const Simulation& sim, const std::vector<Line>& lines) {
    const double period = shearFramePeriodSeconds(sim, lines);
    return period > 0.0 ? period : approximatePeriodSeconds(lines, sim.groundTop);
}

#include "tools/damage_fragility.h"

#include <algorithm>
#include <sstream>

#include "tools/quake_lab.h"

namespace {

constexpr DamageState STATES[] = {DamageState::Slight, DamageState::Moderate, DamageState::Extensive,
                                  DamageState::Complete};

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

// A table row ends at its last number, not at its column's width.
std::string endRow(std::ostringstream& row) {
    std::string text = row.str();
    text.erase(text.find_last_not_of(' ') + 1);
    return text + "\n";
}

FragilityEvent reaching(DamageState state) {
    const std::string name = damageName(state);
    return FragilityEvent{"reached " + name, "stayed below it", "reaching " + name};
}

}  // namespace

std::vector<DamageFragility> damageFragility(const LabResults& r) {
    const bool measured = std::any_of(r.outcomes.begin(), r.outcomes.end(), [](const LabOutcome& o) { return o.hasDrift; });
    std::vector<DamageFragility> curves;
    if (!measured) return curves;
    const std::vector<FragilityLevel> collapse = fragilityLevels(r);
    for (DamageState state : STATES) {
        DamageFragility curve;
        curve.state = state;
        curve.levels = collapse;
        for (FragilityLevel& level : curve.levels) level.collapsed = 0;
        for (std::size_t i = 0; i < r.jobs.size() && i < r.outcomes.size(); ++i) {
            if (damageReached(r.outcomes[i]) >= state) ++curve.levels[r.jobs[i].level].collapsed;
        }
        curve.fit = fitLognormalFragility(curve.levels, reaching(state));
        curves.push_back(curve);
    }
    return curves;
}

std::string damageFragilityTable(const LabResults& r) {
    const std::vector<DamageFragility> curves = damageFragility(r);
    if (curves.empty()) return "";
    std::ostringstream out;
    out << "damage: the share of runs whose worst storey drift reached each state (a collapse counts as Complete)\n";
    std::ostringstream heading;
    heading << padded(r.sweep.kind == LevelKind::Magnitude ? "M" : "PGA (g)", 10) << "runs   ";
    for (const DamageFragility& c : curves) heading << padded(damageName(c.state), 11);
    out << endRow(heading);
    for (std::size_t i = 0; i < curves.front().levels.size(); ++i) {
        const int runs = curves.front().levels[i].runs;
        std::ostringstream row;
        row << padded(levelLabel(r, i), 10) << padded(std::to_string(runs), 7);
        for (const DamageFragility& c : curves) {
            const double share = runs > 0 ? static_cast<double>(c.levels[i].collapsed) / runs : 0.0;
            row << padded(fixedDecimals(share, 2), 11);
        }
        out << endRow(row);
    }
    for (const DamageFragility& c : curves) {
        out << padded(damageName(c.state), 11);
        if (c.fit.fitted) {
            // Drift is measured in the ground-motion model only, whose curves are of PGA.
            out << "lognormal fit: median PGA " << fixedDecimals(c.fit.median, 3) << " g, dispersion beta "
                << fixedDecimals(c.fit.beta, 2) << "\n";
        } else {
            out << "no lognormal fit: " << c.fit.reason << "\n";
        }
    }
    return out.str();
}

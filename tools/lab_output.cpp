#include "tools/lab_output.h"

#include <cstdio>
#include <sstream>

#include "physics/units.h"
#include "quake/ground_motion.h"
#include "tools/damage_fragility.h"
#include "tools/lab_heading.h"

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

bool showsPga(const LabResults& r) { return r.sweep.base.model == QuakeModel::GroundMotion; }

std::string fragilityTable(const LabResults& r) {
    std::ostringstream out;
    const bool magnitudes = r.sweep.kind == LevelKind::Magnitude;
    out << "fragility: the share of runs that collapsed at each level\n";
    out << padded(magnitudes ? "M" : "PGA (g)", 10) << (magnitudes && showsPga(r) ? padded("PGA (g)", 10) : "")
        << "runs   collapsed   fraction\n";
    const std::vector<FragilityLevel> levels = fragilityLevels(r);
    int fewest = -1;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const FragilityLevel& l = levels[i];
        out << padded(levelLabel(r, i), 10)
            << (magnitudes && showsPga(r) ? padded(fixedDecimals(l.intensity, 3), 10) : "")
            << padded(std::to_string(l.runs), 7) << padded(std::to_string(l.collapsed), 12)
            << fixedDecimals(l.runs > 0 ? static_cast<double>(l.collapsed) / l.runs : 0.0, 2) << "\n";
        if (fewest < 0 || l.runs < fewest) fewest = l.runs;
    }
    const FragilityFit fit = fitLognormalFragility(levels);
    const std::string unit = showsPga(r) ? " g" : "";
    if (fit.fitted) {
        out << "lognormal fit by maximum likelihood: median " << (showsPga(r) ? "PGA " : "M ")
            << fixedDecimals(fit.median, showsPga(r) ? 3 : 2) << unit << ", dispersion beta "
            << fixedDecimals(fit.beta, 2) << "\n";
    } else {
        out << "no lognormal fit: " << fit.reason << "\n";
    }
    if (fewest < RUNS_FOR_CONFIDENCE) {
        out << "note: a level has only " << fewest << " runs (under " << RUNS_FOR_CONFIDENCE
            << "); its fraction, and the curve, are rough: use more seeds for a firmer estimate\n";
    }
    return out.str();
}

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t n = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) >> 6) != 0x2) return 0;
    }
    return n;
}

// A JSON string of the text; a byte that is not part of well-formed UTF-8 (a design name
// may hold any) is written as the character of that number, so the document stays valid.
std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t n = utf8Length(text, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += text[i];
        } else if (c < 0x20 || n == 0) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            out += code;
        } else {
            out.append(text, i, n);
            i += n;
            continue;
        }
        ++i;
    }
    return out + "\"";
}

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// The fields of one run, in this order, as text; "" for none.
struct RunFields {
    std::string level, magnitude, distance, pga, seed, joints, broken, firstBreak, peakForce, capacity, lowestEnd;
    std::string roofDrift, storeyDrift, damage;  // percentages and a damage state's name
    bool standing = false;
};

RunFields runFields(const LabResults& r, std::size_t i) {
    // The base settings and the level alone: a copy of the settings would copy a record.
    const LabSettings& s = r.sweep.base;
    const std::size_t level = r.jobs[i].level;
    const LabOutcome& o = r.outcomes[i];
    RunFields f;
    f.level = levelLabel(r, level);
    const bool magnitudes = r.sweep.sweep && r.sweep.kind == LevelKind::Magnitude;
    const double magnitude = magnitudes ? r.sweep.levels[level] : static_cast<double>(s.magnitude);
    const bool ground = s.model == QuakeModel::GroundMotion;
    if (s.quake && !(ground && s.ground.source == MotionSource::Recorded)) {
        const PgaEstimate e = joynerBoorePga(magnitude, s.distanceKm);
        f.magnitude = number(ground ? e.magnitudeUsed : magnitude);
        f.distance = number(ground ? e.distanceUsedKm : s.distanceKm);
    }
    if (s.quake && ground) f.pga = number(o.pgaG);
    f.seed = std::to_string(o.seed);
    f.joints = std::to_string(o.joints);
    f.broken = std::to_string(o.broken);
    if (o.anyBroken) f.firstBreak = number(o.firstBreakSeconds);
    f.peakForce = number(labForceShown(o.peakJointForce, ground));
    if (o.jointCapacityKN > 0.0) f.capacity = number(o.jointCapacityKN);
    f.lowestEnd = number(metresFromUnits(o.largestDrop));
    if (o.hasDrift) {
        f.roofDrift = number(100.0 * o.peakRoofDrift);
        f.storeyDrift = number(100.0 * o.peakStoreyDrift);
        f.damage = damageName(o.worstDamage);
    }
    f.standing = o.standing;
    return f;
}

// The sweep's damage fragility as a JSON member (",\n \"damage_fragility\": [...]"), ""
// when no run measured drift.
std::string damageJson(const LabResults& r) {
    const std::vector<DamageFragility> curves = damageFragility(r);
    if (curves.empty()) return "";
    std::ostringstream out;
    out << ",\n \"damage_fragility\": [";
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const DamageFragility& d = curves[c];
        out << (c > 0 ? "," : "") << "\n  {\"state\": " << jsonText(damageName(d.state)) << ", \"levels\": [";
        for (std::size_t i = 0; i < d.levels.size(); ++i) {
            out << (i > 0 ? ", " : "") << "{\"level\": " << levelLabel(r, i) << ", \"runs\": " << d.levels[i].runs
                << ", \"reached\": " << d.levels[i].collapsed << "}";
        }
        out << "], \"median\": " << (d.fit.fitted ? number(d.fit.median) : "null")
            << ", \"beta\": " << (d.fit.fitted ? number(d.fit.beta) : "null") << ", \"reason\": " << jsonText(d.fit.reason)
            << "}";
    }
    out << "\n ]";
    return out.str();
}

}  // namespace

std::string levelLabel(const LabResults& r, std::size_t level) {
    if (!r.sweep.sweep || level >= r.sweep.levels.size()) return "";
    std::ostringstream out;
    out << r.sweep.levels[level];
    return out.str();
}

std::vector<FragilityLevel> fragilityLevels(const LabResults& r) {
    std::vector<FragilityLevel> levels(levelCount(r.sweep));
    for (std::size_t i = 0; i < levels.size(); ++i) levels[i].intensity = levelIntensity(settingsAtLevel(r.sweep, i));
    for (std::size_t i = 0; i < r.jobs.size() && i < r.outcomes.size(); ++i) {
        FragilityLevel& l = levels[r.jobs[i].level];
        ++l.runs;
        if (!r.outcomes[i].standing) ++l.collapsed;
    }
    return levels;
}

std::string labText(const Design& design, const LabResults& r) {
    if (!r.sweep.sweep) return labReport(design, r.sweep.base, r.outcomes);
    std::ostringstream out;
    out << design.name << ": " << design.lines.size() << " lines; a sweep over " << r.sweep.levels.size()
        << (r.sweep.kind == LevelKind::Pga ? " PGA levels" : " magnitudes") << "; "
        << labRuleText(design, r.sweep.base, r.outcomes.empty() ? 0.0 : r.outcomes.front().jointCapacityKN) << "\n";
    for (std::size_t level = 0; level < r.sweep.levels.size(); ++level) {
        std::vector<LabOutcome> rows;
        for (std::size_t i = 0; i < r.jobs.size(); ++i) {
            if (r.jobs[i].level == level) rows.push_back(r.outcomes[i]);
        }
        out << "level " << levelLabel(r, level) << ": " << labQuakeText(settingsAtLevel(r.sweep, level)) << "\n"
            << labRowsText(rows, r.sweep.base.model == QuakeModel::GroundMotion);
    }
    out << fragilityTable(r) << damageFragilityTable(r);
    return out.str();
}

std::string labCsv(const LabResults& r) {
    std::ostringstream out;
    out << "level,magnitude,distance_km,pga_g,seed,joints,broken,first_break_s,peak_joint_force,joint_capacity_kn,"
           "lowest_end_m,"
           "peak_roof_drift_pct,peak_storey_drift_pct,damage_state,outcome\n";
    for (std::size_t i = 0; i < r.jobs.size(); ++i) {
        const RunFields f = runFields(r, i);
        out << f.level << ',' << f.magnitude << ',' << f.distance << ',' << f.pga << ',' << f.seed << ',' << f.joints
            << ',' << f.broken << ',' << f.firstBreak << ',' << f.peakForce << ',' << f.capacity << ',' << f.lowestEnd << ','
            << f.roofDrift << ',' << f.storeyDrift << ',' << f.damage << ',' << (f.standing ? "standing" : "collapsed")
            << "\n";
    }
    return out.str();
}

std::string labJson(const Design& design, const LabResults& r) {
    const auto field = [](const std::string& name, const std::string& value) {
        return "\"" + name + "\": " + (value.empty() ? "null" : value);
    };
    std::ostringstream out;
    out << "{\"design\": " << jsonText(design.name) << ",\n \"runs\": [\n";
    for (std::size_t i = 0; i < r.jobs.size(); ++i) {
        const RunFields f = runFields(r, i);
        out << "  {" << field("level", f.level) << ", " << field("magnitude", f.magnitude) << ", "
            << field("distance_km", f.distance) << ", " << field("pga_g", f.pga) << ", " << field("seed", f.seed)
            << ", " << field("joints", f.joints) << ", " << field("broken", f.broken) << ", "
            << field("first_break_s", f.firstBreak) << ", " << field("peak_joint_force", f.peakForce) << ", "
            << field("joint_capacity_kn", f.capacity) << ", "
            << field("lowest_end_m", f.lowestEnd) << ", " << field("peak_roof_drift_pct", f.roofDrift) << ", "
            << field("peak_storey_drift_pct", f.storeyDrift) << ", "
            << field("damage_state", f.damage.empty() ? "" : jsonText(f.damage)) << ", "
            << field("standing", f.standing ? "true" : "false") << "}"
            << (i + 1 < r.jobs.size() ? "," : "") << "\n";
    }
    out << " ]";
    if (r.sweep.sweep) {
        const std::vector<FragilityLevel> levels = fragilityLevels(r);
        const FragilityFit fit = fitLognormalFragility(levels);
        out << ",\n \"fragility\": {\"intensity\": " << jsonText(intensityName(r.sweep.base)) << ", \"levels\": [";
        for (std::size_t i = 0; i < levels.size(); ++i) {
            out << (i > 0 ? ", " : "") << "{" << field("level", levelLabel(r, i)) << ", "
                << field("intensity", number(levels[i].intensity)) << ", "
                << field("runs", std::to_string(levels[i].runs)) << ", "
                << field("collapsed", std::to_string(levels[i].collapsed)) << "}";
        }
        out << "],\n  " << field("median", fit.fitted ? number(fit.median) : "") << ", "
            << field("beta", fit.fitted ? number(fit.beta) : "") << ", \"reason\": " << jsonText(fit.reason) << "}";
        out << damageJson(r);
    }
    out << "\n}\n";
    return out.str();
}

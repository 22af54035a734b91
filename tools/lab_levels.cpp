#include "tools/lab_levels.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/lab_heading.h"

namespace {

constexpr double MOST_PGA_G = 10.0;  // as much as a record may hold
constexpr double MOST_MAGNITUDE = 12.0;

}  // namespace

std::string parseLevels(const std::string& text, LevelKind kind, std::vector<double>& levels) {
    levels.clear();
    const char* const what = kind == LevelKind::Pga ? "PGA" : "magnitude";
    const double most = kind == LevelKind::Pga ? MOST_PGA_G : MOST_MAGNITUDE;
    if (text.empty()) return "--levels is empty: give one or more levels separated by commas, as 0.1,0.2,0.4";
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        const std::string item = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (item.empty()) return "--levels wants numbers separated by commas, and one is missing";
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod(item.c_str(), &end);
        if (errno != 0 || end != item.c_str() + item.size() || !std::isfinite(value)) {
            return "--levels: '" + item + "' is not a number";
        }
        if (!(value > 0.0) || value > most) {
            return std::string("--levels: each ") + what + " must lie above 0 and at most " +
                   (kind == LevelKind::Pga ? "10 g" : "12") + ", not " + item;
        }
        levels.push_back(value);
        if (levels.size() > MAX_LEVELS) return "--levels takes at most 100 levels";
        if (comma == std::string::npos) return "";
        from = comma + 1;
    }
}

std::size_t levelCount(const LabSweep& sweep) { return sweep.sweep ? sweep.levels.size() : 1; }

LabSettings settingsAtLevel(const LabSweep& sweep, std::size_t level) {
    LabSettings s = sweep.base;
    if (!sweep.sweep || level >= sweep.levels.size()) return s;
    if (sweep.kind == LevelKind::Pga) {
        s.targetPgaG = sweep.levels[level];
    } else {
        s.magnitude = static_cast<float>(sweep.levels[level]);
    }
    return s;
}

double levelIntensity(const LabSettings& settings) {
    return settings.model == QuakeModel::GroundMotion ? labPgaG(settings) : settings.magnitude;
}

std::string intensityName(const LabSettings& settings) {
    return settings.model == QuakeModel::GroundMotion ? "PGA (g)" : "magnitude";
}

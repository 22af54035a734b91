#pragma once
// A sweep over intensities: the levels as typed ("0.1,0.2,0.4"), the lab settings of each,
// and the intensity measure its fragility curve is fitted against.
#include <string>
#include <vector>

#include "tools/quake_lab.h"

enum class LevelKind { Pga, Magnitude };

// At most this many levels in one sweep.
inline constexpr std::size_t MAX_LEVELS = 100;

// The numbers of a comma-separated list of levels, or why it cannot be used ("" when it
// can): each a finite number above 0, a PGA at most 10 g or a magnitude at most 12.
std::string parseLevels(const std::string& text, LevelKind kind, std::vector<double>& levels);

// What every run of the lab shares, and the levels of a sweep if it is one. Each level's
// settings are made when needed, so a long record is not held once per level.
struct LabSweep {
    LabSettings base;
    bool sweep = false;
    LevelKind kind = LevelKind::Pga;
    std::vector<double> levels;  // as typed
};

// The levels to run: those of a sweep, else the one of base.
std::size_t levelCount(const LabSweep& sweep);
// The settings of one level: base with its PGA target or its magnitude.
LabSettings settingsAtLevel(const LabSweep& sweep, std::size_t level);

// The intensity the fragility curve is a function of: the PGA in g in the ground-motion
// model (for a magnitude, the one the relation gives at the distance), the magnitude in
// the classic model.
double levelIntensity(const LabSettings& settings);
// Its name with its unit, for table headings: "PGA (g)" or "magnitude".
std::string intensityName(const LabSettings& settings);

#pragma once
// The lab's command line: every option read and checked, each problem a message of its own.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/lab_levels.h"
#include "tools/quake_lab.h"

enum class LabFormat { Text, Csv, Json };

struct LabArguments {
    std::string path;  // the design file
    QuakeModel model = QuakeModel::GroundMotion;
    bool quake = true;
    bool sleeping = true;  // false: no member may fall asleep, so a slow creep shows
    std::optional<double> magnitude, distance, duration, seconds, threshold, limit, floorLoad, designLateral, overstrength;
    // The ground-motion model's connections and bases, and the moment connections' spring.
    Connection connection = Connection::Pinned;
    BaseFixity base = BaseFixity::Pinned;
    std::optional<double> stiffness, damping, capacity;
    int seeds = 20;
    std::uint32_t firstSeed = 1;
    std::string record;  // a record file, "" for a synthetic motion
    std::optional<double> scale;
    bool sweep = false;
    LevelKind levelKind = LevelKind::Pga;
    std::vector<double> levels;
    int threads = 0;  // 0: every core
    LabFormat format = LabFormat::Text;
    std::string output;  // "" for standard output
};

extern const char* const LAB_USAGE;

// Fills args from the command line; the problem with it, or "" when there is none.
std::string parseLabArguments(int argc, char** argv, LabArguments& args);

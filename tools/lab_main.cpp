// tremora-lab: runs a design file under a quake model for many seeds, without a window.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "persistence/design_check.h"
#include "physics/build_limits.h"
#include "tools/quake_lab.h"

namespace {

constexpr int BAD_USE = 2;
constexpr int MAX_SEEDS = 10000;
constexpr double MAX_SECONDS = 3600.0;

const char* const USAGE =
    "usage: tremora-lab DESIGN.velmar [--model classic|ground] [--magnitude M] [--distance KM]\n"
    "                   [--duration S] [--seconds S] [--seeds N] [--first-seed K] [--rest]\n"
    "                   [--threshold F] [--limit L]\n"
    "  Builds the design, lets it settle 1 s, starts a quake (none with --rest) and judges it\n"
    "  S seconds later (default: the quake's duration + 10 s), once per seed. The joint rule is\n"
    "  the design's own in the classic model and the ground-motion model's (or the given) one.\n";

struct Arguments {
    std::string path;
    LabSettings settings;
    bool modelGiven = false;
    std::optional<double> magnitude, distance, duration, seconds, threshold, limit;
    int seeds = 20;
    std::uint32_t firstSeed = 1;
};

int refuse(const std::string& message) {
    std::cerr << "tremora-lab: " << message << "\n" << USAGE;
    return BAD_USE;
}

std::optional<double> number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The argument problem, or "" when args holds them all.
std::string parse(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rest") {
            args.settings.quake = false;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!args.path.empty()) return "more than one design file given";
            args.path = arg;
            continue;
        }
        if (i + 1 >= argc) return arg + " needs a value";
        const std::string value = argv[++i];
        if (arg == "--model") {
            if (value == "classic") {
                args.settings.model = QuakeModel::Classic;
            } else if (value == "ground") {
                args.settings.model = QuakeModel::GroundMotion;
            } else {
                return "unknown model '" + value + "' (classic or ground)";
            }
            continue;
        }
        const std::optional<double> n = number(value);
        if (!n) return arg + " wants a number, not '" + value + "'";
        if (arg == "--magnitude") {
            if (*n < 0.0 || *n > 12.0) return "a magnitude from 0 to 12, please";
            args.magnitude = n;
        } else if (arg == "--distance") {
            if (*n < 0.0 || *n > 1000.0) return "a distance from 0 to 1000 km, please";
            args.distance = n;
        } else if (arg == "--duration" || arg == "--seconds") {
            if (*n < 0.0 || *n > MAX_SECONDS) return arg + " takes 0 to 3600 seconds";
            (arg == "--duration" ? args.duration : args.seconds) = n;
        } else if (arg == "--threshold" || arg == "--limit") {
            if (*n < 0.0 || *n > 1.0e12) return arg + " takes a force from 0 to 1e12";
            (arg == "--threshold" ? args.threshold : args.limit) = n;
        } else if (arg == "--seeds") {
            if (*n < 1.0 || *n > MAX_SEEDS || *n != std::floor(*n)) return "--seeds takes a whole number from 1 to 10000";
            args.seeds = static_cast<int>(*n);
        } else if (arg == "--first-seed") {
            if (*n < 0.0 || *n > 4.0e9 || *n != std::floor(*n)) return "--first-seed takes a whole number from 0 to 4e9";
            args.firstSeed = static_cast<std::uint32_t>(*n);
        } else {
            return "unknown option " + arg;
        }
    }
    if (args.path.empty()) return "no design file given";
    return "";
}

// The design in the file at path, or the reason it cannot be run.
std::string readDesign(const std::string& path, Design& design) {
    std::string problem = readUsableDesignAt(path, design);
    if (!problem.empty()) return path + ": " + problem;
    problem = structureProblem(design.lines, design.density, -20.0f);
    if (!problem.empty()) return path + " cannot be built: " + problem;
    return "";
}

bool helpAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (helpAsked(argc, argv)) {
        std::cout << USAGE;
        return 0;
    }
    Arguments args;
    const std::string problem = parse(argc, argv, args);
    if (!problem.empty()) return refuse(problem);
    Design design;
    const std::string bad = readDesign(args.path, design);
    if (!bad.empty()) return refuse(bad);

    LabSettings settings = labSettingsFor(design);
    settings.model = args.settings.model;
    settings.quake = args.settings.quake;
    if (args.magnitude) settings.magnitude = static_cast<float>(*args.magnitude);
    if (args.distance) settings.distanceKm = static_cast<float>(*args.distance);
    if (args.duration) settings.duration = static_cast<float>(*args.duration);
    if (args.threshold) settings.ground.threshold = static_cast<float>(*args.threshold);
    if (args.limit) settings.ground.accumulativeLimit = static_cast<float>(*args.limit);
    settings.seconds = args.seconds ? *args.seconds : (settings.quake ? settings.duration + 10.0 : 60.0);

    const std::vector<LabOutcome> outcomes = runLabSeeds(design, settings, args.firstSeed, args.seeds);
    std::cout << labReport(design, settings, outcomes);
    return 0;
}

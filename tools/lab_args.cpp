#include "tools/lab_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "physics/connection_limits.h"

namespace {

constexpr int MAX_SEEDS = 10000;
constexpr double MAX_SECONDS = 3600.0;
constexpr int MAX_THREADS = 256;
constexpr double MAX_SCALE = 100.0;

std::optional<double> number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool whole(double n, double lo, double hi) { return n >= lo && n <= hi && n == std::floor(n); }

// Options that take no value; false when arg is not one of them.
bool flag(const std::string& arg, LabArguments& args, std::string& problem) {
    if (arg == "--rest") {
        args.quake = false;
    } else if (arg == "--no-sleep") {
        args.sleeping = false;
    } else if (arg == "--csv" || arg == "--json") {
        const LabFormat format = arg == "--csv" ? LabFormat::Csv : LabFormat::Json;
        if (args.format != LabFormat::Text && args.format != format) problem = "--csv and --json: one format, please";
        args.format = format;
    } else {
        return false;
    }
    return true;
}

// Options whose value is text; false when arg is not one of them.
bool textOption(const std::string& arg, const std::string& value, LabArguments& args, std::string& levels,
                bool& levelKindGiven, std::string& problem) {
    if (arg == "--model") {
        if (value == "classic") {
            args.model = QuakeModel::Classic;
        } else if (value == "ground") {
            args.model = QuakeModel::GroundMotion;
        } else {
            problem = "unknown model '" + value + "' (classic or ground)";
        }
    } else if (arg == "--connections") {
        if (value == "pinned") {
            args.connection = Connection::Pinned;
        } else if (value == "moment") {
            args.connection = Connection::Moment;
        } else {
            problem = "--connections takes pinned or moment, not '" + value + "'";
        }
    } else if (arg == "--base") {
        if (value == "pinned") {
            args.base = BaseFixity::Pinned;
        } else if (value == "fixed") {
            args.base = BaseFixity::Fixed;
        } else {
            problem = "--base takes pinned or fixed, not '" + value + "'";
        }
    } else if (arg == "--levels-of") {
        if (value == "pga") {
            args.levelKind = LevelKind::Pga;
        } else if (value == "magnitude") {
            args.levelKind = LevelKind::Magnitude;
        } else {
            problem = "--levels-of takes pga or magnitude, not '" + value + "'";
        }
        levelKindGiven = true;
    } else if (arg == "--levels") {
        levels = value;
        args.sweep = true;
    } else if (arg == "--record") {
        if (value.empty()) problem = "--record needs a file name";
        args.record = value;
    } else if (arg == "--output") {
        if (value.empty()) problem = "--output needs a file name";
        args.output = value;
    } else {
        return false;
    }
    return true;
}

// Options whose value is a number: the problem with it, "" when taken.
std::string numberOption(const std::string& arg, double n, LabArguments& args) {
    if (arg == "--magnitude") {
        if (n < 0.0 || n > 12.0) return "a magnitude from 0 to 12, please";
        args.magnitude = n;
    } else if (arg == "--distance") {
        if (n < 0.0 || n > 1000.0) return "a distance from 0 to 1000 km, please";
        args.distance = n;
    } else if (arg == "--duration" || arg == "--seconds") {
        if (n < 0.0 || n > MAX_SECONDS) return arg + " takes 0 to 3600 seconds";
        (arg == "--duration" ? args.duration : args.seconds) = n;
    } else if (arg == "--threshold" || arg == "--limit") {
        if (n < 0.0 || n > 1.0e12) return arg + " takes a force from 0 to 1e12";
        (arg == "--threshold" ? args.threshold : args.limit) = n;
    } else if (arg == "--design-lateral") {
        const std::string problem = designLateralProblem(static_cast<float>(n));
        if (!problem.empty()) return "--design-lateral: " + problem;
        args.designLateral = n;
    } else if (arg == "--overstrength") {
        const std::string problem = overstrengthProblem(static_cast<float>(n));
        if (!problem.empty()) return "--overstrength: " + problem;
        args.overstrength = n;
    } else if (arg == "--floor-load") {
        if (n < 0.0 || n > 100000.0) return "--floor-load takes 0 to 100000 kg per metre";
        args.floorLoad = n;
    } else if (arg == "--stiffness" || arg == "--damping" || arg == "--capacity") {
        const float f = static_cast<float>(n);
        const std::string problem = arg == "--stiffness" ? stiffnessProblem(f)
                                    : arg == "--damping" ? dampingRatioProblem(f)
                                                         : capacityProblem(f);
        if (!problem.empty()) return arg + ": " + problem;
        (arg == "--stiffness" ? args.stiffness : arg == "--damping" ? args.damping : args.capacity) = n;
    } else if (arg == "--scale") {
        if (!(n > 0.0) || n > MAX_SCALE) return "--scale takes a factor above 0 and at most 100";
        args.scale = n;
    } else if (arg == "--seeds") {
        if (!whole(n, 1.0, MAX_SEEDS)) return "--seeds takes a whole number from 1 to 10000";
        args.seeds = static_cast<int>(n);
    } else if (arg == "--first-seed") {
        if (!whole(n, 0.0, 4.0e9)) return "--first-seed takes a whole number from 0 to 4e9";
        args.firstSeed = static_cast<std::uint32_t>(n);
    } else if (arg == "--threads") {
        if (!whole(n, 1.0, MAX_THREADS)) return "--threads takes a whole number from 1 to 256";
        args.threads = static_cast<int>(n);
    } else {
        return "unknown option " + arg;
    }
    return "";
}

// Options that make no sense together.
std::string combinationProblem(const LabArguments& a, bool levelKindGiven) {
    const bool ground = a.model == QuakeModel::GroundMotion;
    const bool recorded = !a.record.empty();
    if (recorded && !ground) return "a record runs only in the ground-motion model (--model ground)";
    if (a.scale && !recorded) return "--scale sizes a record: give one with --record FILE";
    if (recorded && (a.magnitude || a.distance || a.duration)) {
        return "--magnitude, --distance and --duration describe a synthetic quake, not a record";
    }
    const bool springs = a.stiffness || a.damping || a.capacity;
    if (!ground && (springs || a.connection != Connection::Pinned || a.base != BaseFixity::Pinned)) {
        return "--connections, --base, --stiffness, --damping and --capacity belong to the ground-motion model "
               "(--model ground)";
    }
    if (springs && a.connection == Connection::Pinned && a.base == BaseFixity::Pinned) {
        return "--stiffness, --damping and --capacity describe moment connections and fixed bases: give "
               "--connections moment or --base fixed";
    }
    const bool sizing = a.designLateral || a.overstrength;
    if (sizing && !ground) return "--design-lateral and --overstrength size the ground-motion model's connections";
    if (sizing && (a.threshold || a.limit)) {
        return "--design-lateral and --overstrength size each structure's connections; --threshold and --limit "
               "set one rule for all";
    }
    if (levelKindGiven && !a.sweep) return "--levels-of needs --levels";
    if (!a.sweep) return "";
    if (!a.quake) return "--rest runs no quake, so there is nothing to sweep";
    if (a.levelKind == LevelKind::Pga && !ground) {
        return "the classic model has no PGA: sweep magnitudes (--levels-of magnitude)";
    }
    if (a.levelKind == LevelKind::Magnitude && recorded) {
        return "a record has no magnitude: sweep PGA (--levels-of pga)";
    }
    if (a.levelKind == LevelKind::Magnitude && a.magnitude) return "--magnitude is set by each level of the sweep";
    if (a.levelKind == LevelKind::Pga && a.scale) return "--scale and the PGA levels would both size the record";
    return "";
}

}  // namespace

const char* const LAB_USAGE =
    "usage: tremora-lab DESIGN.velmar [--model classic|ground] [--magnitude M] [--distance KM]\n"
    "                   [--duration S] [--record FILE [--scale F]] [--seconds S] [--seeds N]\n"
    "                   [--first-seed K] [--rest] [--no-sleep]\n"
    "                   [--design-lateral G] [--overstrength F]\n"
    "                   [--threshold KN] [--limit KNS] [--floor-load KG]\n"
    "                   [--connections pinned|moment] [--base pinned|fixed]\n"
    "                   [--stiffness KNM_PER_RAD] [--damping RATIO] [--capacity KNM]\n"
    "                   [--levels L1,L2,... [--levels-of pga|magnitude]] [--threads N]\n"
    "                   [--csv | --json] [--output FILE] [--help]\n"
    "  Builds the design, lets it settle 1 s, starts a quake (none with --rest) and judges it\n"
    "  S seconds later (default: the quake's duration + 10 s), once per seed. The joint rule is\n"
    "  the design's own in the classic model. In the ground-motion model each structure's joints\n"
    "  are designed to code: they hold F (default 2) times the largest force any of them carries\n"
    "  under its weight and a lateral load of G times it (default 0.15 g), for 0.1 s; or, given\n"
    "  --threshold and --limit, that rule in kN and kN s for every structure. --floor-load sets\n"
    "  that model's floor mass, kg per metre of horizontal member.\n"
    "  --connections joins members by pins (the default) or moment connections, and --base holds\n"
    "  their feet by pins (the default) or fixed; a moment connection and a fixed base are springs\n"
    "  of --stiffness kN m/rad, --damping (fraction of critical, at most 1), yielding at --capacity\n"
    "  kN m. In the ground-motion model each run reports its peak roof and storey drift and the\n"
    "  worst storey's damage state (HAZUS-MH high-code low-rise steel moment frame thresholds).\n"
    "  --record runs a recorded accelerogram (.AT2, or CSV of seconds and g) times F.\n"
    "  --levels sweeps intensities, each over every seed: peak ground accelerations in g (the\n"
    "  default in the ground-motion model; the synthetic motion or the record scaled to each)\n"
    "  or magnitudes at the distance (the default, and the only kind, in the classic model);\n"
    "  a fragility table and its fitted lognormal curve follow, and for a design with floors the\n"
    "  chance of reaching each damage state (a collapse counts as Complete). Seeds run on every core\n"
    "  (--threads N to choose). --csv and --json print one row per run; --output writes to FILE.\n";

std::string parseLabArguments(int argc, char** argv, LabArguments& args) {
    std::string levels;
    bool levelKindGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string problem;
        if (flag(arg, args, problem)) {
            if (!problem.empty()) return problem;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!args.path.empty()) return "more than one design file given";
            args.path = arg;
            continue;
        }
        if (i + 1 >= argc) return arg + " needs a value";
        const std::string value = argv[++i];
        if (textOption(arg, value, args, levels, levelKindGiven, problem)) {
            if (!problem.empty()) return problem;
            continue;
        }
        const std::optional<double> n = number(value);
        if (!n) return arg + " wants a number, not '" + value + "'";
        problem = numberOption(arg, *n, args);
        if (!problem.empty()) return problem;
    }
    if (args.path.empty()) return "no design file given";
    if (!levelKindGiven && args.model == QuakeModel::Classic) args.levelKind = LevelKind::Magnitude;
    const std::string problem = combinationProblem(args, levelKindGiven);
    if (!problem.empty()) return problem;
    return args.sweep ? parseLevels(levels, args.levelKind, args.levels) : "";
}

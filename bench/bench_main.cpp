// tremora_bench: build time and per-frame cost of the physics on synthetic structures,
// without a window. Prints a Markdown table.
//
//   tremora_bench [--quick] [--runs N] [--frames N] [--only TEXT] [--source DIR]
//
// --only runs just the scenarios whose name contains TEXT.
//
// A frame is the program's own simulated frame: (the quake step,) the joint load check
// and one fixed world step of 1/120 s (one engine step, 8 velocity and 3 position iterations).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/sim_frame.h"
#include "bench/trusses.h"
#include "physics/engine/b2layer.h"
#include "physics/human.h"
#include "persistence/design_file.h"
#include "physics/time_step.h"
#include "physics/world.h"
#include "quake/ground_quake.h"
#include "quake/joint_sizing.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int runs = 7;          // builds timed per structure
    int warmFrames = 60;   // frames run before frames are timed
    int frames = 240;      // frames timed per scenario
    int settleFrames = 1200;  // frames (10 simulated seconds) a structure gets to come to rest
    std::string source = ".";  // the folder holding save/ with the presets
    std::string only;          // run only the scenarios whose name contains this
};

struct Row {
    std::string scenario;
    std::size_t members = 0;
    std::size_t joints = 0;
    int bodies = 0;
    double buildMs = -1.0;
    double frameMedianMs = -1.0;
    double frameP90Ms = -1.0;
    double frameCpuMs = -1.0;
    std::size_t broken = 0;  // joints broken during the timed frames
};

struct Timing {
    std::vector<double> wall;
    std::vector<double> cpu;  // this thread's processor time: steadier on a busy machine
};

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

double millisecondsOf(const std::function<void()>& work) {
    Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void timeInto(Timing& timing, const std::function<void()>& work) {
    double cpu = threadCpuMs();
    timing.wall.push_back(millisecondsOf(work));
    timing.cpu.push_back(threadCpuMs() - cpu);
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return -1.0;
    std::sort(values.begin(), values.end());
    std::size_t index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void fill(Row& row, const Timing& timing) {
    row.frameMedianMs = percentile(timing.wall, 0.5);
    row.frameP90Ms = percentile(timing.wall, 0.9);
    row.frameCpuMs = percentile(timing.cpu, 0.5);
}

const RandomInt NOT_RANDOM = [](int lo, int) { return lo < 0 ? 0 : lo; };

// One simulated frame as the program runs it, at 60 frames per second: every frame steps.
void frame(Simulation& sim, QuakeState& quake, bool startQuake = false) {
    SimFrameEvents events;
    events.frameTime = 1.0f / 60.0f;
    events.startQuake = startQuake;
    events.clockSeconds = 12.0;
    float accumulator = events.frameTime;
    HumanSpawner noFigures;
    simulateFrame(sim, quake, noFigures, accumulator, events, NOT_RANDOM);
}

double medianBuild(Simulation& sim, const std::vector<Line>& lines, int runs, Row& row) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        times.push_back(millisecondsOf([&] { buildStructure(sim, lines); }));
        row.members = sim.beams.size();
        row.joints = sim.jointSlots.size();
        row.bodies = b2World_GetBodyCount(sim.worldId);
        clearStructure(sim);
    }
    return percentile(times, 0.5);
}

std::size_t brokenJoints(const Simulation& sim) {
    std::size_t broken = 0;
    for (b2JointId j : sim.jointSlots) broken += isLive(j) ? 0 : 1;
    return broken;
}

// Times opt.frames frames after `warm` untimed ones, counting the joints broken while timed.
void timeFrames(Row& row, Simulation& sim, QuakeState& quake, int warm, const Options& opt) {
    for (int i = 0; i < warm; ++i) frame(sim, quake);
    const std::size_t before = brokenJoints(sim);
    Timing timing;
    for (int i = 0; i < opt.frames; ++i) timeInto(timing, [&] { frame(sim, quake); });
    fill(row, timing);
    row.broken = brokenJoints(sim) - before;
}

// Builds, then times plain frames (no quake): right after the build, or once the
// structure has come to rest.
Row structureRow(Simulation& sim, const std::string& name, const std::vector<Line>& lines, bool settled,
                 const Options& opt) {
    Row row;
    row.scenario = name + (settled ? " at rest (settled, joints unbreakable)" : "");
    if (!settled) row.buildMs = medianBuild(sim, lines, opt.runs, row);
    // At the default threshold large structures slowly break under their own weight, and
    // every break wakes them; the settled rows measure a structure that stands.
    const float threshold = sim.threshold;
    if (settled) sim.threshold = std::numeric_limits<float>::max();
    buildStructure(sim, lines);
    row.members = sim.beams.size();
    row.joints = sim.jointSlots.size();
    row.bodies = b2World_GetBodyCount(sim.worldId);
    QuakeState noQuake;
    timeFrames(row, sim, noQuake, settled ? opt.settleFrames : opt.warmFrames, opt);
    sim.threshold = threshold;
    clearStructure(sim);
    return row;
}

// Figures dropped in a block `columns` wide, rows of them upwards from `lowest`.
void dropFigures(Simulation& sim, int count, int columns, Vector2 lowest) {
    HumanSpawner spawner;
    for (int k = 0; k < count; ++k) {
        const Vector2 at{lowest.x + 16.0f * static_cast<float>(k % columns),
                         lowest.y - 12.0f * static_cast<float>(k / columns)};
        dropHuman(sim, spawner, at, NOT_RANDOM);
    }
}

// The quake on the structure from its first frame, with figures dropped onto it first.
Row quakeRow(Simulation& sim, const std::string& name, const std::vector<Line>& lines, QuakeState quake, int figures,
             Vector2 figuresFrom, const Options& opt) {
    Row row;
    row.scenario = name;
    buildStructure(sim, lines);
    quake.groundBody = sim.ground.body;
    dropFigures(sim, figures, 10, figuresFrom);
    row.members = sim.beams.size();
    row.joints = sim.jointSlots.size();
    row.bodies = b2World_GetBodyCount(sim.worldId);

    frame(sim, quake, true);
    timeFrames(row, sim, quake, opt.warmFrames - 1, opt);
    stopGroundQuake(quake);  // the ground back at rest where it was
    clearStructure(sim);
    return row;
}

// The classic quake, running for the whole measurement.
QuakeState classicQuake() {
    QuakeState quake;
    quake.duration = 1.0e9f;
    return quake;
}

// The ground-motion quake on a structure built with the connections given in that model's
// world: a synthetic M7 at 10 km, lasting twice the frames run so that the timed ones fall
// in its strong phase (from 15 % to half of its length; every frame steps once).
Row groundQuakeRow(Simulation& sim, const std::string& name, const std::vector<Line>& lines, Connection connection,
                   const Options& opt) {
    QuakeState quake;
    quake.ground.model = QuakeModel::GroundMotion;
    quake.ground.connection = connection;
    quake.magnitude = 7.0f;
    quake.epicenter = Vector2{10.0f, 0.0f};
    quake.duration = static_cast<float>(2.0 * (opt.warmFrames + opt.frames) * STEP_SECONDS);
    setWorldSetup(sim, worldSetupFor(quake.ground));
    Row row = quakeRow(sim, name, lines, quake, 0, Vector2{}, opt);
    setWorldSetup(sim, WorldSetup{});
    return row;
}

// What F adds in the ground-motion model: designing the structure's connections to code,
// two copies of it standing a second each (the build column).
Row designRow(Simulation& sim, const std::string& name, const std::vector<Line>& lines, Connection connection,
              const Options& opt) {
    GroundMotionSettings ground;
    ground.model = QuakeModel::GroundMotion;
    ground.connection = connection;
    setWorldSetup(sim, worldSetupFor(ground));
    buildStructure(sim, lines);
    Row row;
    row.scenario = name;
    row.members = sim.beams.size();
    row.joints = sim.jointSlots.size();
    row.bodies = b2World_GetBodyCount(sim.worldId);
    std::vector<double> times;
    for (int r = 0; r < opt.runs; ++r) times.push_back(millisecondsOf([&] { sizeConnections(sim, ground, lines); }));
    row.buildMs = percentile(times, 0.5);
    clearStructure(sim);
    setWorldSetup(sim, WorldSetup{});
    return row;
}

std::string cell(double ms) {
    if (ms < 0.0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ms);
    return text;
}

bool parseOptions(int argc, char** argv, Options& opt) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--quick") == 0) {
            opt.runs = 3;
            opt.warmFrames = 10;
            opt.frames = 30;
            opt.settleFrames = 300;
        } else if (std::strcmp(a, "--runs") == 0 && i + 1 < argc) {
            opt.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(a, "--frames") == 0 && i + 1 < argc) {
            opt.frames = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(a, "--only") == 0 && i + 1 < argc) {
            opt.only = argv[++i];
        } else if (std::strcmp(a, "--source") == 0 && i + 1 < argc) {
            opt.source = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--quick] [--runs N] [--frames N] [--only TEXT] [--source DIR]\n", argv[0]);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    if (!parseOptions(argc, argv, opt)) return 2;

    Simulation sim;
    initSimulation(sim);

    const std::vector<Line> truss100 = makeTruss(5, 5, 6);
    const std::vector<Line> truss1000 = makeTruss(5, 18, 18);
    const std::vector<Line> truss5000 = makeTruss(4, 40, 41);
    const std::vector<Line> fullGrid = makeFullGrid();
    const std::vector<Line> threeStoreys = makeFrame(10, 2, 3, 4, 3);  // 3 m storeys, 4 m bays

    Design hause;
    const bool haveHause = readDesignFile("hause", hause, opt.source).ok;

    // Each scenario by name; --only picks some of them.
    const Vector2 aboveTruss{60.0f, -215.0f};  // a 10-wide block of figures just above the truss top (y = -200)
    const Vector2 aboveHause{20.0f, -160.0f};  // a hundred rows of figures stacked above the house's roof
    const std::vector<std::pair<std::string, std::function<Row()>>> scenarios = {
        {"truss ~100", [&] { return structureRow(sim, "truss ~100", truss100, false, opt); }},
        {"truss ~1,000", [&] { return structureRow(sim, "truss ~1,000", truss1000, false, opt); }},
        {"truss ~1,000 at rest", [&] { return structureRow(sim, "truss ~1,000", truss1000, true, opt); }},
        {"truss ~5,000", [&] { return structureRow(sim, "truss ~5,000", truss5000, false, opt); }},
        {"truss ~5,000 at rest", [&] { return structureRow(sim, "truss ~5,000", truss5000, true, opt); }},
        {"full grid", [&] { return structureRow(sim, "full grid, 8 neighbours", fullGrid, false, opt); }},
        // At the bounds F enforces: joints (one post drawn over and over, every copy hinged
        // to every other) and members (short separate sticks, each on its own).
        {"446 copies of one post (joint bound)",
         [&] {
             return structureRow(sim, "446 copies of one post (joint bound)",
                                 std::vector<Line>(446, Line{{100.0f, -20.0f}, {100.0f, -30.0f}}), false, opt);
         }},
        {"20,000 separate sticks (member bound)",
         [&] { return structureRow(sim, "20,000 separate sticks (member bound)", makeSticks(20000), false, opt); }},
        {"quake on truss ~1,000",
         [&] { return quakeRow(sim, "quake on truss ~1,000", truss1000, classicQuake(), 0, aboveTruss, opt); }},
        {"quake + 100 figures on truss ~1,000",
         [&] {
             return quakeRow(sim, "quake + 100 figures on truss ~1,000", truss1000, classicQuake(), 100, aboveTruss,
                             opt);
         }},
        {"ground-motion quake on a three-storey moment frame",
         [&] {
             return groundQuakeRow(sim, "ground-motion quake on a three-storey moment frame", threeStoreys,
                                   Connection::Moment, opt);
         }},
        {"ground-motion quake on truss ~1,000, hinges",
         [&] {
             return groundQuakeRow(sim, "ground-motion quake on truss ~1,000, hinges", truss1000, Connection::Pinned,
                                   opt);
         }},
        {"ground-motion quake on truss ~1,000, moment connections",
         [&] {
             return groundQuakeRow(sim, "ground-motion quake on truss ~1,000, moment connections", truss1000,
                                   Connection::Moment, opt);
         }},
        {"designing joints to code: truss ~1,000, hinges",
         [&] {
             return designRow(sim, "designing joints to code: truss ~1,000, hinges", truss1000, Connection::Pinned, opt);
         }},
        {"designing joints to code: three-storey frame, hinges",
         [&] {
             return designRow(sim, "designing joints to code: three-storey frame, hinges", threeStoreys,
                              Connection::Pinned, opt);
         }},
        {"quake + 1,000 figures on hause",
         [&] {
             const Simulation defaults;
             sim.density = hause.density;
             sim.accumulativeLimit = hause.accumulativeLimit;
             sim.threshold = hause.threshold;
             Row row =
                 quakeRow(sim, "quake + 1,000 figures on hause", hause.lines, classicQuake(), 1000, aboveHause, opt);
             sim.density = defaults.density;
             sim.accumulativeLimit = defaults.accumulativeLimit;
             sim.threshold = defaults.threshold;
             return row;
         }},
    };
    std::vector<Row> rows;
    for (const auto& [name, run] : scenarios) {
        if (!opt.only.empty() && name.find(opt.only) == std::string::npos) continue;
        if (name.find("hause") != std::string::npos && !haveHause) {
            std::fprintf(stderr, "save/hause.velmar not found below %s: \"%s\" is left out\n", opt.source.c_str(),
                         name.c_str());
            continue;
        }
        rows.push_back(run());
    }

    std::printf("Builds: median of %d. Frames: median and 90th percentile of %d after %d warm-up frames.\n\n",
                opt.runs, opt.frames, opt.warmFrames);
    std::printf("| scenario | members | joints | bodies | build (ms) | frame median (ms) | frame p90 (ms) "
                "| frame CPU median (ms) | joints broken while timed |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row& r : rows) {
        std::printf("| %s | %zu | %zu | %d | %s | %s | %s | %s | %zu |\n", r.scenario.c_str(), r.members, r.joints,
                    r.bodies, cell(r.buildMs).c_str(), cell(r.frameMedianMs).c_str(), cell(r.frameP90Ms).c_str(),
                    cell(r.frameCpuMs).c_str(), r.broken);
    }
    destroySimulation(sim);
    return 0;
}

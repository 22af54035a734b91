// tremora-lab: runs a design file under a quake model for many seeds, without a window.
#include <fstream>
#include <iostream>
#include <new>
#include <sstream>
#include <string>

#include "persistence/accelerogram_file.h"
#include "persistence/design_check.h"
#include "persistence/design_file.h"
#include "physics/build_limits.h"
#include "tools/lab_args.h"
#include "tools/lab_heading.h"
#include "tools/lab_output.h"
#include "tools/lab_output_file.h"
#include "tools/lab_threads.h"
#include "tools/quake_lab.h"

namespace {

constexpr int BAD_USE = 2;

int refuse(const std::string& message) {
    std::cerr << "tremora-lab: " << message << "\n" << LAB_USAGE;
    return BAD_USE;
}

// A file the arguments name that cannot be used: the message alone.
int fail(const std::string& message, int status = BAD_USE) {
    std::cerr << "tremora-lab: " << message << "\n";
    return status;
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

// The settings every level starts from: the design's own quake, the arguments over it.
LabSettings baseSettings(const Design& design, const LabArguments& args, const AccelerogramRead& record) {
    LabSettings settings = labSettingsFor(design);
    settings.model = args.model;
    settings.quake = args.quake;
    settings.sleeping = args.sleeping;
    if (args.magnitude) settings.magnitude = static_cast<float>(*args.magnitude);
    if (args.distance) settings.distanceKm = static_cast<float>(*args.distance);
    if (args.duration) settings.duration = static_cast<float>(*args.duration);
    if (args.threshold) settings.ground.threshold = static_cast<float>(*args.threshold);
    if (args.limit) settings.ground.accumulativeLimit = static_cast<float>(*args.limit);
    // A threshold or limit given is the rule for every structure: connections are not sized.
    if (args.threshold || args.limit) settings.ground.sizing = JointSizing::Fixed;
    if (args.designLateral) settings.ground.designLateralG = static_cast<float>(*args.designLateral);
    if (args.overstrength) settings.ground.overstrength = static_cast<float>(*args.overstrength);
    if (args.floorLoad) settings.ground.floorLoad = static_cast<float>(*args.floorLoad);
    settings.ground.connection = args.connection;
    settings.ground.base = args.base;
    if (args.stiffness) settings.ground.stiffness = static_cast<float>(*args.stiffness);
    if (args.damping) settings.ground.dampingRatio = static_cast<float>(*args.damping);
    if (args.capacity) settings.ground.capacity = static_cast<float>(*args.capacity);
    if (!args.record.empty()) {
        settings.ground.source = MotionSource::Recorded;
        settings.ground.record = record.record;
        settings.ground.recordName = args.record;
        settings.ground.recordScale = static_cast<float>(args.scale.value_or(1.0));
    }
    settings.seconds = args.seconds ? *args.seconds : (settings.quake ? labQuakeSeconds(settings) + 10.0 : 60.0);
    return settings;
}

int run(const LabArguments& args) {
    Design design;
    const std::string bad = readDesign(args.path, design);
    if (!bad.empty()) return refuse(bad);
    AccelerogramRead record;
    if (!args.record.empty()) {
        record = readRecordPath(args.record);
        if (!record.ok) return fail(record.message);
    }
    if (!args.output.empty()) {
        const std::string problem = outputProblem(args.output);
        if (!problem.empty()) return fail(problem);
    }

    LabResults results;
    results.sweep.base = baseSettings(design, args, record);
    // The same for every run: measured once here rather than in each.
    results.sweep.base.designForce = labDesignForce(design, results.sweep.base);
    results.sweep.sweep = args.sweep;
    results.sweep.kind = args.levelKind;
    results.sweep.levels = args.levels;
    results.jobs = labJobs(levelCount(results.sweep), args.firstSeed, args.seeds);
    const int threads = args.threads > 0 ? args.threads : labThreadsDefault();
    results.outcomes = runLabJobs(design, results.sweep, results.jobs, threads);

    const std::string text = args.format == LabFormat::Csv    ? labCsv(results)
                             : args.format == LabFormat::Json ? labJson(design, results)
                                                              : labText(design, results);
    if (!args.output.empty()) {
        const std::string problem = writeOutputFile(args.output, text);
        return problem.empty() ? 0 : fail(problem);
    }
    std::cout << text << std::flush;
    return std::cout ? 0 : fail("writing to standard output failed");
}

}  // namespace

int main(int argc, char** argv) {
    if (helpAsked(argc, argv)) {
        std::cout << LAB_USAGE;
        return 0;
    }
    try {
        LabArguments args;
        const std::string problem = parseLabArguments(argc, argv, args);
        if (!problem.empty()) return refuse(problem);
        return run(args);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory", 1);
    } catch (const std::exception& e) {
        return fail(e.what(), 1);
    }
}

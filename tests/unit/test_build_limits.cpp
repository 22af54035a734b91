// Settings and structures the engine cannot take are refused before anything is built;
// an unstable step stops the simulation and leaves a clean world.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <utility>

#include "app/design_commands.h"
#include "app/editor.h"
#include "app/frame.h"
#include "app/modes.h"
#include "app/replay.h"
#include "persistence/design_check.h"
#include "persistence/presets.h"
#include "physics/build_limits.h"
#include "physics/end_points.h"
#include "physics/engine/b2layer.h"
#include "physics/world.h"
#include "test_design_file_util.h"
#include "tools/preset_designs.h"

namespace {

// The program as after start-up (the presets are not found here, so there are none).
struct Limits : testing::Test {
    AppState app;
    void SetUp() override { initApp(app); }
    void TearDown() override { shutdownApp(app); }

    void pressF() {
        InputSnapshot in;
        in.keyPressed.set(KEY_F);
        updateFrame(app, in, [](int lo, int) { return lo; });
    }
    void frame() {
        InputSnapshot in;
        in.frameTime = 1.0f / 60.0f;
        updateFrame(app, in, [](int lo, int) { return lo; });
    }
    int bodies() const { return b2World_GetBodyCount(app.sim.worldId); }
};

// Lines between random points of a 4 x 4 corner of the grid: many repeats, both orders.
std::vector<Line> randomDesign(std::mt19937& random, int count) {
    std::uniform_int_distribution<int> cell(0, 3);
    std::vector<Line> lines;
    for (int k = 0; k < count; ++k) {
        lines.push_back(Line{{10.0f * cell(random), -20.0f - 10.0f * cell(random)},
                             {10.0f * cell(random), -20.0f - 10.0f * cell(random)}});
    }
    lines.push_back(Line{{-0.0f, -20.0f}, {0.0f, -30.0f}});  // -0 is the same point as 0
    lines.push_back(Line{{NAN, -20.0f}, {0.0f, -20.0f}});    // shares nothing
    return lines;
}

}  // namespace

TEST(BuildLimits, SharedEndPointsComeInTheOrderOfThePairLoop) {
    std::mt19937 random(12);
    for (int design = 0; design < 20; ++design) {
        const std::vector<Line> lines = randomDesign(random, 5 + design * 3);
        std::vector<std::pair<std::size_t, std::size_t>> expected;
        auto same = [](Vector2 a, Vector2 b) { return a.x == b.x && a.y == b.y; };
        // Lines that are never built (not finite, or of no length) share with nothing.
        auto unbuilt = [&](const Line& l) { return std::isnan(l.start.x) || same(l.start, l.end); };
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (std::size_t j = i + 1; j < lines.size(); ++j) {
                const Line& a = lines[i];
                const Line& b = lines[j];
                if (unbuilt(a) || unbuilt(b)) continue;
                if (same(b.start, a.start) || same(b.end, a.end) || same(b.end, a.start) || same(b.start, a.end))
                    expected.emplace_back(i, j);
            }
        }
        EXPECT_EQ(sharedEndPointPairs(lines), expected);
        EXPECT_EQ(countSharedEndPointPairs(lines), expected.size());
    }
}

TEST(BuildLimits, DensityRangeBuildsEveryGridMemberWithMass) {
    for (float density : {std::nextafter(MIN_DENSITY, 0.0f), std::nextafter(MAX_DENSITY, INFINITY), 0.0f, -4.0f,
                          1.4e-45f, NAN, INFINITY, 3.4e38f}) {
        EXPECT_NE(densityProblem(density).find("the density"), std::string::npos) << density;
    }
    const float longest = 10.0f * (GRID_SIZE - 1);
    const std::vector<Line> extremes = {Line{{0, -20}, {10, -20}}, Line{{0, -20}, {longest, -20 - longest}}};
    for (float density : {MIN_DENSITY, MAX_DENSITY}) {
        EXPECT_EQ(densityProblem(density), "");
        Simulation sim;
        initSimulation(sim);
        sim.density = density;
        buildStructure(sim, extremes);
        ASSERT_EQ(sim.beams.size(), 2u) << density;
        for (const Beam& beam : sim.beams) {
            const float mass = b2Body_GetMass(beam.body);
            EXPECT_TRUE(std::isfinite(mass) && mass > 0.0f) << density;
        }
        destroySimulation(sim);
    }
}

TEST_F(Limits, TinyDensityDesignIsRefusedOnLoadAndAtF) {
    // A 69-byte file: one line, a nine-byte name, density 1.4e-45.
    ScratchDir dir;
    Design tiny;
    tiny.name = "tiny hut!";
    tiny.lines = {Line{{100, -20}, {100, -30}}};
    tiny.density = 1.4e-45f;
    tiny.magnitude = 4.0f;
    ASSERT_EQ(encodeDesign(tiny).size(), 69u);
    writeBytes(dir.file("tiny"), encodeDesign(tiny));
    Design quakeless = tiny;
    quakeless.density = 4.0f;
    quakeless.magnitude = NAN;
    writeBytes(dir.file("quakeless"), encodeDesign(quakeless));

    FileResult r = loadFromFile(app.editor, app.sim, app.quake, "tiny", dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Could not load save/tiny.velmar: the density 1.4013e-45 is outside", 0), 0u)
        << r.message;
    r = loadFromFile(app.editor, app.sim, app.quake, "quakeless", dir.str());
    EXPECT_NE(r.message.find("a magnitude of nan cannot shake"), std::string::npos) << r.message;
    EXPECT_TRUE(app.editor.lines.empty());
    EXPECT_EQ(app.sim.density, 4.0f);
    EXPECT_TRUE(app.sim.presets.empty());

    // Applied anyway (as a preset could be), F refuses it before the engine sees it.
    applyDesign(app.editor, app.sim, app.quake, tiny);
    pressF();
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.notice.rfind("Not started: the density", 0), 0u) << app.notice;
    EXPECT_EQ(bodies(), 1);
    // Built directly, such a line makes no member rather than an abort.
    buildStructure(app.sim, tiny.lines);
    EXPECT_TRUE(app.sim.beams.empty());
}

TEST_F(Limits, ThousandIdenticalLinesAreRefusedByTheirJointCount) {
    app.editor.lines.assign(1000, Line{{100, -20}, {100, -30}});
    pressF();
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.notice, "Not started: the structure would take 1000 members and 500500 joints; at most " +
                              std::to_string(MAX_MEMBERS) + " members and " + std::to_string(MAX_JOINTS) +
                              " joints can be simulated");
    EXPECT_EQ(bodies(), 1);

    app.editor.lines.assign(MAX_MEMBERS + 1, Line{});
    for (std::size_t k = 0; k < app.editor.lines.size(); ++k) {
        const float x = static_cast<float>(k % 500);
        const float y = -30.0f - static_cast<float>(k / 500);
        app.editor.lines[k] = Line{{x, y}, {x + 0.5f, y}};
    }
    pressF();
    EXPECT_EQ(app.notice.rfind("Not started: the structure would take " + std::to_string(MAX_MEMBERS + 1) +
                                   " members; at most",
                               0),
              0u)
        << app.notice;
    EXPECT_EQ(bodies(), 1);
}

TEST_F(Limits, UnstableStepStopsTheSimulationAndGLeavesACleanWorld) {
    // So light a structure that the ground motors fling it: not a number in the first step.
    app.editor.lines = hausePreset().lines;
    app.sim.density = 1.0e-30f;
    pressF();
    ASSERT_EQ(app.simulating, 1) << app.notice;
    frame();
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.notice, UNSTABLE_NOTICE);
    EXPECT_TRUE(worldIsFinite(app.sim));
    EXPECT_EQ(bodies(), 1);

    // The same poison reached past the check: G still leaves a clean ground.
    pressF();
    float accumulator = 1.0f;
    stepWorld(app.sim, accumulator);
    ASSERT_FALSE(worldIsFinite(app.sim));
    InputSnapshot g;
    g.keyPressed.set(KEY_G);
    updateFrame(app, g, [](int lo, int) { return lo; });
    EXPECT_TRUE(worldIsFinite(app.sim));
    EXPECT_EQ(app.quake.groundBody, app.sim.ground.body);
    const b2Vec2 ground = b2Body_GetPosition(app.sim.ground.body);
    EXPECT_EQ(ground.x, 250.0f);
    EXPECT_EQ(ground.y, -10.0f);

    // And the structure stands again at a sound density.
    app.sim.density = 4.0f;
    pressF();
    EXPECT_EQ(app.notice, "");
    for (int k = 0; k < 60; ++k) frame();
    EXPECT_EQ(app.simulating, 1);
    EXPECT_TRUE(worldIsFinite(app.sim));
    EXPECT_EQ(app.sim.beams.size(), hausePreset().lines.size());

    // A quake that cannot shake is not started, and says so.
    app.quake.magnitude = -INFINITY;
    InputSnapshot enter;
    enter.keyPressed.set(KEY_ENTER);
    updateFrame(app, enter, [](int lo, int) { return lo; });
    EXPECT_FALSE(app.quake.active);
    EXPECT_EQ(app.notice.rfind("Quake not started: a magnitude of -inf cannot shake anything", 0), 0u) << app.notice;
    // Once a quake does start, the refusal is no longer true.
    app.quake.magnitude = 4.0f;
    updateFrame(app, enter, [](int lo, int) { return lo; });
    EXPECT_TRUE(app.quake.active);
    EXPECT_EQ(app.notice, "");
}

TEST_F(Limits, EveryWayInRefusesASettingByNameAndADesignLargerThanFBuilds) {
    Design sound;
    sound.lines = {Line{{100, -20}, {100, -30}}};
    sound.density = 4.0f;
    sound.duration = 3600.0f;  // the bounds themselves are sound
    sound.epicenter = {-1000.0f, 5.0f};  // a y above 0 loads; the panel brings it back to 0
    EXPECT_EQ(designProblem(sound), "");

    // Each setting that would run wrong, as Load, a start-up preset and the lab meet it.
    ScratchDir dir;
    const std::pair<std::function<void(Design&)>, std::string> bad[] = {
        {[](Design& d) { d.threshold = NAN; }, "the threshold nan is not a finite number of at least 0"},
        {[](Design& d) { d.accumulativeLimit = -1.0f; }, "the accumulative limit -1 is not"},
        {[](Design& d) { d.duration = INFINITY; }, "the duration inf s is outside 0 to 3600 s"},
        {[](Design& d) { d.magnitude = NAN; }, "a magnitude of nan"},
        {[](Design& d) { d.epicenter.y = -1e4f; }, "the epicenter y -10000 km is not a number from -1000 to 1000 km"},
        {[](Design& d) { d.lines.assign(MAX_MEMBERS + 1, d.lines[0]); },
         "the design has 20001 lines; at most 20000 can be built"},
    };
    for (const auto& [spoil, says] : bad) {
        Design design = sound;
        spoil(design);
        writeBytes(dir.file("bad"), encodeDesign(design));
        const FileResult r = loadFromFile(app.editor, app.sim, app.quake, "bad", dir.str());
        EXPECT_EQ(r.message.rfind("Could not load save/bad.velmar: " + says, 0), 0u) << r.message;
        EXPECT_FALSE(loadPreset(app.sim, "bad", dir.str()));
        Design stored;
        ASSERT_TRUE(readDesignFile("bad", stored, dir.str()).ok) << "the file is read as it is stored";
        EXPECT_EQ(encodeDesign(stored), encodeDesign(design));
        std::string bytes = encodeDesign(design);
        writeBytes(dir.path / "outside.velmar", bytes);
        Design atPath;
        EXPECT_EQ(readUsableDesignAt((dir.path / "outside.velmar").string(), atPath).rfind(says, 0), 0u);
    }
    EXPECT_TRUE(app.editor.lines.empty());
    EXPECT_TRUE(app.sim.presets.empty());
    EXPECT_EQ(app.sim.threshold, 1500.0f);

    // The live settings, as F, Enter and Replay meet them.
    app.editor.lines = sound.lines;
    app.sim.threshold = NAN;
    pressF();
    EXPECT_EQ(app.simulating, 0);
    EXPECT_EQ(app.notice.rfind("Not started: the threshold nan", 0), 0u) << app.notice;
    app.sim.threshold = 1500.0f;
    pressF();
    ASSERT_EQ(app.simulating, 1) << app.notice;
    app.quake.duration = NAN;
    InputSnapshot enter;
    enter.keyPressed.set(KEY_ENTER);
    updateFrame(app, enter, [](int lo, int) { return lo; });
    EXPECT_FALSE(app.quake.active);
    EXPECT_EQ(app.notice.rfind("Quake not started: the duration nan s", 0), 0u) << app.notice;
    EXPECT_EQ(replayTyped(app, "12345").message, "Not replayed: the duration nan s is outside 0 to 3600 s.");
    EXPECT_FALSE(app.quake.active);
    EXPECT_FALSE(app.quake.hasSeed);
}

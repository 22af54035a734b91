// The preset list and the File section's Save and Load.
#include <gtest/gtest.h>

#include "app/design_commands.h"
#include "persistence/presets.h"
#include "test_design_file_util.h"

namespace fs = std::filesystem;

namespace {

struct Live {
    EditorState editor;
    Simulation sim;
    QuakeState quake;
};

Design stored(const std::string& name, float seed) {
    Design d;
    d.name = name;
    d.lines = {Line{{seed, -20}, {seed, -30}}, Line{{seed, -30}, {seed + 10, -30}}};
    d.density = seed + 1;
    d.accumulativeLimit = seed + 2;
    d.threshold = seed + 3;
    d.duration = seed + 4;
    d.magnitude = seed + 5;
    d.epicenter = {seed + 6, -(seed + 7)};
    return d;
}

// The seven settings and lines of the live state, gathered by hand.
Design liveDesign(const Live& live, const std::string& name) {
    Design d;
    d.name = name;
    d.lines = live.editor.lines;
    d.density = live.sim.density;
    d.accumulativeLimit = live.sim.accumulativeLimit;
    d.threshold = live.sim.threshold;
    d.duration = live.quake.duration;
    d.magnitude = live.quake.magnitude;
    d.epicenter = live.quake.epicenter;
    return d;
}

}  // namespace

TEST(Presets, LoadPresetAppendsInOrderAndChangesNothingElse) {
    ScratchDir dir;
    ASSERT_TRUE(saveToFile(stored("hause", 10), dir.str()).ok);
    ASSERT_TRUE(saveToFile(stored("lightaf", 20), dir.str()).ok);
    Simulation sim;
    EXPECT_TRUE(loadPreset(sim, "hause", dir.str()));
    EXPECT_TRUE(loadPreset(sim, "lightaf", dir.str()));
    ASSERT_EQ(sim.presets.size(), 2u);
    EXPECT_TRUE(sameBits(sim.presets[0], stored("hause", 10)));
    EXPECT_TRUE(sameBits(sim.presets[1], stored("lightaf", 20)));
    EXPECT_EQ(sim.density, 4.0f);
    EXPECT_EQ(sim.accumulativeLimit, 50000.0f);
    EXPECT_EQ(sim.threshold, 1500.0f);
}

TEST(Presets, MissingOrBadPresetIsSkipped) {
    ScratchDir dir;
    Simulation sim;
    EXPECT_FALSE(loadPreset(sim, "hause", dir.str()));  // no save folder at all
    writeBytes(dir.file("hause"), encodeDesign(stored("hause", 1)).substr(0, 30));
    EXPECT_FALSE(loadPreset(sim, "hause", dir.str()));
    EXPECT_TRUE(sim.presets.empty());
    ASSERT_TRUE(saveToFile(stored("lightaf", 2), dir.str()).ok);
    EXPECT_TRUE(loadPreset(sim, "lightaf", dir.str()));
    ASSERT_EQ(sim.presets.size(), 1u);
    EXPECT_EQ(sim.presets[0].name, "lightaf");
}

TEST(Presets, SaveGathersTheLiveDesignAndOnlyReadsIt) {
    ScratchDir dir;
    Live live;
    live.editor.lines = {Line{{0, -20}, {10, -30}}, Line{{10, -30}, {20, -20}}};
    live.sim.density = 2.5f;
    live.sim.accumulativeLimit = 12345.0f;
    live.sim.threshold = 321.0f;
    live.quake.duration = 7.0f;
    live.quake.magnitude = 5.25f;
    live.quake.epicenter = {0.5f, -0.25f};
    live.quake.elapsed = 1.5f;
    live.quake.active = true;
    const FileResult r = saveCurrentDesign(live.editor, live.sim, live.quake, "my design ", dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "File saved to save/my design .velmar");
    EXPECT_EQ(readBytes(dir.file("my design ")), encodeDesign(liveDesign(live, "my design ")));
    EXPECT_EQ(live.editor.lines.size(), 2u);
    EXPECT_TRUE(live.quake.active);
}

TEST(Presets, SaveThenLoadRestoresEverythingAndAddsOneButton) {
    ScratchDir dir;
    Live a;
    a.editor.lines = {Line{{0, -20}, {0, -40}}, Line{{0, -40}, {30, -40}}, Line{{30, -40}, {30, -20}}};
    a.sim.density = 3.0f / 7.0f;
    a.sim.accumulativeLimit = 1e-20f;
    a.sim.threshold = -0.0f;
    a.quake.duration = 0.1f;
    a.quake.magnitude = 8.999f;
    a.quake.epicenter = {-1.0f / 3.0f, -2.0f};
    ASSERT_TRUE(saveCurrentDesign(a.editor, a.sim, a.quake, "rt", dir.str()).ok);

    Live b;
    const FileResult r = loadFromFile(b.editor, b.sim, b.quake, "rt", dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "Data loaded at save/rt.velmar");
    EXPECT_TRUE(sameBits(liveDesign(b, "rt"), liveDesign(a, "rt")));
    ASSERT_EQ(b.sim.presets.size(), 1u);
    EXPECT_TRUE(sameBits(b.sim.presets[0], liveDesign(a, "rt")));
}

TEST(Presets, LoadUsesTheStoredNameForTheButtonAndTheTypedNameForTheMessage) {
    ScratchDir dir;
    writeBytes(dir.file("typed"), encodeDesign(stored("inside", 5)));
    Live live;
    FileResult r = loadFromFile(live.editor, live.sim, live.quake, "typed", dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "Data loaded at save/typed.velmar");
    r = loadFromFile(live.editor, live.sim, live.quake, "typed", dir.str());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(live.sim.presets.size(), 2u);
    EXPECT_EQ(live.sim.presets[0].name, "inside");
    EXPECT_EQ(live.sim.presets[1].name, "inside");
    EXPECT_TRUE(sameBits(liveDesign(live, "inside"), stored("inside", 5)));
}

TEST(Presets, FailedLoadChangesNothing) {
    ScratchDir dir;
    writeBytes(dir.file("short"), encodeDesign(stored("short", 1)).substr(0, 50));
    fs::create_directories(dir.file("dir"));
    Live live;
    live.editor.lines = {Line{{0, -20}, {10, -20}}};
    live.sim.presets.push_back(stored("kept", 3));
    const Design before = liveDesign(live, "before");
    for (const std::string name : {"short", "dir", "missing", "../short"}) {
        const FileResult r = loadFromFile(live.editor, live.sim, live.quake, name, dir.str());
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.message.rfind("Could not load save/" + name + ".velmar: ", 0), 0u) << r.message;
        EXPECT_TRUE(sameBits(liveDesign(live, "before"), before));
        ASSERT_EQ(live.sim.presets.size(), 1u);
        EXPECT_EQ(live.sim.presets[0].name, "kept");
    }
}

// Gathering the live design into a record and spreading a record back over its owners.
#include <gtest/gtest.h>

#include "app/design_commands.h"

namespace {

Design sampleDesign() {
    Design design;
    design.lines = {{{10, -20}, {10, -30}}, {{10, -30}, {20, -30}}, {{1.5f, 2.5f}, {-3.25f, 4.0f}}};
    design.name = "bridge";
    design.density = 7.5f;
    design.accumulativeLimit = 12345.0f;
    design.threshold = 678.0f;
    design.duration = 9.25f;
    design.magnitude = 6.5f;
    design.epicenter = Vector2{0.75f, -0.5f};
    return design;
}

void expectSameLines(const std::vector<Line>& a, const std::vector<Line>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].start.x, b[i].start.x);
        EXPECT_EQ(a[i].start.y, b[i].start.y);
        EXPECT_EQ(a[i].end.x, b[i].end.x);
        EXPECT_EQ(a[i].end.y, b[i].end.y);
    }
}

}  // namespace

TEST(Design, ApplyThenMakeGivesBackEveryField) {
    EditorState editor;
    Simulation sim;
    QuakeState quake;
    const Design original = sampleDesign();
    applyDesign(editor, sim, quake, original);

    expectSameLines(editor.lines, original.lines);
    EXPECT_EQ(sim.density, 7.5f);
    EXPECT_EQ(sim.accumulativeLimit, 12345.0f);
    EXPECT_EQ(sim.threshold, 678.0f);
    EXPECT_EQ(quake.duration, 9.25f);
    EXPECT_EQ(quake.magnitude, 6.5f);
    EXPECT_EQ(quake.epicenter.x, 0.75f);
    EXPECT_EQ(quake.epicenter.y, -0.5f);

    const Design made = makeDesign(editor, sim, quake, "again");
    expectSameLines(made.lines, original.lines);
    EXPECT_EQ(made.name, "again");
    EXPECT_EQ(made.density, original.density);
    EXPECT_EQ(made.accumulativeLimit, original.accumulativeLimit);
    EXPECT_EQ(made.threshold, original.threshold);
    EXPECT_EQ(made.duration, original.duration);
    EXPECT_EQ(made.magnitude, original.magnitude);
    EXPECT_EQ(made.epicenter.x, original.epicenter.x);
    EXPECT_EQ(made.epicenter.y, original.epicenter.y);
}

TEST(Design, MakeReadsTheLiveStateAndCopiesTheLines) {
    EditorState editor;
    editor.lines = {{{0, -20}, {10, -20}}};
    Simulation sim;  // defaults 4, 50000, 1500
    QuakeState quake;  // defaults 4 s, magnitude 4, epicenter (0, 0)
    Design made = makeDesign(editor, sim, quake, "live");
    EXPECT_EQ(made.density, 4.0f);
    EXPECT_EQ(made.accumulativeLimit, 50000.0f);
    EXPECT_EQ(made.threshold, 1500.0f);
    EXPECT_EQ(made.duration, 4.0f);
    EXPECT_EQ(made.magnitude, 4.0f);
    editor.lines.clear();
    EXPECT_EQ(made.lines.size(), 1u);  // a copy, not a view
}

TEST(Design, ApplyLeavesTheRunningQuakeAndBuiltStructureAlone) {
    EditorState editor;
    editor.hasPending = 1;
    editor.deleteMode = 1;
    Simulation sim;
    sim.beams.resize(2);
    QuakeState quake;
    quake.active = true;
    quake.elapsed = 1.25f;
    quake.noiseOffsetX = 42.0f;
    Design design = sampleDesign();
    applyDesign(editor, sim, quake, design);
    EXPECT_EQ(sim.beams.size(), 2u);
    EXPECT_TRUE(quake.active);
    EXPECT_EQ(quake.elapsed, 1.25f);
    EXPECT_EQ(quake.noiseOffsetX, 42.0f);
    EXPECT_EQ(editor.hasPending, 1);
    EXPECT_EQ(editor.deleteMode, 1);
    design.lines.clear();
    EXPECT_EQ(editor.lines.size(), 3u);  // the editor holds its own copy
}

TEST(Design, DefaultDesignEmptiesTheLinesAndZeroesTheSettings) {
    EditorState editor;
    editor.lines = {{{0, -20}, {10, -20}}};
    Simulation sim;
    QuakeState quake;
    applyDesign(editor, sim, quake, Design{});
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(sim.density, 0.0f);
    EXPECT_EQ(sim.accumulativeLimit, 0.0f);
    EXPECT_EQ(sim.threshold, 0.0f);
    EXPECT_EQ(quake.duration, 0.0f);
    EXPECT_EQ(quake.magnitude, 0.0f);
    EXPECT_EQ(makeDesign(editor, sim, quake, "none").name, "none");
}

// Quitting keeps the drawing: the autosave written at close and listed at the next start.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/autosave.h"
#include "app/design_commands.h"
#include "app/frame.h"
#include "test_design_file_util.h"

TEST(Autosave, ChangedLinesAreWrittenAtCloseAndComeBackBitForBitAsAPreset) {
    ScratchDir dir;
    Design lines;
    {
        AppState app;
        initApp(app, dir.str());
        EXPECT_TRUE(app.sim.presets.empty()) << "no autosave file, no autosave preset";
        EXPECT_TRUE(autosaveAtClose(app, dir.str()).ok);
        EXPECT_FALSE(std::filesystem::exists(dir.file(AUTOSAVE_NAME))) << "nothing drawn, nothing written";

        // Lines no grid gives, with bits a rounding would lose.
        app.editor.lines = {{{0.1f, -20.3f}, {std::nextafter(10.0f, 20.0f), -0.0f}}, {{1e-40f, -30}, {-7, 3e38f}}};
        app.quake.magnitude = 6.5f;
        ASSERT_TRUE(autosaveAtClose(app, dir.str()).ok);
        lines = makeDesign(app.editor, app.sim, app.quake, AUTOSAVE_NAME);
        shutdownApp(app);
    }
    AppState next;
    initApp(next, dir.str());
    ASSERT_EQ(next.sim.presets.size(), 1u);
    EXPECT_TRUE(sameBits(next.sim.presets[0], lines));
    applyPresetRecorded(next, next.sim.presets[0]);
    EXPECT_TRUE(sameBits(makeDesign(next.editor, next.sim, next.quake, AUTOSAVE_NAME), lines));

    // After a preset, Save or Load the same lines are kept: a close writes nothing.
    std::filesystem::remove(dir.file(AUTOSAVE_NAME));
    EXPECT_FALSE(linesChangedSinceKept(next));
    next.editor.lines.pop_back();
    EXPECT_TRUE(linesChangedSinceKept(next));
    ASSERT_TRUE(saveDesignKept(next, "mine", dir.str()).ok);
    EXPECT_FALSE(linesChangedSinceKept(next));
    next.editor.lines.clear();
    ASSERT_TRUE(loadFromFileRecorded(next, "mine", dir.str()).ok);
    EXPECT_FALSE(linesChangedSinceKept(next));
    EXPECT_TRUE(autosaveAtClose(next, dir.str()).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.file(AUTOSAVE_NAME)));
    shutdownApp(next);
}

// Listing and loading records/ as the program does it for the panel.
#include <gtest/gtest.h>

#include "app/record_commands.h"
#include "test_design_file_util.h"

namespace {

TEST(RecordCommands, AMissingFolderListsNothingAndARefusedFileChangesNothing) {
    ScratchDir dir;
    RecordShelf shelf;
    shelf.files = {"stale.csv"};
    refreshRecordList(shelf, dir.str());
    EXPECT_TRUE(shelf.files.empty());

    GroundMotionSettings ground;
    ground.recordName = "kept.AT2";
    ground.record.dt = 0.02;
    ground.record.accelerationG = {0.1, -0.2};
    shelf.durationSeconds = 0.02;
    shelf.peakG = 0.2;
    writeBytes(dir.path / "records" / "bad.csv", "time,acceleration\nhalf,a quake\n");
    const std::string message = loadRecord(shelf, ground, "bad.csv", dir.str());
    EXPECT_EQ(message.rfind("Could not load records/bad.csv: ", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Could not load records/bad.csv: ").size()) << "the reason is given";
    EXPECT_EQ(message.find("Could not load", 1), std::string::npos) << "said once: " << message;
    EXPECT_EQ(ground.recordName, "kept.AT2");
    EXPECT_EQ(ground.record.accelerationG, (std::vector<double>{0.1, -0.2}));
    EXPECT_EQ(shelf.durationSeconds, 0.02);
    EXPECT_EQ(shelf.peakG, 0.2);
}

TEST(RecordCommands, ALoadedRecordReplacesTheSettingsRecordAndItsFigures) {
    ScratchDir dir;
    writeBytes(dir.path / "records" / "small.csv", "0,0.1\n0.01,-0.3\n0.02,0.2\n");
    RecordShelf shelf;
    refreshRecordList(shelf, dir.str());
    EXPECT_EQ(shelf.files, (std::vector<std::string>{"small.csv"}));
    GroundMotionSettings ground;
    const std::string message = loadRecord(shelf, ground, "small.csv", dir.str());
    EXPECT_EQ(message, "Loaded records/small.csv: 3 samples");
    EXPECT_EQ(ground.recordName, "small.csv");
    EXPECT_EQ(ground.record.accelerationG.size(), 3u);
    EXPECT_NEAR(shelf.durationSeconds, 0.02, 1e-12);
    EXPECT_DOUBLE_EQ(shelf.peakG, 0.3);
}

}  // namespace

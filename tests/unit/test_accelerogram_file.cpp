// The .AT2 and CSV record readers, the records folder, and the shipped examples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "persistence/accelerogram_file.h"

namespace {

void expectRefused(const AccelerogramRead& r, const std::string& text, const std::string& says) {
    EXPECT_FALSE(r.ok) << text;
    EXPECT_TRUE(r.record.accelerationG.empty()) << text;
    EXPECT_NE(r.message.find(says), std::string::npos) << "\"" << r.message << "\" for:\n" << text;
}

const std::string AT2_HEAD = "PEER NGA STRONG MOTION DATABASE RECORD\nSomewhere, 1/1/2000, Station, 090\n"
                             "ACCELERATION TIME SERIES IN UNITS OF G\n";

}  // namespace

TEST(At2Reader, ReadsBothHeaderLayoutsExactly) {
    const AccelerogramRead r = readAt2Text(AT2_HEAD + "NPTS=    5, DT=   .0050 SEC\r\n"
                                                      "  .1234560E-02 -.5000000E-01  1.5\n   -2.0E+00 +1.0D-01\n");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.record.dt, 0.005);
    EXPECT_EQ(r.record.accelerationG, (std::vector<double>{0.00123456, -0.05, 1.5, -2.0, 0.1}));

    const AccelerogramRead old = readAt2Text(AT2_HEAD + " 3    0.01000   NPTS, DT\n 0.1 0.2\n 0.3\n");
    ASSERT_TRUE(old.ok) << old.message;
    EXPECT_EQ(old.record.dt, 0.01);
    EXPECT_EQ(old.record.accelerationG, (std::vector<double>{0.1, 0.2, 0.3}));
    const AccelerogramRead swapped = readAt2Text(AT2_HEAD + "DT= 0.02 SEC, NPTS= 2\n 0.5 0.6\n");
    ASSERT_TRUE(swapped.ok) << swapped.message;
    EXPECT_EQ(swapped.record.dt, 0.02);
    // A key is a word of its own: SUBDT is not DT.
    const AccelerogramRead longer = readAt2Text(AT2_HEAD + "NPTS= 2, SUBDT= 9, DT= .01\n 0.5 0.6\n");
    ASSERT_TRUE(longer.ok) << longer.message;
    EXPECT_EQ(longer.record.dt, 0.01);
}

TEST(At2Reader, RefusesBadFilesWithAMessage) {
    const std::pair<std::string, std::string> bad[] = {
        {"PEER\nonly\ntwo header lines\n", "header"},
        {AT2_HEAD + "5000 points at .005\n0.1\n", "line 4"},
        {AT2_HEAD + "NPTS= 3, DT= .01\n0.1 0.2\n", "holds 2 values but NPTS = 3"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1 0.2 0.3\n", "line 5: more values than NPTS"},
        {AT2_HEAD + "NPTS= 1, DT= .01\n0.1\n", "line 4: a record needs at least two points"},
        {AT2_HEAD + "NPTS= 2, DT= 5e-324\n0.1 0.2\n", "line 4: the time step 4.94066e-324 s is not a positive"},
        {AT2_HEAD + "NPTS= 3, DT= 1e10\n0.1 0.2 0.3\n", "line 4: the record would last 2e+10 s; a record lasts at most 3600 s"},
        {AT2_HEAD + "NPTS= 3, DT= 1.7e308\n0.1 0.2 0.3\n", "line 4: the record would last inf s"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1\n" + std::string(101, '\n') + "0.2\n", "line 106: more than 100 blank lines"},
        {AT2_HEAD + "NPTS= 1, DT= 0\n0.1\n", "line 4: the time step 0 s"},
        {AT2_HEAD + "NPTS= 1, DT= nan\n0.1\n", "line 4: the time step nan s"},
        {AT2_HEAD + "NPTS= 1, DT= abc\n0.1\n", "not a number"},
        {AT2_HEAD + "NPTS= 1.5, DT= .01\n0.1\n", "NPTS"},
        {AT2_HEAD + "NPTS= 2000000, DT= .01\n0.1\n", "1000000"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1\n0.2x\n", "line 6: \"0.2x\" is not a number"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1 inf\n", "line 5"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1 1e999\n", "finite"},
        {AT2_HEAD + "NPTS= 2, DT= .01\n0.1 -10.5\n", "10 g"},
        {"PEER\nx\nVELOCITY TIME SERIES IN UNITS OF CM/SEC\nNPTS= 1, DT= .01\n1\n", "line 3"},
        {"PEER\nx\nACCELERATION TIME SERIES IN UNITS OF CM/SEC/SEC\nNPTS= 1, DT= .01\n1\n", "CM/SEC/SEC"},
    };
    for (const auto& [text, says] : bad) expectRefused(readAt2Text(text), text, says);
}

TEST(CsvReader, ReadsWithOrWithoutAHeaderExactly) {
    const AccelerogramRead r = readAccelerogramCsvText("time,acceleration\r\n0.00, 0.1\n 0.01 ,-0.25\n\n0.02,1E-3\n");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_DOUBLE_EQ(r.record.dt, 0.01);
    EXPECT_EQ(r.record.accelerationG, (std::vector<double>{0.1, -0.25, 0.001}));

    const AccelerogramRead shifted = readAccelerogramCsvText("2.5,0\n2.505,0.5\n2.51,0\n");
    ASSERT_TRUE(shifted.ok) << shifted.message;
    EXPECT_NEAR(shifted.record.dt, 0.005, 1e-15);
}

TEST(CsvReader, RefusesBadFilesWithAMessage) {
    const std::pair<std::string, std::string> bad[] = {
        {"", "two rows"},
        {"time,acceleration\n0,0.1\n", "two rows"},
        {"0,0.1\n0.01,0.2\n0.03,0.3\n", "line 3: the time step changes"},
        {"0,0.1\n0,0.2\n", "line 2: the time does not advance"},
        {"0,0.1\n-0.01,0.2\n", "line 2"},
        {"0,0.1\n0.01,0.2,7\n", "line 2: 3 columns"},
        {"0,0.1\n0.01\n", "line 2: one column"},
        {"t,a\n0,0.1\nx,0.2\n", "line 3: the time \"x\" is not a number"},
        {"0,0.1\n0.01,abc\n", "line 2: the acceleration \"abc\""},
        {"0,0.1\n0.01,nan\n", "finite"},
        {"0,0.1\ninf,0.2\n", "line 2"},
        {"0,0.1\n0.01,12\n", "10 g"},
        {"0,0.1\n1e-310,0.2\n", "line 2: the time step 1e-310 s is not a positive"},
        {"-1e308,0.1\n0,0.2\n1e308,0.3\n", "line 2: the record would last 1e+308 s"},
        {"0,0.1\n3000,0.2\n6000,0.3\n", "line 3: the record would last 6000 s"},
        {"t,a\n" + std::string(101, '\n') + "0,0.1\n", "line 102: more than 100 blank lines"},
    };
    for (const auto& [text, says] : bad) expectRefused(readAccelerogramCsvText(text), text, says);

    std::string many;
    for (int i = 0; i <= 1000000; ++i) many += std::to_string(i * 0.001) + ",0\n";
    expectRefused(readAccelerogramCsvText(many), "(a million and one rows)", "1000000");
}

TEST(RecordFiles, FolderNamesAndFormats) {
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "tremora-record-files-test";
    std::filesystem::remove_all(base);
    EXPECT_TRUE(listRecordFiles(base.string()).empty());
    expectRefused(readRecordFile(base.string(), "a.csv"), "missing folder", "records/a.csv");

    std::filesystem::create_directories(base / "records" / "sub.csv");
    std::ofstream(base / "records" / "b.CSV") << "0,0\n0.5,0.25\n";
    std::ofstream(base / "records" / "a.at2") << AT2_HEAD << "NPTS= 2, DT= .01\n0.5 0.6\n";
    std::ofstream(base / "records" / "notes.txt") << "not a record\n";
    EXPECT_EQ(listRecordFiles(base.string()), (std::vector<std::string>{"a.at2", "b.CSV"}));
    EXPECT_TRUE(readRecordFile(base.string(), "a.at2").ok);
    EXPECT_EQ(readRecordFile(base.string(), "b.CSV").record.dt, 0.5);
    for (const char* name : {"../a.at2", "x/b.CSV", "notes.txt", "missing.csv", "sub.csv", ""}) {
        expectRefused(readRecordFile(base.string(), name), name, "Could not load");
    }

    // Files larger than their first part: what the first lines show is refused from them
    // (the rest is not read); what only the whole shows, from the whole.
    std::ofstream(base / "records" / "blank.csv") << std::string(1 << 20, '\n');
    std::ofstream(base / "records" / "oneline.csv") << std::string(1 << 20, ' ');
    std::string rows = "t,a\n";
    std::string values;
    for (int i = 0; i < 20000; ++i) {
        rows += std::to_string(i * 0.01) + ",0\n";
        values += "0.1\n";
    }
    std::ofstream(base / "records" / "rows.csv") << rows;
    std::ofstream(base / "records" / "short.at2") << AT2_HEAD << "NPTS= 30000, DT= .01\n" << values;
    expectRefused(readRecordFile(base.string(), "blank.csv"), "blank lines", "line 101: more than 100 blank lines");
    expectRefused(readRecordFile(base.string(), "oneline.csv"), "one long line", "line 1 is over 65536 bytes");
    EXPECT_EQ(readRecordFile(base.string(), "rows.csv").record.accelerationG.size(), 20000u);
    expectRefused(readRecordFile(base.string(), "short.at2"), "too few values", "holds 20000 values but NPTS = 30000");
    std::filesystem::remove_all(base);
}

TEST(RecordFiles, ShippedRecordsAllRead) {
    const std::vector<std::string> names = listRecordFiles(TREMORA_SOURCE_DIR);
    EXPECT_GE(names.size(), 3u);
    for (const std::string& name : names) {
        const AccelerogramRead r = readRecordFile(TREMORA_SOURCE_DIR, name);
        EXPECT_TRUE(r.ok) << r.message;
        EXPECT_GT(groundMotionFromRecord(r.record, 1.0).peakG, 0.05) << name;
    }
}

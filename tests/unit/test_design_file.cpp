// Design files as written and read back: byte layout, names, replacing, round trips.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <limits>

#include "persistence/design_file.h"
#include "test_design_file_util.h"

namespace fs = std::filesystem;

namespace {

Design settingsOnly(const std::string& name) {
    Design d;
    d.name = name;
    d.density = 4.0f;
    d.accumulativeLimit = 50000.0f;
    d.threshold = 1500.0f;
    d.duration = 4.0f;
    d.magnitude = 4.5f;
    d.epicenter = {0.25f, -1.5f};
    return d;
}

std::string sevenFloats(const Design& d) {
    std::string s;
    for (float f : {d.density, d.accumulativeLimit, d.threshold, d.duration, d.magnitude, d.epicenter.x,
                    d.epicenter.y}) {
        appendF32(s, f);
    }
    return s;
}

Design withLines(const std::string& name, std::size_t count) {
    Design d = settingsOnly(name);
    for (std::size_t i = 0; i < count; ++i) {
        const float x = 10.0f * static_cast<float>(i);
        d.lines.push_back(Line{{x, -20.0f}, {x + 10.0f, -30.0f - x}});
    }
    return d;
}

}  // namespace

TEST(DesignFileLayout, NoLinesAndOneByteNameIsFortyFiveBytes) {
    ScratchDir dir;
    const Design d = settingsOnly("a");
    const FileResult r = saveToFile(d, dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "File saved to save/a.velmar");

    std::string expected;
    appendU64(expected, 0);
    appendU64(expected, 1);
    expected += 'a';
    expected += sevenFloats(d);
    const std::string bytes = readBytes(dir.file("a"));
    ASSERT_EQ(bytes.size(), 45u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 8), std::string(8, '\0'));
}

TEST(DesignFileLayout, LinesFollowTheTableAndTheSizeIs44Plus16NPlusL) {
    ScratchDir dir;
    const Design d = withLines("bridge", 3);
    ASSERT_TRUE(saveToFile(d, dir.str()).ok);
    const std::string bytes = readBytes(dir.file("bridge"));
    ASSERT_EQ(bytes.size(), 44u + 16u * 3u + 6u);

    std::string expected;
    appendU64(expected, 3);
    for (const Line& l : d.lines) {
        appendF32(expected, l.start.x);
        appendF32(expected, l.start.y);
        appendF32(expected, l.end.x);
        appendF32(expected, l.end.y);
    }
    appendU64(expected, 6);
    expected += "bridge";
    expected += sevenFloats(d);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(encodeDesign(d), expected);
}

TEST(DesignFileLayout, EmptyNameIsOnlyTheExtension) {
    ScratchDir dir;
    const FileResult r = saveToFile(settingsOnly(""), dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "File saved to save/.velmar");
    const std::string bytes = readBytes(dir.path / "save" / ".velmar");
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(8, 8), std::string(8, '\0'));

    Design back;
    const FileResult loaded = readDesignFile("", back, dir.str());
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(back.name, "");
}

TEST(DesignFileLayout, TrailingAndInnerSpacesAreKept) {
    ScratchDir dir;
    const std::string name = " my house  ";
    const FileResult r = saveToFile(settingsOnly(name), dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "File saved to save/ my house  .velmar");
    EXPECT_TRUE(fs::is_regular_file(dir.file(name)));
    EXPECT_FALSE(fs::exists(dir.file(" my house")));

    Design back;
    ASSERT_TRUE(readDesignFile(name, back, dir.str()).ok);
    EXPECT_EQ(back.name, name);
}

TEST(DesignFileRoundTrip, LinesInOrderAndAllSevenNumbersBitForBit) {
    ScratchDir dir;
    Design d = withLines("exact", 5);
    d.lines[2].start.x = -0.0f;
    d.lines[3].end.y = std::numeric_limits<float>::denorm_min();
    d.density = floatFromBits(0x7fc12345u);  // a NaN with a payload
    d.accumulativeLimit = std::numeric_limits<float>::infinity();
    d.threshold = -0.0f;
    d.duration = 1.0f / 3.0f;
    d.magnitude = std::nextafter(9.0f, 10.0f);
    d.epicenter = {-std::numeric_limits<float>::max(), std::numeric_limits<float>::min()};
    ASSERT_TRUE(saveToFile(d, dir.str()).ok);

    Design back;
    const FileResult r = readDesignFile("exact", back, dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "Data loaded at save/exact.velmar");
    EXPECT_TRUE(sameBits(back, d));
    EXPECT_EQ(bitsOf(back.density), 0x7fc12345u);
    EXPECT_EQ(bitsOf(back.lines[2].start.x), 0x80000000u);
}

TEST(DesignFileRoundTrip, DefaultDesignGivesNoLinesAndZeros) {
    ScratchDir dir;
    ASSERT_TRUE(saveToFile(Design{}, dir.str()).ok);
    Design back = sentinelDesign();
    ASSERT_TRUE(readDesignFile("none", back, dir.str()).ok);
    EXPECT_TRUE(sameBits(back, Design{}));
}

TEST(DesignFileRoundTrip, StoredNameIsWhatTheFileHolds) {
    ScratchDir dir;
    ASSERT_TRUE(saveToFile(settingsOnly("inside"), dir.str()).ok);
    fs::rename(dir.file("inside"), dir.file("outside"));
    Design back;
    const FileResult r = readDesignFile("outside", back, dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "Data loaded at save/outside.velmar");
    EXPECT_EQ(back.name, "inside");
}

TEST(DesignFileSaving, SavingTwiceReplacesAndLeavesNoTemporaryFile) {
    ScratchDir dir;
    ASSERT_TRUE(saveToFile(withLines("twice", 4), dir.str()).ok);
    const Design second = withLines("twice", 1);
    ASSERT_TRUE(saveToFile(second, dir.str()).ok);
    EXPECT_EQ(readBytes(dir.file("twice")), encodeDesign(second));

    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(dir.path / "save")) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(DesignFileSaving, CreatesTheSaveFolderAndSubfolders) {
    ScratchDir dir;
    ASSERT_FALSE(fs::exists(dir.path / "save"));
    ASSERT_TRUE(saveToFile(settingsOnly("first"), dir.str()).ok);
    EXPECT_TRUE(fs::is_regular_file(dir.file("first")));

    const FileResult r = saveToFile(settingsOnly("sub/deeper/x"), dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "File saved to save/sub/deeper/x.velmar");
    EXPECT_TRUE(fs::is_regular_file(dir.path / "save" / "sub" / "deeper" / "x.velmar"));
    Design back;
    ASSERT_TRUE(readDesignFile("sub/deeper/x", back, dir.str()).ok);
    EXPECT_EQ(back.name, "sub/deeper/x");
}

TEST(DesignFileSaving, NamesLeavingTheSaveFolderAreRefused) {
    ScratchDir dir;
    const std::string outside = (dir.path / "escaped").string();
    // A real design file outside save/, where every name below would lead: neither read
    // nor written.
    const std::string outsideBytes = encodeDesign(settingsOnly("outside"));
    writeBytes(outside + ".velmar", outsideBytes);
    for (const std::string& name : {outside, std::string("../escaped"), std::string("a/../../escaped"),
                                   std::string(".."), std::string("sub/.."), std::string("x/../y")}) {
        const FileResult saved = saveToFile(settingsOnly(name), dir.str());
        EXPECT_FALSE(saved.ok) << name;
        EXPECT_EQ(saved.message.rfind("Could not save save/" + name + ".velmar: ", 0), 0u) << saved.message;

        Design back = sentinelDesign();
        const FileResult loaded = readDesignFile(name, back, dir.str());
        EXPECT_FALSE(loaded.ok) << name;
        EXPECT_EQ(loaded.message.rfind("Could not load save/" + name + ".velmar: ", 0), 0u) << loaded.message;
        EXPECT_TRUE(sameBits(back, sentinelDesign()));
    }
    EXPECT_EQ(readBytes(outside + ".velmar"), outsideBytes);
    // Dots that are not a whole ".." component are ordinary characters.
    EXPECT_TRUE(saveToFile(settingsOnly("..x"), dir.str()).ok);
    EXPECT_TRUE(saveToFile(settingsOnly("a..b/./c"), dir.str()).ok);
}

TEST(DesignFileSaving, ZeroByteInTheNameIsRefused) {
    ScratchDir dir;
    const FileResult r = saveToFile(settingsOnly(std::string("ab\0cd", 5)), dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("zero byte"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("ab")));
}

TEST(DesignFileSaving, FailuresKeepThePreviousFile) {
    ScratchDir dir;
    const Design first = withLines("keep", 2);
    ASSERT_TRUE(saveToFile(first, dir.str()).ok);
    const std::string before = readBytes(dir.file("keep"));

    // Something already has the temporary file's name: it is never opened (a FIFO would
    // block the save, a link would be written through), and the save says so.
    const fs::path temporary = dir.path / "save" / saveTemporaryName();
    const fs::path target = dir.path / "target";
    writeBytes(target, "outside");
    const std::function<void()> inTheWay[] = {
        [&] { fs::create_directories(temporary); },
        [&] { ASSERT_EQ(::mkfifo(temporary.c_str(), 0600), 0); },
        [&] { fs::create_symlink(target, temporary); },
        [&] { writeBytes(temporary, "stale"); },
    };
    FileResult r;
    for (const auto& place : inTheWay) {
        place();
        const fs::file_type kind = fs::symlink_status(temporary).type();
        r = saveToFile(withLines("keep", 7), dir.str());
        EXPECT_EQ(r.message, "Could not save save/keep.velmar: a temporary file cannot be created beside it: " +
                                 saveTemporaryName() + " is in the way");
        EXPECT_EQ(readBytes(dir.file("keep")), before);
        EXPECT_EQ(fs::symlink_status(temporary).type(), kind) << "what was in the way stays";
        fs::remove(temporary);
    }
    EXPECT_EQ(readBytes(target), "outside");

    // The write stops part-way: the process may not make files larger than 4 KiB.
    struct sigaction ignore {}, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    r = saveToFile(withLines("keep", 1000), dir.str());
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Could not save save/keep.velmar: ", 0), 0u) << r.message;
    EXPECT_EQ(readBytes(dir.file("keep")), before);
    EXPECT_FALSE(fs::exists(dir.path / "save" / saveTemporaryName()));
}

TEST(DesignFileSaving, FileSizeLimitFailsWithAMessageAndLeavesNoTemporaryFile) {
    // The program's own handling: no signal disposition is set here, so without it
    // SIGXFSZ would end this test.
    ScratchDir dir;
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult r = saveToFile(withLines("big", 1000), dir.str());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("File too large"), std::string::npos) << r.message;
    EXPECT_TRUE(fs::is_empty(dir.path / "save"));
}

TEST(DesignFileSaving, LongestNamesSaveAndLinksOutOfTheFolderAreRefused) {
    ScratchDir dir;
    const std::string longest(246, 'n');  // 246 + ".velmar" is within the 255-byte limit
    FileResult r = saveToFile(settingsOnly(longest), dir.str());
    ASSERT_TRUE(r.ok) << r.message;
    Design back;
    EXPECT_TRUE(readDesignFile(longest, back, dir.str()).ok);

    fs::create_directories(dir.path / "outside");
    fs::create_directories(dir.path / "save" / "inside");
    fs::create_directory_symlink(dir.path / "outside", dir.path / "save" / "link");
    fs::create_directory_symlink("inside", dir.path / "save" / "alias");
    r = saveToFile(settingsOnly("link/escaped"), dir.str());
    EXPECT_EQ(r.message, "Could not save save/link/escaped.velmar: its folder leads outside save/ through a link");
    EXPECT_TRUE(fs::is_empty(dir.path / "outside"));
    r = saveToFile(settingsOnly("link/deeper/escaped"), dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(fs::is_empty(dir.path / "outside"));
    EXPECT_TRUE(saveToFile(settingsOnly("alias/kept"), dir.str()).ok);
    EXPECT_TRUE(fs::is_regular_file(dir.path / "save" / "inside" / "kept.velmar"));
}

TEST(DesignFileSaving, FolderInTheWayIsReported) {
    ScratchDir dir;
    fs::create_directories(dir.file("taken"));
    FileResult r = saveToFile(settingsOnly("taken"), dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Could not save save/taken.velmar: a folder of that name is in the way");

    writeBytes(dir.path / "save" / "plain", "x");
    r = saveToFile(settingsOnly("plain/inner"), dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Could not save save/plain/inner.velmar: the folder save/plain cannot be created", 0),
              0u)
        << r.message;
    EXPECT_EQ(readBytes(dir.path / "save" / "plain"), "x");
}

// Design files that cannot be read: each gives a message naming the file and the
// reason, and leaves the destination record as it was.
#include <gtest/gtest.h>

#include <limits>

#include "persistence/design_file.h"
#include "test_design_file_util.h"

namespace fs = std::filesystem;

namespace {

Design sample() {
    Design d;
    d.lines = {Line{{0, -20}, {0, -30}}, Line{{0, -30}, {10, -30}}, Line{{10, -30}, {10, -20}}};
    d.name = "house";
    d.density = 2.0f;
    d.accumulativeLimit = 30000.0f;
    d.threshold = 900.0f;
    d.duration = 5.0f;
    d.magnitude = 5.5f;
    d.epicenter = {0.1f, 0.0f};
    return d;
}

// Reads the bytes as save/t.velmar and returns the message; the read must fail and
// leave the record untouched.
std::string refused(const ScratchDir& dir, const std::string& bytes) {
    writeBytes(dir.file("t"), bytes);
    Design out = sentinelDesign();
    const FileResult r = readDesignFile("t", out, dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(sameBits(out, sentinelDesign()));
    EXPECT_EQ(r.message.rfind("Could not load save/t.velmar: ", 0), 0u) << r.message;
    return r.message;
}

}  // namespace

TEST(DesignFileBad, TruncatedAtEveryOffset) {
    ScratchDir dir;
    const std::string whole = encodeDesign(sample());
    ASSERT_EQ(whole.size(), 44u + 48u + 5u);
    for (std::size_t k = 0; k < whole.size(); ++k) {
        const std::string message = refused(dir, whole.substr(0, k));
        if (k == 0) {
            EXPECT_EQ(message, "Could not load save/t.velmar: the file is empty");
        } else if (k < 8) {
            EXPECT_EQ(message, "Could not load save/t.velmar: the file ends after " + std::to_string(k) +
                                   " of 44 bytes");
        } else if (k < 8 + 48) {
            EXPECT_EQ(message, "Could not load save/t.velmar: it claims 3 lines, more than its " +
                                   std::to_string(k) + " bytes can hold");
        } else if (k < 8 + 48 + 8) {
            EXPECT_EQ(message, "Could not load save/t.velmar: the file ends after " + std::to_string(k) +
                                   " of 92 bytes");
        } else {
            EXPECT_EQ(message, "Could not load save/t.velmar: the file ends after " + std::to_string(k) +
                                   " of 97 bytes");
        }
    }
    // The complete file reads.
    writeBytes(dir.file("t"), whole);
    Design out;
    EXPECT_TRUE(readDesignFile("t", out, dir.str()).ok);
    EXPECT_TRUE(sameBits(out, sample()));
}

TEST(DesignFileBad, TwelveBytesOfAnEmptyDesign) {
    ScratchDir dir;
    EXPECT_EQ(refused(dir, encodeDesign(Design{}).substr(0, 12)),
              "Could not load save/t.velmar: the file ends after 12 of 44 bytes");
}

// Every oversized count is refused by the layout check itself, before any list or
// string is sized: a reader that allocated first would fail with the allocator's or
// the archive's text instead of these.
TEST(DesignFileBad, OversizedCountsAreRefusedBeforeAllocating) {
    ScratchDir dir;
    const std::string tail(60, '\0');

    std::string bytes;
    appendU64(bytes, 1000000000000000000ull);
    EXPECT_EQ(refused(dir, bytes + tail),
              "Could not load save/t.velmar: it claims 1000000000000000000 lines, more than its 68 bytes can hold");

    bytes.clear();
    appendU64(bytes, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(refused(dir, bytes + tail),
              "Could not load save/t.velmar: it claims 18446744073709551615 lines, more than its 68 bytes can hold");

    // 10^7 lines would be a 160 MB list that an allocator could well grant.
    bytes.clear();
    appendU64(bytes, 10000000ull);
    EXPECT_EQ(refused(dir, bytes + tail),
              "Could not load save/t.velmar: it claims 10000000 lines, more than its 68 bytes can hold");

    // Lines that overflow 64 bits when multiplied by 16.
    bytes.clear();
    appendU64(bytes, (1ull << 60) + 1);
    EXPECT_NE(refused(dir, bytes + tail).find("more than its 68 bytes can hold"), std::string::npos);

    for (std::uint64_t length : {std::uint64_t{1} << 63, std::numeric_limits<std::uint64_t>::max(),
                                 std::uint64_t{100000000}, std::uint64_t{45}}) {
        bytes.clear();
        appendU64(bytes, 0);
        appendU64(bytes, length);
        bytes += std::string(28, '\0');
        EXPECT_EQ(refused(dir, bytes), "Could not load save/t.velmar: it claims a name of " + std::to_string(length) +
                                           " bytes, more than its 44 bytes can hold");
    }
    // A name that fits in the file but leaves no room for the settings.
    bytes.clear();
    appendU64(bytes, 0);
    appendU64(bytes, 20);
    bytes += std::string(28, '\0');
    EXPECT_EQ(refused(dir, bytes), "Could not load save/t.velmar: the file ends after 44 of 64 bytes");
}

TEST(DesignFileBad, BytesAfterTheDesignAreRefused) {
    ScratchDir dir;
    EXPECT_EQ(refused(dir, encodeDesign(sample()) + "xyz"),
              "Could not load save/t.velmar: it has 3 bytes after the end of the design (97 expected)");
}

TEST(DesignFileBad, MissingFileFolderAndNonFiles) {
    ScratchDir dir;
    Design out = sentinelDesign();
    FileResult r = readDesignFile("hause", out, dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Could not load save/hause.velmar: there is no save folder");

    fs::create_directories(dir.path / "save");
    r = readDesignFile("hause", out, dir.str());
    EXPECT_EQ(r.message, "Could not load save/hause.velmar: the file does not exist");

    fs::create_directories(dir.file("folder"));
    r = readDesignFile("folder", out, dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Could not load save/folder.velmar: it is a folder, not a file");

    fs::create_symlink("/dev/zero", dir.file("device"));
    r = readDesignFile("device", out, dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Could not load save/device.velmar: it is not a regular file (a device, a FIFO or a socket)");
    EXPECT_TRUE(sameBits(out, sentinelDesign()));
}

TEST(DesignFileBad, OverlongFileIsRefusedWithoutReadingIt) {
    ScratchDir dir;
    fs::create_directories(dir.path / "save");
    {
        std::ofstream out(dir.file("huge"), std::ios::binary);
    }
    fs::resize_file(dir.file("huge"), MAX_DESIGN_FILE_BYTES + 1);  // sparse: takes no disk space
    Design out = sentinelDesign();
    const FileResult r = readDesignFile("huge", out, dir.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Could not load save/huge.velmar: the file is too large (67108865 bytes; a design file "
                         "holds at most 67108864)");
    EXPECT_TRUE(sameBits(out, sentinelDesign()));
}

TEST(DesignFileBad, DecodeLeavesTheRecordOnFailure) {
    Design out = sentinelDesign();
    std::string reason;
    EXPECT_FALSE(decodeDesign(std::string(5, '\0'), out, reason));
    EXPECT_EQ(reason, "the file ends after 5 of 44 bytes");
    EXPECT_TRUE(sameBits(out, sentinelDesign()));
    EXPECT_TRUE(decodeDesign(encodeDesign(sample()), out, reason));
    EXPECT_TRUE(sameBits(out, sample()));
}

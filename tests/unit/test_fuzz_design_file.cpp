// Randomized mutations of valid design files through the loader: every input is
// either refused with a reason and no change, or accepted, and an accepted file is
// exactly the encoding of what was read.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "persistence/design_file.h"
#include "test_design_file_util.h"

namespace {

std::vector<std::string> seedFiles() {
    std::vector<std::string> files;
    files.push_back(encodeDesign(Design{}));
    Design d;
    d.name = "x";
    d.lines = {Line{{10, -20}, {10, -30}}};
    files.push_back(encodeDesign(d));
    d.name = "a longer name with spaces  ";
    for (int i = 0; i < 6; ++i) {
        d.lines.push_back(Line{{10.0f * static_cast<float>(i), -20}, {10.0f * static_cast<float>(i + 1), -30}});
    }
    d.density = 4.0f;
    d.magnitude = 6.5f;
    files.push_back(encodeDesign(d));
    return files;
}

struct Mutator {
    std::mt19937_64 random{20240607};

    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : random() % n; }

    std::uint64_t interestingCount() {
        static const std::uint64_t values[] = {0,
                                               1,
                                               2,
                                               7,
                                               16,
                                               255,
                                               1u << 16,
                                               1ull << 32,
                                               (1ull << 60) + 1,
                                               1ull << 63,
                                               1000000000000000000ull,
                                               std::numeric_limits<std::uint64_t>::max(),
                                               std::numeric_limits<std::uint64_t>::max() / 16 + 1};
        if (random() % 3 == 0) return random();
        return values[below(std::size(values))];
    }

    void mutate(std::string& bytes) {
        const int steps = 1 + static_cast<int>(below(4));
        for (int s = 0; s < steps; ++s) {
            switch (below(7)) {
                case 0:  // flip a bit
                    if (!bytes.empty()) bytes[below(bytes.size())] ^= static_cast<char>(1u << below(8));
                    break;
                case 1:  // set a byte
                    if (!bytes.empty()) bytes[below(bytes.size())] = static_cast<char>(random());
                    break;
                case 2:  // cut the end off
                    bytes.resize(below(bytes.size() + 1));
                    break;
                case 3:  // insert bytes
                    bytes.insert(below(bytes.size() + 1), std::string(1 + below(20), static_cast<char>(random())));
                    break;
                case 4:  // erase bytes
                    if (!bytes.empty()) {
                        const std::size_t at = below(bytes.size());
                        bytes.erase(at, 1 + below(bytes.size() - at));
                    }
                    break;
                case 5: {  // overwrite eight bytes with a count
                    if (bytes.size() >= 8) {
                        const std::uint64_t value = interestingCount();
                        const std::size_t at = random() % 2 ? 0 : below(bytes.size() - 7);
                        std::memcpy(&bytes[at], &value, sizeof value);
                    }
                    break;
                }
                default:  // append bytes
                    bytes += std::string(below(40), static_cast<char>(random()));
                    break;
            }
        }
    }
};

void checkOne(const std::string& bytes) {
    Design out = sentinelDesign();
    std::string reason;
    if (decodeDesign(bytes, out, reason)) {
        EXPECT_TRUE(reason.empty());
        ASSERT_EQ(encodeDesign(out), bytes);
    } else {
        ASSERT_FALSE(reason.empty());
        ASSERT_TRUE(sameBits(out, sentinelDesign()));
    }
}

}  // namespace

TEST(DesignFileFuzz, MutatedFilesInMemory) {
    const std::vector<std::string> seeds = seedFiles();
    for (const std::string& seed : seeds) checkOne(seed);
    Mutator mutator;
    int accepted = 0;
    for (int i = 0; i < 100000; ++i) {
        std::string bytes = seeds[mutator.below(seeds.size())];
        mutator.mutate(bytes);
        checkOne(bytes);
        if (HasFatalFailure()) FAIL() << "input " << i;
        Design scratch;
        std::string reason;
        accepted += decodeDesign(bytes, scratch, reason) ? 1 : 0;
    }
    // The mutations reach the code past the counts, not only the first check.
    EXPECT_GT(accepted, 100);
}

TEST(DesignFileFuzz, MutatedFilesOnDisk) {
    ScratchDir dir;
    const std::vector<std::string> seeds = seedFiles();
    Mutator mutator;
    mutator.random.seed(99);
    for (int i = 0; i < 300; ++i) {
        std::string bytes = seeds[mutator.below(seeds.size())];
        mutator.mutate(bytes);
        writeBytes(dir.file("m"), bytes);
        Design out = sentinelDesign();
        const FileResult r = readDesignFile("m", out, dir.str());
        std::string reason;
        Design direct;
        ASSERT_EQ(r.ok, decodeDesign(bytes, direct, reason)) << r.message;
        if (r.ok) {
            EXPECT_TRUE(sameBits(out, direct));
        } else {
            EXPECT_EQ(r.message, "Could not load save/m.velmar: " + reason);
            EXPECT_TRUE(sameBits(out, sentinelDesign()));
        }
    }
}

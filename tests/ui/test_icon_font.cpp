// The compressed-font writer and the merged icon font.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "headless_ui.h"
#include "ui/backend/font/stb_compress.h"
#include "ui/backend/icon_font.h"
#include "ui/backend/imgui_impl_raylib_detail.h"

namespace {

std::uint32_t be(const std::vector<unsigned char>& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | s[at + static_cast<std::size_t>(i)];
    return v;
}

// An independent reader of the stream format, strict about every token and bound.
bool decompress(const std::vector<unsigned char>& s, std::vector<unsigned char>& out) {
    if (s.size() < 22 || be(s, 0, 4) != 0x57bC0000u || be(s, 4, 4) != 0) return false;
    const std::uint32_t length = be(s, 8, 4);
    out.clear();
    std::size_t i = 16;
    auto match = [&](std::uint32_t d, std::uint32_t n) {
        if (d == 0 || d > out.size() || out.size() + n > length) return false;
        for (std::uint32_t k = 0; k < n; ++k) out.push_back(out[out.size() - d]);
        return true;
    };
    auto literal = [&](std::size_t at, std::uint32_t n) {
        if (at + n > s.size() || out.size() + n > length) return false;
        out.insert(out.end(), s.begin() + static_cast<long>(at), s.begin() + static_cast<long>(at + n));
        i = at + n;
        return true;
    };
    for (;;) {
        if (i + 1 >= s.size()) return false;
        const unsigned char b = s[i];
        bool ok = true;
        if (b >= 0x80) { ok = match(s[i + 1] + 1u, b - 0x80u + 1); i += 2; }
        else if (b >= 0x40) { ok = match(be(s, i, 2) - 0x4000 + 1, s[i + 2] + 1u); i += 3; }
        else if (b >= 0x20) ok = literal(i + 1, b - 0x20u + 1);
        else if (b >= 0x18) { ok = match(be(s, i, 3) - 0x180000 + 1, s[i + 3] + 1u); i += 4; }
        else if (b >= 0x10) { ok = match(be(s, i, 3) - 0x100000 + 1, be(s, i + 3, 2) + 1); i += 5; }
        else if (b >= 0x08) ok = literal(i + 2, be(s, i, 2) - 0x0800 + 1);
        else if (b == 0x07) ok = literal(i + 3, be(s, i + 1, 2) + 1);
        else if (b == 0x06) { ok = match(be(s, i + 1, 3) + 1, s[i + 4] + 1u); i += 5; }
        else if (b == 0x04) { ok = match(be(s, i + 1, 3) + 1, be(s, i + 4, 2) + 1); i += 6; }
        else if (b == 0x05 && s[i + 1] == 0xfa) {
            return out.size() == length && i + 6 == s.size() &&
                   be(s, i + 2, 4) == stbfont::adler32(out.data(), out.size());
        } else return false;
        if (!ok) return false;
    }
}

std::vector<unsigned char> roundTrip(const std::vector<unsigned char>& input) {
    const std::vector<unsigned char> packed = stbfont::compress(input.data(), input.size());
    std::vector<unsigned char> out;
    EXPECT_TRUE(decompress(packed, out));
    return out;
}

std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    return v;
}

TEST(FontCompressor, RoundTripsEveryKindOfInput) {
    EXPECT_TRUE(roundTrip({}).empty());
    const std::vector<unsigned char> one{42};
    EXPECT_EQ(roundTrip(one), one);

    // Long runs: overlapping matches longer than 256 and than 65536 bytes.
    const std::vector<unsigned char> zeros(200000, 0);
    EXPECT_EQ(roundTrip(zeros), zeros);

    // Incompressible data: literal runs beyond 32, 2048 and 65536 bytes.
    const std::vector<unsigned char> noise = randomBytes(150000, 1);
    EXPECT_EQ(roundTrip(noise), noise);

    // Repeats far back: distances past 16384, past 0x80000 (the long-distance tokens).
    std::vector<unsigned char> far = randomBytes(400, 2);
    const std::vector<unsigned char> gap1 = randomBytes(20000, 3);
    const std::vector<unsigned char> block = far;
    far.insert(far.end(), gap1.begin(), gap1.end());
    far.insert(far.end(), block.begin(), block.end());
    const std::vector<unsigned char> gap2 = randomBytes(600000, 4);
    far.insert(far.end(), gap2.begin(), gap2.end());
    far.insert(far.end(), block.begin(), block.end());
    far.insert(far.end(), gap1.begin(), gap1.end());  // a long match (> 256) far back
    EXPECT_EQ(roundTrip(far), far);
}

TEST(FontCompressor, CompressesTheIconFontAndDearImGuiReadsItBack) {
    std::ifstream in(TREMORA_SOURCE_DIR "/.deps/fonts/fa-solid-900.ttf", std::ios::binary);
    ASSERT_TRUE(in) << "set-up fetches the icon font";
    const std::vector<unsigned char> ttf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(ICON_FONT_UNCOMPRESSED_SIZE, ttf.size());
    EXPECT_LT(ICON_FONT_COMPRESSED_SIZE, ttf.size());

    HeadlessUi ui;
    ui.context = ImGui::CreateContext();
    ImFontAtlas* atlas = ImGui::GetIO().Fonts;
    ImFont* font = ImGui_ImplRaylib_AddDefaultFont(atlas, false, 1.0f);
    ASSERT_NE(ImGui_ImplRaylib_MergeIconFont(atlas, false, 1.0f), nullptr);
    ASSERT_EQ(atlas->Sources.Size, 2);
    const ImFontConfig& icons = atlas->Sources[1];
    EXPECT_TRUE(icons.MergeMode);
    EXPECT_EQ(icons.GlyphRanges[0], 0xE005);
    EXPECT_EQ(icons.GlyphRanges[1], 0xF8FF);
    EXPECT_EQ(icons.GlyphRanges[2], 0);
    ASSERT_EQ(icons.FontDataSize, static_cast<int>(ttf.size()));
    EXPECT_EQ(0, std::memcmp(icons.FontData, ttf.data(), ttf.size())) << "decompressed bytes equal the TTF";

    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    atlas->GetTexDataAsRGBA32(&pixels, &width, &height);
    EXPECT_GT(width, 0);
    EXPECT_EQ(atlas->Fonts.Size, 1) << "merged into the default font";
    ImFontBaked* baked = font->GetFontBaked(13.0f);
    ASSERT_NE(baked, nullptr);
    EXPECT_TRUE(font->IsGlyphInFont(0xF015)) << "house icon";
    EXPECT_NE(baked->FindGlyphNoFallback(0xF015), nullptr);
    EXPECT_NE(baked->FindGlyphNoFallback('A'), nullptr);
    stopHeadlessUi(ui);
}

}  // namespace

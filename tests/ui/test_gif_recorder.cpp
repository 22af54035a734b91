// The GIF recorder's palette, quantizer and writer, without a window.
#include <gtest/gtest.h>

#include <gif_lib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ui/recorder/gif_recorder.h"

namespace {

std::vector<unsigned char> solidFrame(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    std::vector<unsigned char> rgba;
    for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
    return rgba;
}

class GifFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::path(::testing::TempDir()) / ("tremora_gif_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST(GifPalette, PaletteColoursComeBackUnchanged) {
    const std::vector<unsigned char> palette = gifPalette();
    ASSERT_EQ(palette.size(), 256u * 3);
    // Every used palette colour, drawn over a 4 x 4 block, maps to itself at every dither cell.
    for (int index = 0; index < 252; ++index) {
        const unsigned char* c = &palette[static_cast<std::size_t>(index) * 3];
        const std::vector<unsigned char> block = solidFrame(4, 4, c[0], c[1], c[2]);
        for (unsigned char got : quantizeToGifPalette(block.data(), 4, 4)) ASSERT_EQ(got, index);
    }
    const std::vector<unsigned char> red = solidFrame(1, 1, 255, 0, 0);
    const unsigned char i = quantizeToGifPalette(red.data(), 1, 1)[0];
    EXPECT_EQ(palette[i * 3u], 255);
    EXPECT_EQ(palette[i * 3u + 1], 0);
    EXPECT_EQ(palette[i * 3u + 2], 0);
}

TEST(GifPalette, DitheringKeepsTheAverageColour) {
    // A grey between two palette levels comes out as a mix whose mean is close to it.
    const std::vector<unsigned char> grey = solidFrame(16, 16, 100, 100, 100);
    const std::vector<unsigned char> palette = gifPalette();
    double sum = 0.0;
    for (unsigned char i : quantizeToGifPalette(grey.data(), 16, 16)) sum += palette[i * 3u];
    EXPECT_NEAR(sum / 256.0, 100.0, 6.0);
}

TEST_F(GifFiles, AWrittenGifHoldsEveryFrameWithItsDelay) {
    const std::string path = (dir / "clip.gif").string();
    GifWriter writer;
    ASSERT_TRUE(openGifWriter(writer, path, 32, 24));
    const std::vector<unsigned char> frames[] = {solidFrame(32, 24, 255, 0, 0), solidFrame(32, 24, 0, 255, 0),
                                                 solidFrame(32, 24, 0, 0, 255)};
    for (const auto& f : frames) ASSERT_TRUE(writeGifFrame(writer, f.data(), 10));
    EXPECT_EQ(writer.frames, 3);
    ASSERT_TRUE(closeGifWriter(writer));

    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 32);
    EXPECT_EQ(gif->SHeight, 24);
    ASSERT_EQ(gif->ImageCount, 3);
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 1, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 10);
    // The second frame is green all over.
    const GifColorType green = gif->SColorMap->Colors[gif->SavedImages[1].RasterBits[0]];
    EXPECT_EQ(green.Red, 0);
    EXPECT_EQ(green.Green, 255);
    EXPECT_EQ(green.Blue, 0);
    DGifCloseFile(gif, &error);
}

TEST_F(GifFiles, AFileThatCannotBeCreatedIsReportedNotWritten) {
    GifWriter writer;
    EXPECT_FALSE(openGifWriter(writer, (dir / "no" / "such" / "dir.gif").string(), 8, 8));
    const std::vector<unsigned char> frame = solidFrame(8, 8, 1, 2, 3);
    EXPECT_FALSE(writeGifFrame(writer, frame.data(), 10));
    EXPECT_FALSE(closeGifWriter(writer));
    EXPECT_FALSE(openGifWriter(writer, (dir / "empty.gif").string(), 0, 8));
}

TEST_F(GifFiles, RecordingsAreNumberedWithoutOverwriting) {
    int number = 0;
    const std::string first = nextGifFileName(dir.string(), number);
    EXPECT_EQ(std::filesystem::path(first).filename(), "screenrec000.gif");
    std::ofstream(first).put('x');
    std::ofstream((dir / "screenrec001.gif").string()).put('x');
    number = 0;
    EXPECT_EQ(std::filesystem::path(nextGifFileName(dir.string(), number)).filename(), "screenrec002.gif");
    EXPECT_EQ(number, 2);
}

}  // namespace

#include "ui/recorder/gif_recorder.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <raylib.h>
#include <rlgl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int RED_LEVELS = 6;
constexpr int GREEN_LEVELS = 7;
constexpr int BLUE_LEVELS = 6;

// 4 x 4 ordered-dither thresholds, in sixteenths.
constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int quantizeChannel(unsigned char value, int levels, float dither) {
    const float scaled = static_cast<float>(value) * static_cast<float>(levels - 1) / 255.0f + dither;
    const int level = static_cast<int>(std::lround(scaled));
    return std::clamp(level, 0, levels - 1);
}

bool fail(GifWriter& writer) {
    writer.failed = true;
    return false;
}

}  // namespace

std::vector<unsigned char> gifPalette() {
    std::vector<unsigned char> rgb(GIF_PALETTE_SIZE * 3, 0);
    std::size_t i = 0;
    for (int r = 0; r < RED_LEVELS; ++r)
        for (int g = 0; g < GREEN_LEVELS; ++g)
            for (int b = 0; b < BLUE_LEVELS; ++b) {
                rgb[i++] = static_cast<unsigned char>(r * 255 / (RED_LEVELS - 1));
                rgb[i++] = static_cast<unsigned char>(g * 255 / (GREEN_LEVELS - 1));
                rgb[i++] = static_cast<unsigned char>(b * 255 / (BLUE_LEVELS - 1));
            }
    return rgb;
}

std::vector<unsigned char> quantizeToGifPalette(const unsigned char* rgba, int width, int height) {
    std::vector<unsigned char> indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::size_t p = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++p) {
            // Less than half a level either way, so palette colours come out unchanged.
            const float dither = (static_cast<float>(BAYER[y & 3][x & 3]) + 0.5f) / 16.0f - 0.5f;
            const unsigned char* px = rgba + p * 4;
            const int r = quantizeChannel(px[0], RED_LEVELS, dither);
            const int g = quantizeChannel(px[1], GREEN_LEVELS, dither);
            const int b = quantizeChannel(px[2], BLUE_LEVELS, dither);
            indices[p] = static_cast<unsigned char>((r * GREEN_LEVELS + g) * BLUE_LEVELS + b);
        }
    }
    return indices;
}

bool openGifWriter(GifWriter& writer, const std::string& path, int width, int height) {
    writer = GifWriter{};
    writer.width = width;
    writer.height = height;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return fail(writer);
    // Created like any other file of the program (giflib's own open makes it private).
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return fail(writer);
    int error = 0;
    writer.file = EGifOpenFileHandle(fd, &error);
    if (writer.file == nullptr) {
        ::close(fd);
        return fail(writer);
    }
    EGifSetGifVersion(writer.file, true);

    const std::vector<unsigned char> rgb = gifPalette();
    GifColorType colours[GIF_PALETTE_SIZE];
    for (int i = 0; i < GIF_PALETTE_SIZE; ++i) colours[i] = GifColorType{rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]};
    ColorMapObject* map = GifMakeMapObject(GIF_PALETTE_SIZE, colours);
    if (map == nullptr) return fail(writer);
    const int described = EGifPutScreenDesc(writer.file, width, height, 8, 0, map);
    GifFreeMapObject(map);
    if (described == GIF_ERROR) return fail(writer);

    // Netscape application block: loop forever.
    const unsigned char loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(writer.file, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(writer.file, 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(writer.file, 3, loop) == GIF_ERROR || EGifPutExtensionTrailer(writer.file) == GIF_ERROR)
        return fail(writer);
    return true;
}

bool writeGifFrame(GifWriter& writer, const unsigned char* rgba, int delayCentiseconds) {
    if (writer.file == nullptr || writer.failed) return false;
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = std::clamp(delayCentiseconds, 2, 65535);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const auto length = static_cast<int>(EGifGCBToExtension(&control, extension));
    if (EGifPutExtension(writer.file, GRAPHICS_EXT_FUNC_CODE, length, extension) == GIF_ERROR) return fail(writer);
    if (EGifPutImageDesc(writer.file, 0, 0, writer.width, writer.height, false, nullptr) == GIF_ERROR)
        return fail(writer);
    std::vector<unsigned char> indices = quantizeToGifPalette(rgba, writer.width, writer.height);
    for (int y = 0; y < writer.height; ++y) {
        if (EGifPutLine(writer.file, indices.data() + static_cast<std::size_t>(y) * writer.width, writer.width) ==
            GIF_ERROR)
            return fail(writer);
    }
    ++writer.frames;
    return true;
}

bool closeGifWriter(GifWriter& writer) {
    if (writer.file == nullptr) return false;
    int error = 0;
    const bool closed = EGifCloseFile(writer.file, &error) != GIF_ERROR;
    writer.file = nullptr;
    return closed && !writer.failed;
}

std::string nextGifFileName(const std::string& dir, int& first) {
    char name[32];
    for (;; ++first) {
        std::snprintf(name, sizeof name, "screenrec%03d.gif", first);
        const std::filesystem::path path = std::filesystem::path(dir) / name;
        std::error_code error;
        if (!std::filesystem::exists(path, error)) return path.string();
    }
}

namespace {

// The window as RGBA pixels; the frame is read from the buffer being drawn.
std::vector<unsigned char> captureWindow(int& width, int& height) {
    rlDrawRenderBatchActive();
    Image image = LoadImageFromScreen();
    width = image.width;
    height = image.height;
    std::vector<unsigned char> pixels;
    if (image.data != nullptr && image.format == PIXELFORMAT_UNCOMPRESSED_R8G8B8A8) {
        const auto* bytes = static_cast<const unsigned char*>(image.data);
        pixels.assign(bytes, bytes + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    }
    UnloadImage(image);
    return pixels;
}

int centiseconds(double seconds) { return static_cast<int>(std::lround(seconds * 100.0)); }

void flushPending(GifRecorder& recorder, double now) {
    if (recorder.pending.empty()) return;
    writeGifFrame(recorder.writer, recorder.pending.data(), centiseconds(now - recorder.pendingTime));
    recorder.pending.clear();
}

void capture(GifRecorder& recorder, double now) {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels = captureWindow(width, height);
    // A capture of another size (the window changed) is skipped.
    if (pixels.empty() || width != recorder.writer.width || height != recorder.writer.height) return;
    flushPending(recorder, now);
    recorder.pending = std::move(pixels);
    recorder.pendingTime = now;
}

void startRecording(GifRecorder& recorder, double now) {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> first = captureWindow(width, height);
    recorder.path = nextGifFileName("", recorder.nextNumber);
    ++recorder.nextNumber;
    if (first.empty() || !openGifWriter(recorder.writer, recorder.path, width, height)) {
        closeGifWriter(recorder.writer);
        TraceLog(LOG_WARNING, "GIF: could not start recording %s", recorder.path.c_str());
        return;
    }
    recorder.recording = true;
    recorder.pending = std::move(first);
    recorder.pendingTime = now;
    TraceLog(LOG_INFO, "GIF: recording %s started (Ctrl+F12 again to stop)", recorder.path.c_str());
}

}  // namespace

void stopGifRecorder(GifRecorder& recorder, double now) {
    if (!recorder.recording) return;
    flushPending(recorder, std::max(now, recorder.pendingTime + GIF_CAPTURE_INTERVAL));
    const int frames = recorder.writer.frames;
    if (closeGifWriter(recorder.writer))
        TraceLog(LOG_INFO, "GIF: %s saved, %d frames", recorder.path.c_str(), frames);
    else
        TraceLog(LOG_WARNING, "GIF: writing %s failed", recorder.path.c_str());
    recorder.recording = false;
}

void updateGifRecorder(GifRecorder& recorder, bool ctrlF12Pressed, double now) {
    if (ctrlF12Pressed) {
        if (recorder.recording)
            stopGifRecorder(recorder, now);
        else
            startRecording(recorder, now);
        return;
    }
    if (recorder.recording && now - recorder.pendingTime >= GIF_CAPTURE_INTERVAL) capture(recorder, now);
}

#pragma once
// Ctrl+F12 screen recording to numbered animated GIFs in the working directory.
//
// The window is captured a few times a second, each capture reduced to a fixed
// 6 x 7 x 6 colour palette with ordered dithering and written as one GIF frame
// whose delay is the time until the next capture.
#include <string>
#include <vector>

struct GifFileType;

// ---- Window-free parts ---------------------------------------------------------

inline constexpr int GIF_PALETTE_SIZE = 256;  // 252 colours used, the rest black

// The fixed palette as 256 RGB triples.
std::vector<unsigned char> gifPalette();
// Palette indices for width * height RGBA pixels (alpha ignored).
std::vector<unsigned char> quantizeToGifPalette(const unsigned char* rgba, int width, int height);

// An animated GIF being written frame by frame.
struct GifWriter {
    GifFileType* file = nullptr;
    int width = 0;
    int height = 0;
    int frames = 0;
    bool failed = false;
};

// Creates the file with its screen description and an endless-loop block.
bool openGifWriter(GifWriter& writer, const std::string& path, int width, int height);
// Appends one frame of width * height RGBA pixels shown for delayCentiseconds.
bool writeGifFrame(GifWriter& writer, const unsigned char* rgba, int delayCentiseconds);
// Finishes and closes the file; true when every step succeeded.
bool closeGifWriter(GifWriter& writer);

// The first free name "screenrecNNN.gif" in dir ("" for the working directory),
// counting from first.
std::string nextGifFileName(const std::string& dir, int& first);

// ---- The recorder --------------------------------------------------------------

inline constexpr double GIF_CAPTURE_INTERVAL = 0.1;  // seconds between captures

struct GifRecorder {
    bool recording = false;
    GifWriter writer;
    std::string path;
    int nextNumber = 0;
    // The last capture, written once the time to the next one is known.
    std::vector<unsigned char> pending;
    double pendingTime = 0.0;
};

// Once per frame, after the user interface has been drawn and before EndDrawing:
// Ctrl+F12 starts or stops a recording; while recording, the window is captured
// every GIF_CAPTURE_INTERVAL seconds. now is the clock in seconds (GetTime()).
void updateGifRecorder(GifRecorder& recorder, bool ctrlF12Pressed, double now);
// Finishes a recording in progress (for example at shutdown, before CloseWindow).
void stopGifRecorder(GifRecorder& recorder, double now);

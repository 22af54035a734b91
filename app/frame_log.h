#pragma once
// The opt-in frame log (TREMORA_FRAME_LOG=path): once a second of clock, how many frames
// were drawn and how many world steps of 1/120 s were taken, so a benchmark outside the
// program can read frames per second and simulated time per second of clock.
#include <cstddef>
#include <cstdint>
#include <string>

// What the program has done so far, as the log reports it.
struct FrameFacts {
    std::uint64_t worldSteps = 0;  // since start
    std::size_t members = 0;       // built members of the current simulation
    std::size_t joints = 0;        // its joint slots
    std::size_t awake = 0;         // bodies the world still moves at the end of the span
};

struct FrameCounter {
    double spanStart = -1.0;  // clock seconds at the start of the current span; < 0 before the first frame
    std::uint64_t frames = 0;
    std::uint64_t stepsAtStart = 0;
};

// Counts one frame ending at clock `now`. Once the span reaches a second, writes its log
// line to `line`, starts a new span and returns true. The line reads
// "time T frames N steps S span D members M joints J awake A" (seconds, counts, seconds,
// counts).
bool countFrame(FrameCounter& counter, double now, const FrameFacts& facts, std::string& line);

#pragma once
// Design files: save/<name>.velmar, little-endian, no header:
// u64 N, N lines of four f32, u64 L, L name bytes, seven f32 (density, limit,
// threshold, duration, magnitude, epicenter x, epicenter y).
#include <string>

#include "physics/structure.h"

struct FileResult {
    bool ok = false;
    std::string message;  // shown in the "fileinfo" popup
};

// Writes save/<design.name>.velmar below baseDir (the working directory by default).
FileResult saveToFile(const Design& design, const std::string& baseDir = ".");
// Reads save/<name>.velmar below baseDir into out; out is only written on success.
FileResult readDesignFile(const std::string& name, Design& out, const std::string& baseDir = ".");

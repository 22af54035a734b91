#pragma once
// Design files: save/<name>.velmar, little-endian, no header:
// u64 N, N lines of four f32, u64 L, L name bytes, seven f32 (density, limit,
// threshold, duration, magnitude, epicenter x, epicenter y).
#include <cstdint>
#include <optional>
#include <string>

#include "physics/structure.h"

struct FileResult {
    bool ok = false;
    std::string message;  // shown in the "fileinfo" popup
};

// Writes save/<design.name>.velmar below baseDir (the working directory by default).
// A failed save (no room, a file-size limit, a folder that resolves outside save/
// through a link) leaves the old file and no temporary file behind.
FileResult saveToFile(const Design& design, const std::string& baseDir = ".");
// Reads save/<name>.velmar below baseDir into out; out is only written on success.
FileResult readDesignFile(const std::string& name, Design& out, const std::string& baseDir = ".");

// A write past the process's file-size limit (ulimit -f) then fails with EFBIG and a
// message, instead of ending the program with SIGXFSZ. Saves call it; the program also
// calls it at start-up for its screenshots and recordings.
void ignoreFileSizeSignal();
// "save/<name>.velmar", as messages show a design's file.
std::string shownDesignPath(const std::string& name);
// The name of the file a save writes before renaming it into place, in the target's
// folder: short, so any name the file system takes can be saved.
std::string saveTemporaryName();

// The count of lines save/<name>.velmar holds, from its first eight bytes and its size
// alone, so that a design too large to use is refused without reading it; nothing when
// the file cannot be read or is too short to hold the lines it claims.
std::optional<std::uint64_t> storedLineCount(const std::string& name, const std::string& baseDir = ".");

// The largest file the reader accepts (about four million lines).
inline constexpr std::uint64_t MAX_DESIGN_FILE_BYTES = 64ull * 1024 * 1024;

// The bytes of a design file for this design, exactly as saveToFile writes them.
std::string encodeDesign(const Design& design);
// Decodes the bytes of a whole design file. Every count is checked against the bytes
// that follow it before anything is allocated; on failure reason says what is wrong
// and out is untouched.
bool decodeDesign(const std::string& bytes, Design& out, std::string& reason);
// Why a design name may not be used as a file name ("" when it may): names stay
// inside the save folder.
std::string designNameProblem(const std::string& name);

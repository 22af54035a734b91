#pragma once
// Recorded ground motions: PEER .AT2 files and two-column CSV (time in s, acceleration
// in g), read from the records/ folder beside save/.
#include <string>
#include <vector>

#include "quake/ground_motion.h"

struct AccelerogramRead {
    bool ok = false;
    Accelerogram record;  // empty unless ok
    std::string message;  // why the file was refused ("" when ok)
};

// The text of a file, by format. Each refuses a malformed text with a message. With
// complete false the text is only the first lines of a file: what they hold is checked,
// but not what only the whole file can tell (its count of points), and a text without
// a fault there reads as ok, with whatever points it held.
AccelerogramRead readAt2Text(const std::string& text, bool complete = true);
AccelerogramRead readAccelerogramCsvText(const std::string& text, bool complete = true);
// A file in baseDir/records by its name, the format chosen by its extension (.AT2 or .csv,
// any case).
AccelerogramRead readRecordFile(const std::string& baseDir, const std::string& name);
// A record file at any path, read as readRecordFile reads one (the quake lab's --record).
AccelerogramRead readRecordPath(const std::string& path);
// The record files in baseDir/records (.AT2 and .csv), sorted by name; empty when the
// folder is missing.
std::vector<std::string> listRecordFiles(const std::string& baseDir);

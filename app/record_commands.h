#pragma once
// Recorded ground motions as the program offers them: the files of the records/ folder
// beside save/, and loading one into the ground-motion model's settings.
#include <string>
#include <vector>

#include "quake/ground_settings.h"

struct RecordShelf {
    std::vector<std::string> files;  // record files in records/, by name
    double durationSeconds = 0.0;    // the loaded record's, first sample to last
    double peakG = 0.0;              // the loaded record's largest |acceleration|, unscaled
};

// Lists records/ below baseDir afresh (empty when the folder is missing).
void refreshRecordList(RecordShelf& shelf, const std::string& baseDir = ".");

// Reads records/<name> below baseDir into the settings' record and name; returns the
// message for the panel. A refused file changes nothing. The running quake keeps the
// motion it started with, so loading during a quake does not disturb it.
std::string loadRecord(RecordShelf& shelf, GroundMotionSettings& ground, const std::string& name,
                       const std::string& baseDir = ".");

#include "app/record_commands.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "persistence/accelerogram_file.h"

void refreshRecordList(RecordShelf& shelf, const std::string& baseDir) { shelf.files = listRecordFiles(baseDir); }

std::string loadRecord(RecordShelf& shelf, GroundMotionSettings& ground, const std::string& name,
                       const std::string& baseDir) {
    AccelerogramRead read = readRecordFile(baseDir, name);
    if (!read.ok) return read.message;  // it names the file already
    double peak = 0.0;
    for (double a : read.record.accelerationG) peak = std::max(peak, std::fabs(a));
    const std::size_t samples = read.record.accelerationG.size();
    shelf.durationSeconds = samples > 0 ? read.record.dt * static_cast<double>(samples - 1) : 0.0;
    shelf.peakG = peak;
    ground.record = std::move(read.record);
    ground.recordName = name;
    return "Loaded records/" + name + ": " + std::to_string(samples) + " samples";
}

#include "persistence/accelerogram_file.h"

// Placeholder bodies; the readers replace them.

AccelerogramRead readAt2Text(const std::string&) { return {false, {}, "record files cannot be read yet"}; }
AccelerogramRead readAccelerogramCsvText(const std::string&) { return {false, {}, "record files cannot be read yet"}; }
AccelerogramRead readRecordFile(const std::string&, const std::string&) {
    return {false, {}, "record files cannot be read yet"};
}
std::vector<std::string> listRecordFiles(const std::string&) { return {}; }

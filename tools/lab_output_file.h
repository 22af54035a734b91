#pragma once
// The lab's --output FILE: checked before the runs start, so that a long sweep is not lost
// to a folder that is missing or read-only, and written whole or not at all.
#include <string>

// Why the lab's output cannot go to path ("" when it can).
std::string outputProblem(const std::string& path);
// Writes text to a temporary file beside path and renames it into place; "" on success,
// else the reason, with any old file at path left as it was.
std::string writeOutputFile(const std::string& path, const std::string& text);

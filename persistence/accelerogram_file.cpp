// Record files in the records/ folder: their names, their size and their format.
#include "persistence/accelerogram_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>
#include <system_error>

#include "persistence/record_text.h"
#include "persistence/whole_file.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t MAX_RECORD_FILE_BYTES = 64ull * 1024 * 1024;
// The first part of a file, checked before the rest is read: a file that goes wrong in
// its first lines (a header that is no header, a run of blank lines) is refused without
// reading the rest.
constexpr std::size_t HEAD_BYTES = 64 * 1024;

enum class RecordFormat { None, At2, Csv };

RecordFormat formatOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return RecordFormat::None;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "at2") return RecordFormat::At2;
    if (extension == "csv") return RecordFormat::Csv;
    return RecordFormat::None;
}

std::string nameProblem(const std::string& name) {
    if (name.empty()) return "no file name";
    if (name.find_first_of(std::string("/\\\0", 3)) != std::string::npos || name.find("..") != std::string::npos) {
        return "the name leaves the records folder";
    }
    if (formatOf(name) == RecordFormat::None) return "only .AT2 and .csv files are read";
    return "";
}

AccelerogramRead readText(RecordFormat format, const std::string& text, bool complete) {
    return format == RecordFormat::At2 ? readAt2Text(text, complete) : readAccelerogramCsvText(text, complete);
}

// The record in the file at path, or the reason it cannot be used ("" when read). Its first
// lines are checked before the rest is read.
std::string readRecordAt(const fs::path& path, const fs::path& folder, AccelerogramRead& read) {
    try {
        const RecordFormat format = formatOf(path.filename().string());
        std::string bytes;
        std::string problem = readWholeFile(path, folder, MAX_RECORD_FILE_BYTES, "a record file", bytes, HEAD_BYTES);
        if (problem.empty() && bytes.size() == HEAD_BYTES) {
            // The head's lines up to its last line break; the line after it may be cut short.
            const std::size_t lastBreak = bytes.rfind('\n');
            if (lastBreak == std::string::npos) {
                problem = "line 1 is over " + std::to_string(HEAD_BYTES) + " bytes long; a record's lines are short";
            } else {
                bytes.resize(lastBreak + 1);
                problem = readText(format, bytes, false).message;
            }
            if (problem.empty()) problem = readWholeFile(path, folder, MAX_RECORD_FILE_BYTES, "a record file", bytes);
        }
        if (!problem.empty()) return problem;
        read = readText(format, bytes, true);
        return read.message;
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace

AccelerogramRead readRecordFile(const std::string& baseDir, const std::string& name) {
    std::string problem = nameProblem(name);
    AccelerogramRead read;
    if (problem.empty()) {
        const fs::path folder = fs::path(baseDir) / "records";
        problem = readRecordAt(folder / name, folder, read);
    }
    if (!problem.empty()) return refusedRead("Could not load records/" + name + ": " + problem);
    return read;
}

AccelerogramRead readRecordPath(const std::string& path) {
    std::string problem;
    AccelerogramRead read;
    if (path.empty()) {
        problem = "no file name";
    } else if (formatOf(fs::path(path).filename().string()) == RecordFormat::None) {
        problem = "only .AT2 and .csv files are read";
    } else {
        const fs::path folder = fs::path(path).parent_path();
        problem = readRecordAt(path, folder.empty() ? fs::path(".") : folder, read);
    }
    if (!problem.empty()) return refusedRead("Could not load " + path + ": " + problem);
    return read;
}

std::vector<std::string> listRecordFiles(const std::string& baseDir) {
    std::vector<std::string> names;
    try {
        std::error_code ec;
        for (fs::directory_iterator it(fs::path(baseDir) / "records", ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (formatOf(name) != RecordFormat::None && it->is_regular_file(ec)) names.push_back(name);
        }
    } catch (const std::exception&) {
        // A folder that cannot be listed lists nothing further.
    }
    std::sort(names.begin(), names.end());
    return names;
}

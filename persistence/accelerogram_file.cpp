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

// The record in the file at path, or the reason it cannot be used ("" when read).
std::string readRecordAt(const fs::path& path, const fs::path& folder, AccelerogramRead& read) {
    try {
        std::string bytes;
        std::string problem = readWholeFile(path, folder, MAX_RECORD_FILE_BYTES, "a record file", bytes);
        if (!problem.empty()) return problem;
        const std::string name = path.filename().string();
        read = formatOf(name) == RecordFormat::At2 ? readAt2Text(bytes) : readAccelerogramCsvText(bytes);
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

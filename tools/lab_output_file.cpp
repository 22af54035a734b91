#include "tools/lab_output_file.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "persistence/new_file.h"

namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
    return target.parent_path() /
           ("." + target.filename().string() + ".tremora-lab-" + std::to_string(::getpid()) + ".tmp");
}

std::string cannot(const std::string& path, const std::string& why) { return "cannot write " + path + ": " + why; }

}  // namespace

std::string outputProblem(const std::string& path) {
    if (path.empty()) return "--output needs a file name";
    std::error_code ec;
    const fs::path target = fs::absolute(path, ec);
    if (ec) return cannot(path, ec.message());
    if (fs::is_directory(target, ec)) return cannot(path, "it is a folder");
    if (!fs::is_directory(target.parent_path(), ec)) {
        return cannot(path, "no such folder: " + target.parent_path().string());
    }
    // A trial write of nothing shows a read-only folder or a full table of files now.
    const fs::path trial = temporaryBeside(target);
    const std::string problem = writeNewFile(trial, "");
    if (!problem.empty()) return cannot(path, problem);
    removeQuietly(trial);
    return "";
}

std::string writeOutputFile(const std::string& path, const std::string& text) {
    std::error_code ec;
    const fs::path target = fs::absolute(path, ec);
    if (ec) return cannot(path, ec.message());
    const fs::path temporary = temporaryBeside(target);
    const std::string problem = writeNewFile(temporary, text);
    if (!problem.empty()) return cannot(path, problem);
    fs::rename(temporary, target, ec);
    if (ec) {
        removeQuietly(temporary);
        return cannot(path, "the new file cannot replace the old one (" + ec.message() + ")");
    }
    return "";
}

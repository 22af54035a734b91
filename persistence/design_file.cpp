// Reading and writing design files with cereal's binary archives.
#include "persistence/design_file.h"

#include <cereal/archives/binary.hpp>

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <streambuf>
#include <system_error>

#include "persistence/design_serialize.h"
#include "persistence/new_file.h"
#include "persistence/whole_file.h"

namespace fs = std::filesystem;

namespace {

// Bytes of a file with no lines and an empty name: the two counts and seven floats.
constexpr std::uint64_t EMPTY_DESIGN_BYTES = 44;
constexpr std::uint64_t LINE_BYTES = 16;

fs::path filePath(const std::string& baseDir, const std::string& name) {
    return fs::path(baseDir) / "save" / (name + ".velmar");
}

std::uint64_t readU64(const std::string& bytes, std::uint64_t offset) {
    std::uint64_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string endsAfter(std::uint64_t size, std::uint64_t expected) {
    return "the file ends after " + std::to_string(size) + " of " + std::to_string(expected) + " bytes";
}

// Walks the counts of a design file without allocating; "" when the layout is complete.
std::string layoutProblem(const std::string& bytes) {
    const std::uint64_t size = bytes.size();
    if (size == 0) return "the file is empty";
    if (size < 8) return endsAfter(size, EMPTY_DESIGN_BYTES);

    const std::uint64_t lineCount = readU64(bytes, 0);
    if (lineCount > (size - 8) / LINE_BYTES) {
        return "it claims " + std::to_string(lineCount) + " lines, more than its " + std::to_string(size) +
               " bytes can hold";
    }
    const std::uint64_t nameOffset = 8 + LINE_BYTES * lineCount;
    std::uint64_t expected = EMPTY_DESIGN_BYTES + LINE_BYTES * lineCount;
    if (nameOffset + 8 > size) return endsAfter(size, expected);

    const std::uint64_t nameLength = readU64(bytes, nameOffset);
    if (nameLength > size) {
        return "it claims a name of " + std::to_string(nameLength) + " bytes, more than its " +
               std::to_string(size) + " bytes can hold";
    }
    expected += nameLength;
    if (expected > size) return endsAfter(size, expected);
    if (expected < size) {
        return "it has " + std::to_string(size - expected) + " bytes after the end of the design (" +
               std::to_string(expected) + " expected)";
    }
    return "";
}

// A read-only view of a string as a stream buffer, so cereal reads without a copy.
struct ViewBuffer : std::streambuf {
    explicit ViewBuffer(const std::string& bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

// Why the target's folder, with every link in it followed, is not inside save/ ("" when it is).
std::string folderProblem(const fs::path& saveFolder, const fs::path& target) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(fs::absolute(saveFolder, ec), ec);
    if (ec) return "the save folder cannot be resolved (" + ec.message() + ")";
    const fs::path folder = fs::weakly_canonical(fs::absolute(target.parent_path(), ec), ec);
    if (ec) return "its folder cannot be resolved (" + ec.message() + ")";
    auto inside = folder.begin();
    for (const fs::path& part : root) {
        if (inside == folder.end() || *inside != part) return "its folder leads outside save/ through a link";
        ++inside;
    }
    return "";
}

// The reason a write failed, or "" after the file has been replaced.
std::string writeReplacing(const Design& design, const fs::path& saveFolder, const fs::path& target,
                           const std::string& shown) {
    std::string problem = folderProblem(saveFolder, target);
    if (!problem.empty()) return problem;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec) {
        return "the folder " + fs::path(shown).parent_path().string() + " cannot be created (" + ec.message() +
               ")";
    }
    if (fs::is_directory(target, ec)) return "a folder of that name is in the way";

    // The whole file is written under a short temporary name and then renamed over the
    // old one, so a failed save leaves the old file as it was.
    const std::string bytes = encodeDesign(design);
    const fs::path temporary = target.parent_path() / saveTemporaryName();
    problem = writeNewFile(temporary, bytes);
    if (!problem.empty()) return problem;
    fs::rename(temporary, target, ec);
    if (ec) {
        removeQuietly(temporary);
        return "the new file cannot replace the old one (" + ec.message() + ")";
    }
    return "";
}

}  // namespace

void ignoreFileSizeSignal() {
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
}

std::string shownDesignPath(const std::string& name) { return "save/" + name + ".velmar"; }

std::string saveTemporaryName() { return ".tremora-save-" + std::to_string(::getpid()) + ".tmp"; }

std::string designNameProblem(const std::string& name) {
    if (name.find('\0') != std::string::npos) return "the name contains a zero byte";
    if (!name.empty() && name.front() == '/') return "the name is an absolute path; files stay inside save/";
    std::size_t begin = 0;
    while (begin <= name.size()) {
        std::size_t end = name.find('/', begin);
        if (end == std::string::npos) end = name.size();
        if (name.compare(begin, end - begin, "..") == 0) {
            return "the name holds a \"..\" component; files stay inside save/";
        }
        begin = end + 1;
    }
    return "";
}

std::string encodeDesign(const Design& design) {
    std::ostringstream stream(std::ios::binary);
    {
        cereal::BinaryOutputArchive archive(stream);
        archive(design);
    }
    return stream.str();
}

bool decodeDesign(const std::string& bytes, Design& out, std::string& reason) {
    reason = layoutProblem(bytes);
    if (!reason.empty()) return false;
    Design design;
    try {
        ViewBuffer buffer(bytes);
        std::istream stream(&buffer);
        cereal::BinaryInputArchive archive(stream);
        archive(design);
    } catch (const std::exception& e) {
        reason = e.what();
        return false;
    }
    out = std::move(design);
    return true;
}

FileResult saveToFile(const Design& design, const std::string& baseDir) {
    const std::string shown = shownDesignPath(design.name);
    std::string problem = designNameProblem(design.name);
    if (problem.empty()) {
        ignoreFileSizeSignal();
        try {
            problem = writeReplacing(design, fs::path(baseDir) / "save", filePath(baseDir, design.name), shown);
        } catch (const std::bad_alloc&) {
            problem = "not enough memory";
        } catch (const std::exception& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) return {false, "Could not save " + shown + ": " + problem};
    return {true, "File saved to " + shown};
}

std::optional<std::uint64_t> storedLineCount(const std::string& name, const std::string& baseDir) {
    if (!designNameProblem(name).empty()) return std::nullopt;
    const fs::path path = filePath(baseDir, name);
    std::string head;
    if (!readWholeFile(path, fs::path(baseDir) / "save", MAX_DESIGN_FILE_BYTES, "a design file", head, 8).empty() ||
        head.size() < 8) {
        return std::nullopt;
    }
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    const std::uint64_t count = readU64(head, 0);
    if (ec || size < EMPTY_DESIGN_BYTES || count > (size - EMPTY_DESIGN_BYTES) / LINE_BYTES) return std::nullopt;
    return count;
}

FileResult readDesignFile(const std::string& name, Design& out, const std::string& baseDir) {
    const std::string shown = shownDesignPath(name);
    std::string problem = designNameProblem(name);
    if (problem.empty()) {
        try {
            std::string bytes;
            problem = readWholeFile(filePath(baseDir, name), fs::path(baseDir) / "save", MAX_DESIGN_FILE_BYTES,
                                    "a design file", bytes);
            if (problem.empty()) decodeDesign(bytes, out, problem);
        } catch (const std::bad_alloc&) {
            problem = "not enough memory";
        } catch (const std::exception& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) return {false, "Could not load " + shown + ": " + problem};
    return {true, "Data loaded at " + shown};
}

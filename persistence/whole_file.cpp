#include "persistence/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

std::string describeErrno(const std::string& what) {
    const int code = errno;
    if (code == 0) return what;
    return what + " (" + std::strerror(code) + ")";
}

std::string readWholeFile(const fs::path& path, const fs::path& folder, std::uintmax_t maxBytes,
                          const std::string& kind, std::string& bytes) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        if (!fs::is_directory(folder, ec)) return "there is no " + folder.filename().string() + " folder";
        return "the file does not exist";
    }
    if (fs::is_directory(status)) return "it is a folder, not a file";
    if (!fs::is_regular_file(status)) return "it is not a regular file";

    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return "its size cannot be read (" + ec.message() + ")";
    if (size > maxBytes) {
        return "the file is too large (" + std::to_string(size) + " bytes; " + kind + " holds at most " +
               std::to_string(maxBytes) + ")";
    }

    errno = 0;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return describeErrno("it cannot be opened");
    bytes.assign(static_cast<std::size_t>(size), '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(size));
    // A file that shrank since its size was taken is judged by what could be read.
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    if (stream.bad()) return "reading the file failed";
    return "";
}

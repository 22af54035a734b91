#include "persistence/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string tooLarge(std::uintmax_t size, std::uintmax_t maxBytes, const std::string& kind) {
    return "the file is too large (" + std::to_string(size) + " bytes; " + kind + " holds at most " +
           std::to_string(maxBytes) + ")";
}

// The whole of an open file, judged by what fstat says of it.
std::string readOpenFile(int fd, std::uintmax_t maxBytes, const std::string& kind, std::string& bytes,
                         std::size_t firstBytes) {
    struct stat info {};
    errno = 0;
    if (::fstat(fd, &info) != 0) return describeErrno("its size cannot be read");
    if (S_ISDIR(info.st_mode)) return "it is a folder, not a file";
    if (!S_ISREG(info.st_mode)) return "it is not a regular file (a device, a FIFO or a socket)";
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > maxBytes) return tooLarge(size, maxBytes, kind);

    bytes.assign(std::min(static_cast<std::size_t>(size), firstBytes), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;  // the file shrank since its size was taken: judged by what could be read
        } else if (errno != EINTR) {
            return describeErrno("reading the file failed");
        }
    }
    bytes.resize(done);
    return "";
}

}  // namespace

std::string describeErrno(const std::string& what) {
    const int code = errno;
    if (code == 0) return what;
    return what + " (" + std::strerror(code) + ")";
}

std::string readRegularFile(const fs::path& path, std::uintmax_t maxBytes, const std::string& kind,
                            std::string& bytes, std::size_t firstBytes) {
    // The name is looked at first, so a device is not even opened; the open file is then
    // judged again, in case the name was replaced meanwhile.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return "the file does not exist";
    if (fs::is_directory(status)) return "it is a folder, not a file";
    if (!fs::is_regular_file(status)) return "it is not a regular file (a device, a FIFO or a socket)";

    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return describeErrno("it cannot be opened");
    const std::string problem = readOpenFile(fd, maxBytes, kind, bytes, firstBytes);
    ::close(fd);
    return problem;
}

std::string readWholeFile(const fs::path& path, const fs::path& folder, std::uintmax_t maxBytes,
                          const std::string& kind, std::string& bytes, std::size_t firstBytes) {
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec)) && !fs::is_directory(folder, ec)) {
        return "there is no " + folder.filename().string() + " folder";
    }
    return readRegularFile(path, maxBytes, kind, bytes, firstBytes);
}

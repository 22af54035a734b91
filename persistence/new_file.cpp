#include "persistence/new_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "persistence/whole_file.h"

namespace fs = std::filesystem;

void removeQuietly(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

std::string writeNewFile(const fs::path& path, const std::string& bytes) {
    errno = 0;
    // Whatever already has that name (a file, a link, a FIFO, a folder) is never opened, so
    // it can neither be written through nor block the save.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        return "a temporary file cannot be created beside it: " + path.filename().string() + " is in the way";
    }
    if (fd < 0) return describeErrno("a temporary file cannot be created beside it");
    std::string problem;
    std::size_t done = 0;
    while (done < bytes.size() && problem.empty()) {
        errno = 0;
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            problem = describeErrno("writing the file failed after " + std::to_string(done) + " of " +
                                    std::to_string(bytes.size()) + " bytes");
        }
    }
    errno = 0;
    if (::close(fd) != 0 && problem.empty()) problem = describeErrno("writing the file failed");
    if (!problem.empty()) removeQuietly(path);
    return problem;
}

// The POSIX side of files/ReplaceFile.h: the same promises as on Windows, with no limit on the
// length of a path.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "files/ReplaceFile.h"

namespace {

// Writes everything, retrying short writes, and closes the file: a failed close loses data too.
bool WriteAndClose(int file, const std::vector<unsigned char>& bytes, bool writeThrough) {
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = write(file, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        written = count > 0;
        if (written) done += static_cast<size_t>(count);
    }
    if (written && writeThrough) written = fsync(file) == 0;
    const bool closed = close(file) == 0;
    return written && closed;
}

}  // namespace

ReplaceResult ReplaceFileWith(const std::string& path, const std::vector<unsigned char>& bytes, const ReplaceWay& way) {
    // Where no file stands yet there is nothing to lose: the target itself is written.
    const int created = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (created >= 0) {
        if (WriteAndClose(created, bytes, way.writeThrough)) return ReplaceResult::Replaced;
        unlink(path.c_str());
        return ReplaceResult::CannotWrite;
    }
    if (errno != EEXIST) return ReplaceResult::CannotCreate;

    // A folder of that name cannot be replaced; a replaced file keeps its permissions.
    struct stat target {};
    if (stat(path.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) return ReplaceResult::CannotReplace;
    const size_t separator = path.find_last_of('/');
    std::string temporary =
        (separator == std::string::npos ? std::string() : path.substr(0, separator + 1)) + ".glyphdock-XXXXXX";
    const int file = mkstemp(temporary.data());
    if (file < 0) return ReplaceResult::CannotCreate;
    fchmod(file, target.st_mode & 07777);
    ReplaceResult result =
        WriteAndClose(file, bytes, way.writeThrough) ? ReplaceResult::Replaced : ReplaceResult::CannotWrite;
    if (result == ReplaceResult::Replaced && rename(temporary.c_str(), path.c_str()) != 0)
        result = ReplaceResult::CannotReplace;
    if (result != ReplaceResult::Replaced) unlink(temporary.c_str());
    return result;
}

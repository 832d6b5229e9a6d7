#include "RunLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Exceptions.h"

namespace {

const char* const kLockFile = "pha.lock";

std::string workingDirectory() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

}  // namespace

const char* runLockFileName() { return kLockFile; }

RunLock::RunLock() : fd_(open(kLockFile, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666)) {
    if (fd_ < 0) {
        std::string message = " > ERROR! The lock file '" + std::string(kLockFile) + "' in the directory '" +
                              workingDirectory() + "' cannot be created: " + std::strerror(errno) + ".";
        throw GeneralException(message.c_str());
    }
    // A pipe or device put there would hold no lock that the next run sees.
    struct stat info;
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd_);
        fd_ = -1;
        std::string message = " > ERROR! The lock file '" + std::string(kLockFile) + "' in the directory '" +
                              workingDirectory() + "' is not a regular file; remove it and run again.";
        throw GeneralException(message.c_str());
    }
    int result;
    while ((result = flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        int e = errno;
        close(fd_);
        fd_ = -1;
        std::string message =
            e == EWOULDBLOCK
                ? " > ERROR! Another run of pha is working in the directory '" + workingDirectory() +
                      "' (it holds '" + kLockFile + "'). Two runs in one directory would overwrite each other's "
                      "files; wait for it to end or run in another directory."
                : " > ERROR! The lock file '" + std::string(kLockFile) + "' in the directory '" +
                      workingDirectory() + "' cannot be locked: " + std::strerror(e) + ".";
        throw GeneralException(message.c_str());
    }
}

RunLock::~RunLock() {
    if (fd_ >= 0) close(fd_);
}

#include "InputFiles.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

std::string regularInputFile(const std::string& name, long long maxBytes) {
    struct stat info;
    if (name.empty()) return "is not a file name";
    if (stat(name.c_str(), &info) != 0) {
        if (errno == ENOENT) return "does not exist";
        return std::string("cannot be read: ") + std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) return "is a directory, not a file";
    if (!S_ISREG(info.st_mode)) return "is not a regular file (a device or a pipe is not read)";
    if (maxBytes >= 0 && info.st_size > maxBytes)
        return "has " + std::to_string(info.st_size) + " bytes, more than the " + std::to_string(maxBytes) +
               " such a file may have";
    return "";
}

#include "PreviousRecords.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "Exceptions.h"

namespace {

bool exists(const std::string& name) {
    struct stat info;
    return lstat(name.c_str(), &info) == 0;
}

}  // namespace

std::string numberedName(const std::string& name, int number) {
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0 && (slash == std::string::npos || dot > slash + 1);
    if (!hasExtension) return name + "." + std::to_string(number);
    return name.substr(0, dot) + "." + std::to_string(number) + name.substr(dot);
}

std::string keepPreviousRecord(const std::string& name) {
    if (!exists(name)) return "";
    for (int n = 1;; n++) {
        const std::string kept = numberedName(name, n);
        if (exists(kept)) continue;
        if (std::rename(name.c_str(), kept.c_str()) != 0)
            throw GeneralException((" > ERROR! The earlier run's '" + name + "' cannot be kept as '" + kept +
                                    "': " + std::strerror(errno) + ".")
                                       .c_str());
        return kept;
    }
}

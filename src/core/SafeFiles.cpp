#include "SafeFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "Exceptions.h"

namespace {

std::string cannotWrite(const std::string& name, int error) {
    return "The file '" + name + "' cannot be written: " + std::strerror(error) + ".";
}

// The errno of a failed write is gone by the time the stream is checked, so a
// stream in error without a fresh cause is reported as an input/output error.
int causeOf(int error) { return error != 0 ? error : EIO; }

}  // namespace

FILE* openForWriting(const std::string& name, std::string& error) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        int e = errno;
        if (e == ELOOP) {
            error = "The file '" + name + "' is a symbolic link; it is not written through a link.";
        } else {
            error = "The file '" + name + "' cannot be created: " + std::strerror(e) + ".";
        }
        return nullptr;
    }
    FILE* file = fdopen(fd, "w");
    if (file == nullptr) {
        error = "The file '" + name + "' cannot be created: " + std::strerror(errno) + ".";
        close(fd);
    }
    return file;
}

bool flushChecked(FILE* file, const std::string& name, std::string& error) {
    if (file == nullptr) return true;
    errno = 0;
    if (std::fflush(file) != 0) {
        error = cannotWrite(name, causeOf(errno));
        return false;
    }
    if (std::ferror(file)) {
        error = cannotWrite(name, EIO);
        return false;
    }
    return true;
}

bool closeChecked(FILE* file, const std::string& name, std::string& error) {
    if (file == nullptr) return true;
    bool written = flushChecked(file, name, error);
    errno = 0;
    if (std::fclose(file) != 0 && written) {
        error = cannotWrite(name, causeOf(errno));
        written = false;
    }
    return written;
}

bool writeWholeFile(const std::string& name, const std::string& text, std::string& error) {
    FILE* file = openForWriting(name, error);
    if (file == nullptr) return false;
    std::fwrite(text.data(), 1, text.size(), file);
    return closeChecked(file, name, error);
}

CheckedOutput::CheckedOutput(const std::string& name) : file_(nullptr), name_(name) {
    std::string error;
    file_ = openForWriting(name, error);
    if (file_ == nullptr) throw GeneralException((" > ERROR! " + error).c_str());
}

CheckedOutput::~CheckedOutput() {
    if (file_ != nullptr) std::fclose(file_);
}

void CheckedOutput::flush() {
    std::string error;
    if (!flushChecked(file_, name_, error)) throw GeneralException((" > ERROR! " + error).c_str());
}

void CheckedOutput::close() {
    std::string error;
    FILE* file = file_;
    file_ = nullptr;
    if (!closeChecked(file, name_, error)) throw GeneralException((" > ERROR! " + error).c_str());
}

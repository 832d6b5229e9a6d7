#include "SafeFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <fcntl.h>
#include <map>
#include <utility>
#include <unistd.h>

#include "Exceptions.h"

namespace {

std::string cannotWrite(const std::string& name, int error) {
    return "The file '" + name + "' cannot be written: " + std::strerror(error) + ".";
}

// The errno of a failed write is gone by the time the stream is checked, so a
// stream in error without a fresh cause is reported as an input/output error.
int causeOf(int error) { return error != 0 ? error : EIO; }

// "" when `name` does not exist or is a regular file (not a link); else the refusal.
std::string notRegular(const std::string& name) {
    struct stat info;
    if (lstat(name.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return "";
    if (S_ISLNK(info.st_mode)) return "The file '" + name + "' is a symbolic link; it is not written through a link.";
    return "The file '" + name + "' exists and is not a regular file (" +
           (S_ISDIR(info.st_mode) ? "a directory" : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? "a device"
                                                  : S_ISFIFO(info.st_mode) ? "a pipe" : "a special file") +
           "); pha writes only regular files and does not replace it.";
}

bool writeAllTo(int fd, const std::string& text, int& cause) {
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            cause = n < 0 ? errno : ENOSPC;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// Where a file is or would be: its directory's real path and its own name.
std::string placeOf(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    char* real = realpath(dir.c_str(), nullptr);
    if (real == nullptr) return name;
    std::string place = std::string(real) + "/" + base;
    std::free(real);
    return place;
}

struct Identity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string place;
};

Identity identityOf(const std::string& name) {
    Identity id;
    struct stat info;
    if (stat(name.c_str(), &info) == 0) {
        id.exists = true;
        id.device = info.st_dev;
        id.inode = info.st_ino;
    }
    id.place = placeOf(name);
    return id;
}

bool sameFile(const Identity& a, const Identity& b) {
    if (a.exists && b.exists) return a.device == b.device && a.inode == b.inode;
    return a.place == b.place;
}

}  // namespace

bool replaceWholeFile(const std::string& name, const std::string& text, std::string& error) {
    error = notRegular(name);
    if (!error.empty()) return false;
    const std::string temporary = name + ".part";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        // Left by a run that was stopped while writing; removing a link there removes only the link.
        struct stat info;
        if (lstat(temporary.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
            unlink(temporary.c_str());
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    if (fd < 0) {
        error = "The temporary file '" + temporary + "' cannot be created: " + std::strerror(errno) + ".";
        return false;
    }
    int cause = 0;
    bool written = writeAllTo(fd, text, cause);
    if (close(fd) != 0 && written) {
        cause = causeOf(errno);
        written = false;
    }
    if (written && rename(temporary.c_str(), name.c_str()) != 0) {
        cause = errno;
        written = false;
    }
    if (!written) {
        unlink(temporary.c_str());
        error = cannotWrite(name, cause) + (cause == ENOSPC ? " The disk is full; the file is left as it was." : "");
    }
    return written;
}

void markStale(const std::string& name) {
    // No O_CREAT: nothing is created; non-blocking, so that a pipe there cannot hold the open.
    int fd = open(name.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT) unlink(name.c_str());
        return;
    }
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool marked = regular && (info.st_size == 0 || pwrite(fd, "", 1, 0) == 1);
    close(fd);
    if (!marked) unlink(name.c_str());
}

bool isFresh(const std::string& name) {
    int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    char first = '\0';
    const bool fresh = read(fd, &first, 1) == 1 && first != '\0';
    close(fd);
    return fresh;
}

bool overwriteWholeFile(const std::string& name, const std::string& text, std::string& error) {
    FILE* file = openForWriting(name, error, false, false);
    if (file == nullptr) return false;
    const int fd = fileno(file);
    int cause = 0;
    struct stat info;
    bool written = writeAllTo(fd, text, cause);
    if (written && fstat(fd, &info) == 0 && info.st_size > static_cast<off_t>(text.size()) &&
        ftruncate(fd, static_cast<off_t>(text.size())) != 0) {
        cause = errno;
        written = false;
    }
    if (std::fclose(file) != 0 && written) {
        cause = causeOf(errno);
        written = false;
    }
    if (!written) error = cannotWrite(name, cause);
    return written;
}

std::string outputConflict(const std::vector<RunFile>& outputs, const std::vector<RunFile>& inputs) {
    std::vector<Identity> read;
    for (const RunFile& in : inputs) read.push_back(identityOf(in.name));
    // The outputs so far by place and by file, so that thousands of scenario files are checked in n log n.
    std::map<std::string, size_t> byPlace;
    std::map<std::pair<dev_t, ino_t>, size_t> byFile;
    for (size_t k = 0; k < outputs.size(); k++) {
        const RunFile& out = outputs[k];
        std::string refusal = notRegular(out.name);
        if (!refusal.empty()) return refusal.substr(0, refusal.size() - 1) + " (" + out.role + ").";
        const Identity id = identityOf(out.name);
        for (size_t i = 0; i < inputs.size(); i++)
            if (sameFile(id, read[i]))
                return "The file '" + out.name + "' (" + out.role + ") is " + inputs[i].role + " '" +
                       inputs[i].name + "'; a run never writes over its own input.";
        auto place = byPlace.find(id.place);
        auto file = id.exists ? byFile.find({id.device, id.inode}) : byFile.end();
        if (place != byPlace.end() || file != byFile.end()) {
            const RunFile& other = outputs[place != byPlace.end() ? place->second : file->second];
            return "The file '" + out.name + "' (" + out.role + ") is also " + other.role + " '" + other.name +
                   "'; give it another name.";
        }
        byPlace.emplace(id.place, k);
        if (id.exists) byFile.emplace(std::make_pair(id.device, id.inode), k);
    }
    return "";
}

FILE* openForWriting(const std::string& name, std::string& error, bool append, bool empty) {
    error = notRegular(name);
    if (!error.empty()) return nullptr;
    // Non-blocking, so that a pipe put there meanwhile cannot hold the open; checked again once open.
    // An existing file is opened without O_CREAT, which would take the folder's lock for itself.
    const int flags = O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (append ? O_APPEND : 0);
    int fd = open(name.c_str(), flags);
    if (fd < 0 && errno == ENOENT) fd = open(name.c_str(), flags | O_CREAT, 0666);
    if (fd < 0) {
        int e = errno;
        if (e == ELOOP) {
            error = "The file '" + name + "' is a symbolic link; it is not written through a link.";
        } else {
            error = "The file '" + name + "' cannot be created: " + std::strerror(e) + ".";
        }
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        error = "The file '" + name + "' is not a regular file; pha writes only regular files.";
        return nullptr;
    }
    if ((!append && empty && ftruncate(fd, 0) != 0) || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = "The file '" + name + "' cannot be created: " + std::strerror(errno) + ".";
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, append ? "a" : "w");
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

CheckedOutput::CheckedOutput(const std::string& name, bool append) : file_(nullptr), name_(name) {
    std::string error;
    file_ = openForWriting(name, error, append);
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

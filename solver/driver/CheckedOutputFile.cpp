#include "CheckedOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace gamsub {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

CheckedFileBuffer::CheckedFileBuffer() : buffer_(kBufferSize) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

CheckedFileBuffer::~CheckedFileBuffer() { close(); }

bool CheckedFileBuffer::open(const std::string& path) {
    close();
    errorCode_ = 0;
    // No O_TRUNC: an existing file is written over in place and cut to length on close. Emptying it
    // first would free its blocks and have the file system write it out at once on close, which costs
    // more than the solve when a worker writes one listing after another.
    // An existing file is opened without O_CREAT, which would take the folder's lock for itself.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) fail(errno);
    written_ = 0;
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return fd_ >= 0;
}

void CheckedFileBuffer::fail(int code) {
    if (errorCode_ == 0) errorCode_ = code != 0 ? code : EIO;
}

bool CheckedFileBuffer::drain() {
    const char* next = pbase();
    const char* end = pptr();
    while (next < end && fd_ >= 0 && !failed()) {
        ssize_t written = ::write(fd_, next, static_cast<size_t>(end - next));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            fail(errno);
            break;
        }
        next += written;
        written_ += static_cast<off_t>(written);
    }
    // What could not be written is dropped: the run reports the failure.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !failed() && fd_ >= 0;
}

CheckedFileBuffer::int_type CheckedFileBuffer::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedFileBuffer::sync() { return drain() ? 0 : -1; }

bool CheckedFileBuffer::close() {
    if (fd_ < 0) return !failed();
    drain();
    struct stat info;
    if (!failed() && fstat(fd_, &info) == 0 && info.st_size > written_ && ftruncate(fd_, written_) != 0) fail(errno);
    if (::close(fd_) != 0) fail(errno);
    fd_ = -1;
    return !failed();
}

std::string CheckedFileBuffer::error() const { return errorCode_ != 0 ? std::strerror(errorCode_) : ""; }

}  // namespace gamsub

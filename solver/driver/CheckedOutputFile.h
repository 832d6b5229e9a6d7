// An output file that remembers why a write failed (a full disk, /dev/full,
// a closed pipe), so that the run can end with a file error that says why.
#ifndef GAMSUB_CHECKEDOUTPUTFILE_H
#define GAMSUB_CHECKEDOUTPUTFILE_H

#include <ostream>
#include <sys/types.h>
#include <streambuf>
#include <string>
#include <vector>

namespace gamsub {

class CheckedFileBuffer : public std::streambuf {
public:
    CheckedFileBuffer();
    ~CheckedFileBuffer() override;
    CheckedFileBuffer(const CheckedFileBuffer&) = delete;
    CheckedFileBuffer& operator=(const CheckedFileBuffer&) = delete;

    // Creates `path`, or writes an existing one over from its start (what is
    // left of the old text beyond the new is cut off on close); false (with
    // error() set) when it cannot be opened.
    bool open(const std::string& path);
    // Writes what is buffered and closes; false when anything was lost.
    bool close();
    bool failed() const { return errorCode_ != 0; }
    // The system's text for the first failure ("No space left on device").
    std::string error() const;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();
    void fail(int code);

    int fd_ = -1;
    int errorCode_ = 0;
    off_t written_ = 0;  // bytes written since open
    std::vector<char> buffer_;
};

// An ostream over a CheckedFileBuffer.
class CheckedOutputFile : public std::ostream {
public:
    CheckedOutputFile() : std::ostream(&buffer_) {}
    bool open(const std::string& path) { return buffer_.open(path); }
    bool close() {
        flush();
        return buffer_.close();
    }
    bool failed() const { return buffer_.failed(); }
    std::string error() const { return buffer_.error(); }

private:
    CheckedFileBuffer buffer_;
};

}  // namespace gamsub

#endif

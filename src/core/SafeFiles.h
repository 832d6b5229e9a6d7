// Writing the files a user keeps or a reader trusts: never through a symbolic
// link, and never a failed write that passes for a saved file.
#ifndef PHA_SAFEFILES_H
#define PHA_SAFEFILES_H

#include <cstdio>
#include <string>

// Creates or truncates `name` for writing. A symbolic link there is refused
// (a dangling one too, so nothing is created outside the directory). On
// failure: null, and `error` names the file and the cause.
FILE* openForWriting(const std::string& name, std::string& error);

// Flushes `file` and checks that every write so far succeeded. On failure:
// false, and `error` names the file and the cause ("No space left on device").
bool flushChecked(FILE* file, const std::string& name, std::string& error);

// flushChecked, then fclose; the stream is closed in every case. Null is fine.
bool closeChecked(FILE* file, const std::string& name, std::string& error);

// The whole text into `name` (openForWriting, write, close, all checked).
bool writeWholeFile(const std::string& name, const std::string& text, std::string& error);

// A FILE that owns its stream and reports every failure as GeneralException
// (" > ERROR! ..." naming the file and the cause).
class CheckedOutput {
public:
    explicit CheckedOutput(const std::string& name);  // throws when it cannot be created
    ~CheckedOutput();                                  // closes without a check: call close() to know
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    FILE* stream() const { return file_; }
    const std::string& name() const { return name_; }
    void flush();  // throws when a write so far failed
    void close();  // throws when a write or the close failed

private:
    FILE* file_;
    std::string name_;
};

#endif

// Writing the files a user keeps or a reader trusts: never through a symbolic
// link, and never a failed write that passes for a saved file.
#ifndef PHA_SAFEFILES_H
#define PHA_SAFEFILES_H

#include <cstdio>
#include <string>
#include <vector>

// Creates or truncates `name` for writing. A symbolic link there is refused
// (a dangling one too, so nothing is created outside the directory), and so is
// anything else that is not a regular file (a device, a pipe). On failure:
// null, and `error` names the file and the cause.
// With `append`, the file is kept and written at its end.
FILE* openForWriting(const std::string& name, std::string& error, bool append = false);

// Writes `text` as the whole of `name`, so that a reader never sees half of
// it: into "<name>.part", created exclusively and never through a link (a
// leftover of a stopped run is removed first), then renamed over `name`. A
// `name` that exists but is not a regular file (a device, a link, a
// directory) is refused. On failure, a full disk among them, the temporary is
// removed, `name` is left as it was, and `error` names the file and the cause.
bool replaceWholeFile(const std::string& name, const std::string& text, std::string& error);

// Readies `name` to be written anew without touching its folder's entries (a
// file removed and created again in every round makes the folder's lock the
// busiest place of a run): an existing regular file is emptied in place; a
// link or anything else there is removed, so nobody writes through it.
void emptyInPlace(const std::string& name);

// True when `name` exists and holds at least one byte.
bool hasContent(const std::string& name);

// A file a run reads or writes, with what it is for messages ("--json").
struct RunFile {
    std::string role;
    std::string name;
};

// Checked before a run writes anything: "" when every output either does not
// exist yet or is a regular file, and none is one of the inputs or another
// output (the same file under another name included); else the message.
std::string outputConflict(const std::vector<RunFile>& outputs, const std::vector<RunFile>& inputs);

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
    explicit CheckedOutput(const std::string& name, bool append = false);  // throws when it cannot be created
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

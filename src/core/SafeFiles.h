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
// With `append`, the file is kept and written at its end; without `empty`
// (and without `append`), it is kept and written over from its start.
FILE* openForWriting(const std::string& name, std::string& error, bool append = false, bool empty = true);

// Writes `text` as the whole of `name`, so that a reader never sees half of
// it: into "<name>.part", created exclusively and never through a link (a
// leftover of a stopped run is removed first), then renamed over `name`. A
// `name` that exists but is not a regular file (a device, a link, a
// directory) is refused. On failure, a full disk among them, the temporary is
// removed, `name` is left as it was, and `error` names the file and the cause.
bool replaceWholeFile(const std::string& name, const std::string& text, std::string& error);

// Files written anew in every round are written over in place: removing and
// creating them again, or emptying them first, makes the folder's lock and
// the file system's journal the busiest places of a run with many scenarios.

// Marks the file `name` as left from an earlier round, in place: a NUL as its
// first byte, which no text file a solve writes starts with; a solve that
// writes the file writes over the mark. A link or anything else that is not
// a regular file there is removed, so nobody writes through it.
void markStale(const std::string& name);

// True when `name` exists, holds at least one byte and is not marked stale.
bool isFresh(const std::string& name);

// Writes `text` as the whole of `name` over the old text in place (cut to
// length after), or into a new file. Refuses a link or anything else that is
// not a regular file, as openForWriting does. On failure: false, and `error`
// names the file and the cause.
bool overwriteWholeFile(const std::string& name, const std::string& text, std::string& error);

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

// Starting a program without a shell and waiting for it: the arguments reach
// the program exactly as given, whatever blanks or shell characters they hold.
#ifndef PHA_LAUNCH_H
#define PHA_LAUNCH_H

#include <string>
#include <vector>

struct LaunchResult {
    bool started;      // false when the program could not be executed at all
    int startError;    // errno of the failed start
    bool exited;       // ended normally (not by a signal)
    int exitStatus;    // the status it returned when it exited
    int signal;        // the signal that ended it otherwise

    bool succeeded() const { return started && exited && exitStatus == 0; }
    // "exit status 2", "killed by signal 9", "could not be started: ..."
    std::string describe() const;
};

// Runs argv[0] (searched on the PATH when it holds no slash) with the given
// arguments, in `workDir` when that is not empty, with its standard input
// from /dev/null, and waits for it to end. The program runs as a child
// process that cannot outlive this one (see ChildProcess.h).
LaunchResult runAndWait(const std::vector<std::string>& argv, const std::string& workDir = "");

// The argument vector as one readable line; arguments with blanks or shell
// characters are shown in single quotes.
std::string commandLine(const std::vector<std::string>& argv);

// The text with every trailing line feed and carriage return removed.
std::string withoutTrailingLineBreaks(const std::string& text);

#endif

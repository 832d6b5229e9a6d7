// The shared pieces that keep a run sound: child processes that end with pha,
// files never written through links and never silently short, the lock of
// the working directory, and the done-file record of a solve.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "Exceptions.h"
#include "RunLock.h"
#include "SafeFiles.h"
#include "ScratchDirectory.h"
#include "SolveOutcome.h"

namespace {

bool alive(pid_t pid) { return kill(pid, 0) == 0; }

pid_t pidIn(const std::string& file) {
    std::string text = readFile(file);
    return text.empty() ? -1 : static_cast<pid_t>(std::stol(text));
}

// Waits up to five seconds for `file` to be written by a child.
bool appears(const std::string& file) {
    for (int i = 0; i < 250 && readFile(file).empty(); i++) usleep(20 * 1000);
    return !readFile(file).empty();
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const GeneralException& e) {
        return e.message;
    }
    return "";
}

class Robustness : public ::testing::Test {
protected:
    ScratchDirectory scratch{"robustness"};
    std::string here = scratch.path().string();
};
using RobustnessDeathTest = Robustness;

// A shell that leaves a grandchild in its group and tells its pid.
const std::vector<std::string> kShellWithGrandchild = {"sh", "-c", "sleep 100 & echo $! > grandchild; wait"};

}  // namespace

TEST_F(Robustness, ChildProcessesEndWithTheirWholeGroup) {
    LaunchResult failure;
    ChildProcess child = startChild(kShellWithGrandchild, here, false, false, failure);
    ASSERT_GT(child.pid, 0);
    ASSERT_TRUE(appears("grandchild"));
    pid_t grandchild = pidIn("grandchild");
    LaunchResult result;
    EXPECT_FALSE(pollChild(child, result));
    stopChild(child, 2.0);
    EXPECT_EQ(child.pid, -1);
    usleep(100 * 1000);
    EXPECT_FALSE(alive(grandchild));

    // Pipes both ways; the end is reported by the poll.
    ChildProcess cat = startChild({"cat"}, "", true, true, failure);
    ASSERT_GT(cat.pid, 0);
    ASSERT_EQ(write(cat.inFd, "ping\n", 5), 5);
    close(cat.inFd);
    char buffer[16] = {};
    EXPECT_EQ(read(cat.outFd, buffer, sizeof buffer), 5);
    close(cat.outFd);
    EXPECT_STREQ(buffer, "ping\n");
    while (!pollChild(cat, result)) usleep(10 * 1000);
    EXPECT_TRUE(result.succeeded());

    ChildProcess missing = startChild({"/no/such/program"}, "", false, false, failure);
    EXPECT_EQ(missing.pid, -1);
    EXPECT_EQ(failure.describe(), "could not be started: No such file or directory");
}

TEST_F(RobustnessDeathTest, AnInterruptionEndsEveryChildAndExitsWith128PlusTheSignal) {
    EXPECT_EXIT(
        {
            dup2(2, 1);
            LaunchResult failure;
            startChild(kShellWithGrandchild, here, false, false, failure);
            if (!appears("grandchild")) _exit(99);
            raise(SIGTERM);
        },
        testing::ExitedWithCode(128 + SIGTERM), "was interrupted by signal 15 \\(SIGTERM\\); its child processes "
                                                "have been stopped\\.");
    pid_t grandchild = pidIn("grandchild");
    ASSERT_GT(grandchild, 0);
    EXPECT_FALSE(alive(grandchild));
}

TEST_F(Robustness, FilesAreNeverWrittenThroughLinksNorSilentlyShort) {
    writeFile("outside", "keep\n");
    ASSERT_EQ(symlink((here + "/outside").c_str(), "linked"), 0);
    ASSERT_EQ(symlink((here + "/created").c_str(), "dangling"), 0);
    std::string error;
    for (const char* name : {"linked", "dangling"}) {
        EXPECT_EQ(openForWriting(name, error), nullptr);
        EXPECT_EQ(error, "The file '" + std::string(name) + "' is a symbolic link; it is not written through a link.");
    }
    EXPECT_EQ(readFile("outside"), "keep\n");
    EXPECT_FALSE(std::filesystem::exists("created"));
    EXPECT_EQ(messageOf([] { CheckedOutput out("linked"); }),
              " > ERROR! The file 'linked' is a symbolic link; it is not written through a link.");

    // A device that is always full: the write is buffered, the flush says why it failed.
    CheckedOutput full("/dev/full");
    std::fprintf(full.stream(), "Iteration 1:\n");
    EXPECT_EQ(messageOf([&] { full.flush(); }),
              " > ERROR! The file '/dev/full' cannot be written: No space left on device.");
    EXPECT_FALSE(writeWholeFile("/dev/full", "text", error));
    EXPECT_EQ(error, "The file '/dev/full' cannot be written: No space left on device.");
    EXPECT_TRUE(writeWholeFile("plain", "text", error));
    EXPECT_EQ(readFile("plain"), "text");
}

TEST_F(Robustness, OneRunLockPerDirectory) {
    {
        RunLock first;
        // flock conflicts between two opens of the file, also in one process.
        EXPECT_EQ(messageOf([] { RunLock second; }),
                  " > ERROR! Another run of pha is working in the directory '" + here +
                      "' (it holds 'pha.lock'). Two runs in one directory would overwrite each other's files; "
                      "wait for it to end or run in another directory.");
    }
    RunLock again;  // released with its holder
}

TEST_F(Robustness, FailedSolvesAreRefusedWithTheirCause) {
    std::string error;
    LaunchResult ok{true, 0, true, 0, 0}, killed{true, 0, false, -1, 9}, status2{true, 0, true, 2, 0};
    writeFile("scenario3.lst", "**** SOLVER STATUS     1 Normal Completion\n---- VAR x\n");
    std::string errors;
    for (int i = 1; i <= 25; i++) errors += "**** " + std::to_string(i) + " Unknown symbol\n";
    writeFile("scenario4.lst", errors);
    ASSERT_TRUE(writeDoneFile("", 1, outcomeOfSolve(ok, "scenario1.lst"), error));  // ok, but no listing
    writeFile("done2", "");                                                         // a worker that only marks
    ASSERT_TRUE(writeDoneFile(here, 3, outcomeOfSolve(killed, "scenario3.lst"), error));
    ASSERT_TRUE(writeDoneFile(here, 4, outcomeOfSolve(status2, "scenario4.lst"), error));
    EXPECT_EQ(readFile("done3"), "ended: killed by signal 9\nlisting: written\n"
                                 "line: **** SOLVER STATUS     1 Normal Completion\n");

    refuseFailedSolves({2});
    std::string message = messageOf([] { refuseFailedSolves({1, 2, 3, 4, 5}); });
    std::string expected =
        " > ERROR! The solve of scenario 1 did not end normally: GAMS ended normally but wrote no listing "
        "'scenario1.lst'.\n"
        " > ERROR! The solve of scenario 3 did not end normally: GAMS was killed by signal 9.\n"
        " >> The listing 'scenario3.lst' says:\n"
        " >> **** SOLVER STATUS     1 Normal Completion\n"
        " > ERROR! The solve of scenario 4 did not end normally: GAMS ended with exit status 2 (compilation error).\n"
        " >> The listing 'scenario4.lst' says:\n";
    for (int i = 1; i <= 20; i++) expected += " >> **** " + std::to_string(i) + " Unknown symbol\n";
    expected += " >> (and 5 more **** lines)\n > ERROR! The done file 'done5' of scenario 5 cannot be read.";
    EXPECT_EQ(message, expected);
}

// The shared pieces that keep a run sound: child processes that end with pha,
// files never written through links and never silently short, the lock of
// the working directory, and the done-file record of a solve.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>
#include <vector>
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

    // Devices and pipes are never opened for writing (--json /dev/null, a pipe named results.txt).
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    for (const char* name : {"/dev/null", "/dev/full", "pipe"}) {
        EXPECT_EQ(openForWriting(name, error), nullptr) << name;
        EXPECT_NE(error.find("exists and is not a regular file"), std::string::npos) << error;
        EXPECT_FALSE(replaceWholeFile(name, "text", error)) << name;
        EXPECT_NE(error.find("exists and is not a regular file"), std::string::npos) << error;
    }
    struct stat null;
    ASSERT_EQ(stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
    EXPECT_TRUE(writeWholeFile("plain", "text", error));
    EXPECT_EQ(readFile("plain"), "text");

    // The record's temporary: a link there is removed, never written through, and none is left.
    ASSERT_EQ(symlink((here + "/outside").c_str(), "rec.json.part"), 0);
    EXPECT_TRUE(replaceWholeFile("rec.json", "{}\n", error)) << error;
    EXPECT_EQ(readFile("rec.json"), "{}\n");
    EXPECT_EQ(readFile("outside"), "keep\n");
    EXPECT_FALSE(std::filesystem::exists("rec.json.part"));
    EXPECT_FALSE(replaceWholeFile("linked", "{}\n", error));
    EXPECT_EQ(readFile("outside"), "keep\n");
}

// A full disk, made with a small tmpfs (as root; skipped where mounting is not allowed).
TEST_F(Robustness, AFullDiskIsNamedAndLeavesNoTemporary) {
    ASSERT_EQ(mkdir("small", 0700), 0);
    if (mount("tmpfs", "small", "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "no tmpfs can be mounted here";
    std::string error;
    writeFile("small/rec.json", "old\n");
    EXPECT_FALSE(replaceWholeFile("small/rec.json", std::string(1 << 20, 'x'), error));
    EXPECT_EQ(error, "The file 'small/rec.json' cannot be written: No space left on device. The disk is full; the file "
                     "is left as it was.");
    EXPECT_EQ(readFile("small/rec.json"), "old\n");
    EXPECT_FALSE(std::filesystem::exists("small/rec.json.part"));
    // The buffered results file on the filled disk: the flush says why it failed.
    {
        FILE* filler = std::fopen("small/filler", "w");
        ASSERT_NE(filler, nullptr);
        while (std::fputc('x', filler) != EOF) {
        }
        std::fclose(filler);
        CheckedOutput results("small/results.txt");
        std::fputs("Iteration 1:\n", results.stream());
        EXPECT_EQ(messageOf([&] { results.flush(); }),
                  " > ERROR! The file 'small/results.txt' cannot be written: No space left on device.");
    }
    umount("small");
}

// Outputs checked before a run writes anything: not an input, not another output, not the lock.
TEST_F(Robustness, OutputsThatAreInputsOrOtherOutputsAreRefused) {
    writeFile("farmer-cost.gms", "* template\n");
    writeFile("scenarios.txt", "1 1\n");
    RunLock lock;
    const std::vector<RunFile> inputs = {{"the --template file", "farmer-cost.gms"}, {"the --scenarios file", "scenarios.txt"}};
    const auto conflict = [&inputs](const std::string& json) {
        return outputConflict({{"the lock of the run", "pha.lock"}, {"--json", json}, {"the results file", "results.txt"}},
                              inputs);
    };
    EXPECT_EQ(conflict("run.json"), "");
    EXPECT_EQ(conflict("farmer-cost.gms"), "The file 'farmer-cost.gms' (--json) is the --template file 'farmer-cost.gms'; "
                                           "a run never writes over its own input.");
    EXPECT_EQ(conflict("./scenarios.txt"), "The file './scenarios.txt' (--json) is the --scenarios file 'scenarios.txt'; "
                                           "a run never writes over its own input.");
    EXPECT_EQ(conflict("pha.lock"), "The file 'pha.lock' (--json) is also the lock of the run 'pha.lock'; give it another name.");
    EXPECT_EQ(conflict("results.txt"), "The file 'results.txt' (the results file) is also --json 'results.txt'; give it "
                                        "another name.");
    EXPECT_NE(conflict("/dev/null").find("'/dev/null' exists and is not a regular file (a device)"), std::string::npos);
    ASSERT_EQ(symlink("farmer-cost.gms", "alias.gms"), 0);
    EXPECT_NE(conflict("alias.gms").find("symbolic link"), std::string::npos);
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

// The shared pieces that keep a run sound: child processes that end with pha,
// files never written through links and never silently short, the lock of
// the working directory, the done-file record of a solve and the reports a
// serving rank sends instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>
#include <unistd.h>

#include "ChildProcess.h"
#include "RankReports.h"
#include "Exceptions.h"
#include "RunLock.h"
#include "SafeFiles.h"
#include "ScenarioClaims.h"
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

// Files rewritten in every round are written over in place; a stale mark keeps an old one from passing for
// a new one, and links are still never written through.
TEST_F(Robustness, FilesWrittenOverInPlaceKeepNothingOldAndFollowNoLink) {
    std::string error;
    writeFile("model.gms", std::string(3000, 'o') + "\nold tail\n");
    struct stat before;
    ASSERT_EQ(stat("model.gms", &before), 0);
    ASSERT_TRUE(overwriteWholeFile("model.gms", "short\n", error)) << error;
    EXPECT_EQ(readFile("model.gms"), "short\n");
    struct stat after;
    ASSERT_EQ(stat("model.gms", &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);  // the same file, not a new one
    ASSERT_TRUE(overwriteWholeFile("new.gms", "created\n", error)) << error;
    EXPECT_EQ(readFile("new.gms"), "created\n");

    writeFile("outside", "keep\n");
    ASSERT_EQ(symlink((here + "/outside").c_str(), "linked.gms"), 0);
    EXPECT_FALSE(overwriteWholeFile("linked.gms", "x", error));
    EXPECT_NE(error.find("symbolic link"), std::string::npos) << error;

    // Marked stale: not fresh until written again; a link is removed, its target untouched; nothing is created.
    writeFile("scenario1.sol", "x 1 2\n");
    EXPECT_TRUE(isFresh("scenario1.sol"));
    markStale("scenario1.sol");
    EXPECT_FALSE(isFresh("scenario1.sol"));
    EXPECT_EQ(readFile("scenario1.sol").size(), 6u);
    ASSERT_TRUE(overwriteWholeFile("scenario1.sol", "x 1 3\n", error)) << error;
    EXPECT_TRUE(isFresh("scenario1.sol"));
    ASSERT_EQ(symlink((here + "/outside").c_str(), "scenario2.sol"), 0);
    markStale("scenario2.sol");
    EXPECT_FALSE(std::filesystem::is_symlink("scenario2.sol"));
    EXPECT_EQ(readFile("outside"), "keep\n");
    markStale("scenario3.sol");
    EXPECT_FALSE(std::filesystem::exists("scenario3.sol"));
    writeFile("empty.sol", "");
    EXPECT_FALSE(isFresh("empty.sol"));

    // A listing the solve never wrote over is no listing: it is reported missing and removed.
    writeFile("scenario4.lst", "**** SOLVER STATUS     1 Normal Completion\n");
    clearListing("scenario4.lst");
    LaunchResult notStarted{false, 2, false, 0, 0};
    SolveOutcome outcome = outcomeOfSolve(notStarted, "scenario4.lst");
    EXPECT_FALSE(outcome.listingWritten);
    EXPECT_TRUE(outcome.listingLines.empty());
    EXPECT_FALSE(std::filesystem::exists("scenario4.lst"));
}

// The reports a rank sends on its pipe, read back whole however the pipe cuts them.
TEST_F(Robustness, ScenarioReportsSurviveThePipeInAnyPieces) {
    SolveOutcome failed;
    failed.recorded = true;
    failed.ended = "exit status 3";
    failed.meaning = "execution error";
    failed.listingWritten = true;
    failed.listingLines = {"**** Exec Error at line 7: division by zero (0)", "**** SOLVE from line 9 ABORTED"};
    const std::string text = formatScenarioReport(5, 0.25, SolveOutcome{}) + formatScenarioReport(7, 1.5, failed) +
                             formatScenarioReport(9, 0.125, SolveOutcome{});
    // Fed one byte at a time, then all at once: the same three reports.
    for (size_t piece : {size_t{1}, text.size()}) {
        ScenarioReportReader reader;
        std::vector<ScenarioReport> reports;
        ScenarioReport report;
        for (size_t at = 0; at < text.size(); at += piece) {
            reader.add(text.data() + at, std::min(piece, text.size() - at));
            while (reader.next(report)) reports.push_back(report);
        }
        ASSERT_EQ(reports.size(), 3u) << piece;
        EXPECT_TRUE(reader.empty());
        EXPECT_EQ(reports[0].scenario, 5);
        EXPECT_TRUE(reports[0].outcome.normal());
        EXPECT_EQ(reports[1].scenario, 7);
        EXPECT_DOUBLE_EQ(reports[1].seconds, 1.5);
        EXPECT_FALSE(reports[1].outcome.normal());
        EXPECT_EQ(formatSolveOutcome(reports[1].outcome), formatSolveOutcome(failed));
        EXPECT_EQ(reports[2].scenario, 9);
    }
    // The message of a failed report is the done file's.
    EXPECT_EQ(messageOf([&] { refuseFailedOutcomes({{7, failed}, {5, SolveOutcome{}}}); }),
              " > ERROR! The solve of scenario 7 did not end normally: GAMS ended with exit status 3 (execution "
              "error).\n >> The listing 'scenario7.lst' says:\n >> **** Exec Error at line 7: division by zero (0)\n"
              " >> **** SOLVE from line 9 ABORTED");

    // What is no report is refused, quoted.
    for (const std::string bad : {"done 1 0 0.5\n", "ok x 0.5\n", "ok 3\n", "ok 3 -1\n", "failed 3 0.5\n",
                                  "failed 3 0.5 1\nmeaning: none\n", "ok 0 0.5\n", "ok 3 0.5 extra\n"}) {
        ScenarioReportReader reader;
        reader.add(bad.data(), bad.size());
        ScenarioReport report;
        const std::string message = messageOf([&] { reader.next(report); });
        EXPECT_EQ(message.rfind("'" + bad.substr(0, bad.find('\n')) + "' (", 0), 0u) << bad << " -> " << message;
    }
}

// Ranks take a round's scenarios from the shared count: every scenario once, whatever the race; nothing
// beyond what is released; nothing from a round that is no longer open.
TEST_F(Robustness, RanksTakeEveryScenarioOfTheirRoundOnce) {
    ScenarioClaims pha;
    ASSERT_TRUE(pha.create("claims"));
    EXPECT_FALSE(ScenarioClaims().create("claims"));  // never another's file taken over
    const int n = 1000000;  // long enough for both to run at once on two cores
    int fromChild[2];
    ASSERT_EQ(pipe(fromChild), 0);
    const pid_t child = fork();
    if (child == 0) {
        // The other rank, in a process of its own: attached, it says so and waits for the round to open, so
        // that both take at the same time; its scenarios go back through the pipe.
        ScenarioClaims rank;
        if (!rank.attach("claims") || write(fromChild[1], "r", 1) != 1) _exit(2);
        std::vector<int> mine;
        int k = 0;
        ScenarioClaims::Take first = ScenarioClaims::Take::Over;
        for (long spins = 0; spins < 2000000000L && first == ScenarioClaims::Take::Over; spins++)
            first = rank.take(7, n, n, k);
        if (first == ScenarioClaims::Take::Taken) mine.push_back(k);
        while (rank.take(7, n, n, k) == ScenarioClaims::Take::Taken) mine.push_back(k);
        const char* at = reinterpret_cast<const char*>(mine.data());
        for (size_t left = mine.size() * sizeof(int); left > 0;) {
            const ssize_t put = write(fromChild[1], at, left);
            if (put <= 0) _exit(3);
            at += put;
            left -= static_cast<size_t>(put);
        }
        _exit(0);
    }
    close(fromChild[1]);
    char ready = 0;
    ASSERT_EQ(read(fromChild[0], &ready, 1), 1);
    ScenarioClaims rank;
    ASSERT_TRUE(rank.attach("claims"));
    pha.openRound(7);
    std::vector<int> taken;
    for (int k = 0; rank.take(7, n, n, k) == ScenarioClaims::Take::Taken;) taken.push_back(k);
    const size_t mineCount = taken.size();
    std::string bytes;
    char buffer[65536];
    for (ssize_t got; (got = read(fromChild[0], buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(got));
    close(fromChild[0]);
    ASSERT_EQ(bytes.size() % sizeof(int), 0u);
    for (size_t at = 0; at < bytes.size(); at += sizeof(int)) {
        int k = 0;
        std::memcpy(&k, bytes.data() + at, sizeof k);
        taken.push_back(k);
    }
    int k = 0;
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::sort(taken.begin(), taken.end());
    ASSERT_EQ(taken.size(), static_cast<size_t>(n)) << "this process took " << mineCount;
    for (int i = 0; i < n; i++) ASSERT_EQ(taken[static_cast<size_t>(i)], i + 1);
    EXPECT_EQ(pha.taken(), static_cast<std::uint32_t>(n));

    // A new round: only the released scenarios, then a wait; the old round's tag takes nothing.
    pha.openRound(8);
    EXPECT_EQ(rank.take(7, n, n, k), ScenarioClaims::Take::Over);
    EXPECT_EQ(rank.take(8, 3, 1, k), ScenarioClaims::Take::Taken);
    EXPECT_EQ(k, 1);
    EXPECT_EQ(rank.take(8, 3, 1, k), ScenarioClaims::Take::Wait);
    EXPECT_EQ(rank.take(8, 3, 3, k), ScenarioClaims::Take::Taken);
    EXPECT_EQ(k, 2);
    EXPECT_EQ(rank.take(8, 3, 3, k), ScenarioClaims::Take::Taken);
    EXPECT_EQ(rank.take(8, 3, 3, k), ScenarioClaims::Take::Over);

    // A file of another size, or none, is no claims file.
    writeFile("short", "x");
    EXPECT_FALSE(ScenarioClaims().attach("short"));
    EXPECT_FALSE(ScenarioClaims().attach("missing"));
}

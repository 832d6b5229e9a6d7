#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The process groups to end on an interruption. Changed only while the
// interrupting signals are blocked, so the handler never sees it half-changed.
std::vector<pid_t>& registeredGroups() {
    static std::vector<pid_t> groups;
    return groups;
}

const int kInterruptingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// How long an interrupted pha lets its children end by themselves.
const double kInterruptGraceSeconds = 3.0;

sigset_t interruptingSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kInterruptingSignals) sigaddset(&set, s);
    return set;
}

class SignalsBlocked {
public:
    SignalsBlocked() {
        sigset_t set = interruptingSet();
        sigprocmask(SIG_BLOCK, &set, &previous_);
    }
    ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

void sleepBriefly() {
    struct timespec pause = {0, 20 * 1000 * 1000};
    nanosleep(&pause, nullptr);
}

double secondsSince(const struct timespec& start) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9;
}

// Whether any process of the group still runs (zombies of other parents aside,
// they are gone once reaped). Only async-signal-safe calls.
bool groupAlive(pid_t group) { return kill(-group, 0) == 0 || errno == EPERM; }

// TERM to the group, then KILL to what is left after the grace period; the
// leader, our child, is reaped on the way. Only async-signal-safe calls, so the
// signal handler uses it too. Returns the leader's wait status, or -1 when
// it could not be reaped.
int endGroup(pid_t group, double graceSeconds, bool& reaped) {
    int status = -1;
    reaped = false;
    kill(-group, SIGTERM);
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        if (!reaped) {
            pid_t r = waitpid(group, &status, WNOHANG);
            if (r == group || (r < 0 && errno == ECHILD)) reaped = true;
        }
        if (reaped && !groupAlive(group)) return status;
        if (secondsSince(start) >= graceSeconds) break;
        sleepBriefly();
    }
    kill(-group, SIGKILL);
    if (!reaped) {
        while (waitpid(group, &status, 0) < 0 && errno == EINTR) {
        }
        reaped = true;
    }
    return status;
}

void writeText(int fd, const char* text) {
    size_t size = std::strlen(text);
    while (size > 0) {
        ssize_t n = write(fd, text, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        text += n;
        size -= static_cast<size_t>(n);
    }
}

// Decimal digits of a small non-negative number into `out` (room for 12).
void formatNumber(int value, char* out) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 11);
    int i = 0;
    while (n > 0) out[i++] = digits[--n];
    out[i] = '\0';
}

const char* signalName(int sig) {
    switch (sig) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        default: return "a signal";
    }
}

// Set by deferInterruptExit; read and written by the handler (signal-safe types).
volatile sig_atomic_t deferExit = 0;
volatile sig_atomic_t interruptSignal = 0;

void onInterrupt(int sig) {
    std::vector<pid_t>& groups = registeredGroups();
    // Every group hears TERM at once; the grace period is shared.
    for (pid_t g : groups) kill(-g, SIGTERM);
    for (pid_t g : groups) {
        bool reaped = false;
        endGroup(g, kInterruptGraceSeconds, reaped);
    }
    char number[12];
    formatNumber(sig, number);
    writeText(STDOUT_FILENO, "\n > ");
    writeText(STDOUT_FILENO, program_invocation_short_name);
    writeText(STDOUT_FILENO, " was interrupted by signal ");
    writeText(STDOUT_FILENO, number);
    writeText(STDOUT_FILENO, " (");
    writeText(STDOUT_FILENO, signalName(sig));
    writeText(STDOUT_FILENO, "); its child processes have been stopped.\n");
    // The first interruption of a deferring caller ends the children only: the
    // caller reports what it has and exits; a second one exits at once.
    if (deferExit && interruptSignal == 0) {
        interruptSignal = sig;
        return;
    }
    _exit(128 + sig);
}

// Installed once, at the first child; a signal the caller ignores (nohup)
// stays ignored.
void installInterruptHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    registeredGroups();  // made before any handler can need it
    for (int s : kInterruptingSignals) {
        struct sigaction old;
        if (sigaction(s, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = onInterrupt;
        action.sa_mask = interruptingSet();
        sigaction(s, &action, nullptr);
    }
}

void unregister(pid_t pid) {
    SignalsBlocked blocked;
    std::vector<pid_t>& groups = registeredGroups();
    groups.erase(std::remove(groups.begin(), groups.end(), pid), groups.end());
}

void fillFromStatus(LaunchResult& result, int status) {
    result.started = true;
    result.exited = false;
    result.exitStatus = -1;
    result.signal = 0;
    if (WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
}

void closeIfOpen(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// Writes the errno of a failed step to the parent and ends the child.
[[noreturn]] void failInChild(int reportFd) {
    int e = errno;
    ssize_t ignored = write(reportFd, &e, sizeof e);
    (void)ignored;
    _exit(127);
}

}  // namespace

void deferInterruptExit(bool defer) {
    installInterruptHandlers();
    deferExit = defer ? 1 : 0;
}

int interruptedBy() { return interruptSignal; }

ChildProcess startChild(const std::vector<std::string>& argv, const std::string& workDir, bool pipeInput,
                        bool pipeOutput, LaunchResult& failure) {
    failure = LaunchResult{false, EINVAL, false, -1, 0};
    ChildProcess child;
    if (argv.empty()) return child;

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    int report[2] = {-1, -1};  // close-on-exec: tells the parent why exec failed
    auto closeAll = [&] {
        for (int* p : {input, output, report}) {
            closeIfOpen(p[0]);
            closeIfOpen(p[1]);
        }
    };
    if ((pipeInput && pipe2(input, O_CLOEXEC) != 0) || (pipeOutput && pipe2(output, O_CLOEXEC) != 0) ||
        pipe2(report, O_CLOEXEC) != 0) {
        failure.startError = errno;
        closeAll();
        return child;
    }
    installInterruptHandlers();
    // Buffered output must not be written twice or after the child's.
    std::fflush(nullptr);
    const pid_t parent = getpid();
    pid_t pid;
    {
        // Blocked from before the fork until the child is registered, so an
        // interruption can never miss it.
        SignalsBlocked blocked;
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            // Ends with pha, even when pha is killed by SIGKILL.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent) _exit(127);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            int stdinFd = pipeInput ? input[0] : open("/dev/null", O_RDONLY);
            if (stdinFd >= 0 && stdinFd != STDIN_FILENO) dup2(stdinFd, STDIN_FILENO);
            if (pipeOutput) dup2(output[1], STDOUT_FILENO);
            if (!workDir.empty() && chdir(workDir.c_str()) != 0) failInChild(report[1]);
            execvp(args[0], args.data());
            failInChild(report[1]);
        }
        if (pid > 0) {
            setpgid(pid, pid);  // also here: whichever runs first makes the group
            registeredGroups().push_back(pid);
        }
    }
    if (pid < 0) {
        failure.startError = errno;
        closeAll();
        return child;
    }
    closeIfOpen(report[1]);
    closeIfOpen(input[0]);
    closeIfOpen(output[1]);
    int childError = 0;
    ssize_t got;
    do {
        got = read(report[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    closeIfOpen(report[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        unregister(pid);
        closeAll();
        failure.startError = childError;
        return child;
    }
    child.pid = pid;
    child.inFd = input[1];
    child.outFd = output[0];
    return child;
}

bool pollChild(ChildProcess& child, LaunchResult& result) {
    if (child.pid < 0) return true;
    int status = 0;
    pid_t r = waitpid(child.pid, &status, WNOHANG);
    if (r == 0 || (r < 0 && errno == EINTR)) return false;
    if (r < 0) {
        result = LaunchResult{false, errno, false, -1, 0};
    } else {
        fillFromStatus(result, status);
    }
    unregister(child.pid);
    child.pid = -1;
    return true;
}

LaunchResult waitChild(ChildProcess& child) {
    LaunchResult result{false, ECHILD, false, -1, 0};
    if (child.pid < 0) return result;
    int status = 0;
    pid_t r;
    while ((r = waitpid(child.pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (r < 0) result.startError = errno;
    else fillFromStatus(result, status);
    unregister(child.pid);
    child.pid = -1;
    return result;
}

void stopChild(ChildProcess& child, double graceSeconds) {
    if (child.pid < 0) return;
    bool reaped = false;
    endGroup(child.pid, graceSeconds, reaped);
    unregister(child.pid);
    child.pid = -1;
}

#include "Launch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Writes the whole buffer, retrying after interruptions.
void writeAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        p += n;
        size -= static_cast<size_t>(n);
    }
}

}  // namespace

std::string LaunchResult::describe() const {
    if (!started) return std::string("could not be started: ") + std::strerror(startError);
    if (exited) return "exit status " + std::to_string(exitStatus);
    return "killed by signal " + std::to_string(signal);
}

LaunchResult runAndWait(const std::vector<std::string>& argv, const std::string& workDir) {
    LaunchResult result{false, EINVAL, false, -1, 0};
    if (argv.empty()) return result;

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // A close-on-exec pipe tells the parent why the child could not exec.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        result.startError = errno;
        return result;
    }
    // Buffered output must not be written twice or after the child's.
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        result.startError = errno;
        close(report[0]);
        close(report[1]);
        return result;
    }
    if (pid == 0) {
        close(report[0]);
        // The program gets no console input: what the user types is for pha,
        // and mpirun would otherwise forward it to its first process.
        int nullInput = open("/dev/null", O_RDONLY);
        if (nullInput >= 0 && nullInput != 0) {
            dup2(nullInput, 0);
            close(nullInput);
        }
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) {
            int e = errno;
            writeAll(report[1], &e, sizeof e);
            _exit(127);
        }
        execvp(args[0], args.data());
        int e = errno;
        writeAll(report[1], &e, sizeof e);
        _exit(127);
    }
    close(report[1]);
    int childError = 0;
    ssize_t got;
    do {
        got = read(report[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(report[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            result.startError = errno;
            return result;
        }
    }
    if (got == static_cast<ssize_t>(sizeof childError)) {
        result.startError = childError;
        return result;
    }
    result.started = true;
    if (WIFEXITED(status)) {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

std::string commandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& a : argv) {
        if (!line.empty()) line += ' ';
        bool plain = !a.empty() && a.find_first_of(" \t\r\n'\"\\$`;&|<>()*?[]#~{}") == std::string::npos;
        if (plain) {
            line += a;
            continue;
        }
        line += '\'';
        for (char c : a) {
            if (c == '\'') line += "'\\''";
            else line += c;
        }
        line += '\'';
    }
    return line;
}

std::string withoutTrailingLineBreaks(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r')) end--;
    return text.substr(0, end);
}

#include "IsolatedRun.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace gamsub {

namespace {

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string readAll(int fd) {
    std::string text;
    char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(chunk, static_cast<size_t>(n));
    }
    return text;
}

// The child's end: 'R' and the result, or 'E' and the exception's message.
[[noreturn]] void runChild(int fd, FILE* errors, const std::function<std::string()>& work) {
    // What the library writes to standard error (an assertion's text) goes to the parent's file.
    if (errors != nullptr) ::dup2(::fileno(errors), STDERR_FILENO);
    std::string message;
    try {
        message = "R" + work();
    } catch (const std::exception& error) {
        message = std::string("E") + error.what();
    } catch (...) {
        message = "Ean exception of unknown type";
    }
    bool written = writeAll(fd, message);
    ::close(fd);
    // No exit handlers and no destructors of the parent's objects run twice.
    ::_exit(written ? 0 : 3);
}

// The last line the child wrote to standard error, or "".
std::string lastLine(FILE* errors) {
    if (errors == nullptr) return "";
    std::rewind(errors);
    std::string line, last;
    int c;
    while ((c = std::fgetc(errors)) != EOF) {
        if (c == '\n') {
            if (!line.empty()) last = line;
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    return line.empty() ? last : line;
}

}  // namespace

std::string runIsolated(const std::function<std::string()>& work, const std::string& library) {
    int fds[2];
    if (::pipe(fds) != 0) return work();
    std::fflush(nullptr);  // nothing buffered is written twice
    std::unique_ptr<FILE, int (*)(FILE*)> errors(std::tmpfile(), std::fclose);
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return work();
    }
    if (child == 0) {
        ::close(fds[0]);
        runChild(fds[1], errors.get(), work);
    }
    ::close(fds[1]);
    std::string message = readAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        int signal = WTERMSIG(status);
        const char* name = ::strsignal(signal);
        std::string said = lastLine(errors.get());
        throw EngineFault(library + " stopped on signal " + std::to_string(signal) + " (" +
                          (name != nullptr ? name : "unknown") + ")" +
                          (signal == SIGABRT ? ", an assertion or abort inside the library" : "") +
                          (said.empty() ? "" : ": " + said));
    }
    if (message.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EngineFault(library + " ended without a result (exit status " +
                          std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")");
    if (message[0] == 'E') throw EngineFault(library + " failed: " + message.substr(1));
    return message.substr(1);
}

}  // namespace gamsub

#include "RankPipes.h"

#include "RankReports.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Opened without blocking (a missing reader or writer is an answer at once, not a wait), then blocking.
int openPipe(const std::string& path, int mode) {
    int fd = ::open(path.c_str(), mode | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

RankPipes::RankPipes(const std::string& answers, int rank) {
    if (answers.empty()) return;
    // pha holds both ends of the command pipe: reading waits for a command, and ends only with pha.
    commands_ = openPipe(rankCommandPipe(answers, rank), O_RDONLY);
    reports_ = openPipe(rankReportPipe(answers, rank), O_WRONLY);
    claims_.attach(scenarioClaimsFile(answers));
    if (!open()) close();
}

void RankPipes::close() {
    for (int* fd : {&commands_, &reports_})
        if (*fd >= 0) ::close(*fd), *fd = -1;
    claims_.release();
}

bool RankPipes::readCommand(std::string& line) {
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        char buffer[4096];
        const ssize_t got = read(commands_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(got));
    }
}

bool RankPipes::report(const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(reports_, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

#include "GnuplotChart.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// gnuplot strings are single-quoted; a quote inside is doubled.
std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Non-positive values have no place on a log axis: gnuplot skips NaN.
std::string logValue(double v) {
    if (!(v > 0.0) || std::isinf(v)) return "NaN";
    std::ostringstream s;
    s.precision(12);
    s << v;
    return s.str();
}

}  // namespace

std::string chartScript(const std::vector<IterationBlock>& blocks, const std::string& imagePath,
                        double tolerance, const std::vector<BoundPoint>& bounds) {
    const bool withBounds = !bounds.empty();
    const std::vector<double> changes = averageChanges(blocks);
    const size_t n1 = blocks.empty() ? 0 : blocks.back().average.size();
    std::ostringstream g;
    g.precision(12);
    g << "$data << EOD\n";
    for (size_t b = 0; b < blocks.size(); ++b) {
        g << blocks[b].iteration << ' ' << logValue(blocks[b].delta) << ' ' << logValue(changes[b]);
        for (size_t j = 0; j < n1; ++j)
            g << ' ' << (j < blocks[b].average.size() ? blocks[b].average[j] : NAN);
        if (withBounds) {
            const BoundPoint p = b < bounds.size() ? bounds[b] : BoundPoint{0, NAN, NAN, NAN, NAN};
            g << ' ' << p.expectedCost << ' ' << p.bestLower << ' ' << p.bestUpper;
        }
        g << '\n';
    }
    g << "EOD\n";
    if (endsWith(imagePath, ".png") || endsWith(imagePath, ".PNG"))
        g << "set terminal pngcairo size 900," << (withBounds ? 1150 : 800) << " enhanced font 'sans,10'\n";
    else
        g << "set terminal svg size 900," << (withBounds ? 1150 : 800)
          << " enhanced font 'sans,10' background rgb 'white'\n";
    g << "set output " << quoted(imagePath) << "\n"
      << "set multiplot layout " << (withBounds ? 3 : 2) << ",1 title 'Progressive hedging convergence'\n"
      << "set grid\nset key outside right\nset xlabel 'iteration'\n"
      // Fixed margins keep the two plots' iteration axes under each other.
      << "set lmargin at screen 0.09\nset rmargin at screen 0.84\n"
      << (blocks.size() <= 12 ? "set xtics 1\n" : "")
      << "set logscale y\nset format y '10^{%L}'\nset ylabel 'log scale'\n"
      << "set title 'delta (squared first-stage deviations) and D (change of the average)'\n"
      << "plot $data using 1:2 with linespoints pt 7 ps 0.5 title 'delta', "
      << "$data using 1:3 with linespoints pt 5 ps 0.5 title 'D'";
    if (tolerance > 0.0 && std::isfinite(tolerance))
        g << ", " << tolerance << " with lines dt 2 lc rgb 'black' title 'tolerance'";
    g << "\n"
      << "unset logscale y\nset format y '%g'\nset ylabel 'value'\n"
      << "set title 'first-stage average'\n";
    if (n1 == 0) {
        g << "plot $data using 1:(NaN) notitle\n";
    } else {
        g << "plot ";
        for (size_t j = 0; j < n1; ++j)
            g << (j ? ", " : "") << "$data using 1:" << (j + 4) << " with lines lw 2 title 'x(" << (j + 1)
              << ")'";
        g << "\n";
    }
    if (withBounds) {
        const size_t first = n1 + 4;  // expected cost, best L, best U follow the averages
        g << "set title 'expected cost of the scenario solutions and the best bounds'\n"
          << "plot $data using 1:" << first << " with linespoints pt 7 ps 0.5 title 'E[cost]', "
          << "$data using 1:" << first + 1 << " with steps lw 2 title 'best L (outer)', "
          << "$data using 1:" << first + 2 << " with steps lw 2 title 'best U (inner)'\n";
    }
    g << "unset multiplot\nset output\n";
    return g.str();
}

std::string runGnuplot(const std::string& script) {
    int fds[2];
    if (pipe(fds) != 0) return std::string("cannot create a pipe: ") + std::strerror(errno);
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return std::string("cannot start gnuplot: ") + std::strerror(errno);
    }
    if (pid == 0) {
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        execlp("gnuplot", "gnuplot", static_cast<char*>(nullptr));
        std::fprintf(stderr, "cannot run gnuplot: %s\n", std::strerror(errno));
        _exit(127);
    }
    close(fds[0]);
    // A gnuplot that dies early must not kill us with SIGPIPE.
    void (*previous)(int) = std::signal(SIGPIPE, SIG_IGN);
    size_t done = 0;
    while (done < script.size()) {
        ssize_t w = write(fds[1], script.data() + done, script.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) break;
        done += static_cast<size_t>(w);
    }
    close(fds[1]);
    std::signal(SIGPIPE, previous);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return "gnuplot was not found on the PATH (Debian package gnuplot-nox)";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "gnuplot failed (status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
    if (done < script.size()) return "gnuplot stopped reading its script";
    return "";
}

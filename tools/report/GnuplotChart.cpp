#include "GnuplotChart.h"

#include <algorithm>
#include <cctype>
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

// Non-positive values have no place on a log axis: gnuplot skips NaN.
std::string logValue(double v) {
    if (!(v > 0.0) || std::isinf(v)) return "NaN";
    std::ostringstream s;
    s.precision(12);
    s << v;
    return s.str();
}

// gnuplot's default line colours; a panel shows at most this many lines of one kind.
const size_t kColours = 8;

}  // namespace

std::string imageFormat(const std::string& imagePath) {
    const size_t dot = imagePath.rfind('.');
    if (dot == std::string::npos || imagePath.find('/', dot) != std::string::npos) return "";
    std::string ending = imagePath.substr(dot + 1);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == "svg" || ending == "png" || ending == "pdf" ? ending : "";
}

std::string chartScript(const std::vector<IterationBlock>& blocks, const std::string& imagePath,
                        double tolerance, const std::vector<BoundPoint>& bounds,
                        const std::vector<std::vector<double>>& rho) {
    const bool withBounds = !bounds.empty();
    bool withRho = false;
    for (const std::vector<double>& r : rho) withRho = withRho || !r.empty();
    const std::vector<double> changes = averageChanges(blocks);
    const size_t n1 = blocks.empty() ? 0 : blocks.back().average.size();
    // Columns: iteration, delta, D, the averages, then E[cost], best L, best U, gap, then rho min, mean, max.
    const size_t boundsColumn = n1 + 4;
    const size_t rhoColumn = boundsColumn + (withBounds ? 4 : 0);
    std::ostringstream g;
    g.precision(12);
    g << "$data << EOD\n";
    for (size_t b = 0; b < blocks.size(); ++b) {
        g << blocks[b].iteration << ' ' << logValue(blocks[b].delta) << ' ' << logValue(changes[b]);
        for (size_t j = 0; j < n1; ++j)
            g << ' ' << (j < blocks[b].average.size() ? blocks[b].average[j] : NAN);
        if (withBounds) {
            const BoundPoint p = b < bounds.size() ? bounds[b] : BoundPoint{0, NAN, NAN, NAN, NAN};
            g << ' ' << p.expectedCost << ' ' << p.bestLower << ' ' << p.bestUpper << ' ' << logValue(p.gap);
        }
        if (withRho) {
            const std::vector<double> r = b < rho.size() ? rho[b] : std::vector<double>();
            double low = NAN, high = NAN, sum = 0.0;
            for (double v : r) {
                low = std::isnan(low) ? v : std::min(low, v);
                high = std::isnan(high) ? v : std::max(high, v);
                sum += v;
            }
            g << ' ' << logValue(low) << ' ' << (r.empty() ? std::string("NaN") : logValue(sum / r.size())) << ' '
              << logValue(high);
        }
        g << '\n';
    }
    g << "EOD\n";
    // Every colour once per panel: the averages in groups of as many variables as there are colours.
    const size_t groups = n1 == 0 ? 1 : (n1 + kColours - 1) / kColours;
    const size_t panels = 1 + groups + (withBounds ? 2 : 0) + (withRho ? 1 : 0);
    const std::string format = imageFormat(imagePath);
    if (format == "png")
        g << "set terminal pngcairo size 900," << 300 * panels + 100 << " enhanced font 'sans,10'\n";
    else if (format == "pdf")
        g << "set terminal pdfcairo size 9in," << 3 * panels + 1 << "in enhanced font 'sans,10'\n";
    else
        g << "set terminal svg size 900," << 300 * panels + 100 << " enhanced font 'sans,10' background rgb 'white'\n";
    g << "set output " << quoted(imagePath) << "\n"
      << "set multiplot layout " << panels << ",1 title 'Progressive hedging convergence'\n"
      << "set grid\nset key outside right top\nset xlabel 'iteration'\n"
      // Fixed margins keep the plots' iteration axes under each other, the legends right of them.
      << "set lmargin at screen 0.09\nset rmargin at screen 0.80\n"
      << (blocks.size() <= 12 ? "set xtics 1\n" : "")
      << "set logscale y\nset format y '10^{%L}'\nset ylabel 'log scale'\n"
      << "set title 'delta (squared first-stage deviations) and D (change of the average)'\n"
      << "plot $data using 1:2 with linespoints pt 7 ps 0.5 title 'delta', "
      << "$data using 1:3 with linespoints pt 5 ps 0.5 title 'D'";
    if (tolerance > 0.0 && std::isfinite(tolerance))
        g << ", " << tolerance << " with lines dt 2 lc rgb 'black' title 'tolerance'";
    g << "\n"
      << "unset logscale y\nset format y '%g'\nset ylabel 'value'\n";
    if (n1 == 0) {
        g << "set title 'first-stage average'\nplot $data using 1:(NaN) notitle\n";
    }
    for (size_t group = 0; n1 > 0 && group < groups; ++group) {
        const size_t first = group * kColours, last = std::min(n1, first + kColours);
        g << "set title 'first-stage average";
        if (groups > 1) g << " x(" << first + 1 << ")..x(" << last << ")";
        g << "'\nplot ";
        for (size_t j = first; j < last; ++j)
            g << (j > first ? ", " : "") << "$data using 1:" << (j + 4) << " with lines lw 2 lc " << (j - first + 1)
              << " title 'x(" << (j + 1) << ")'";
        g << "\n";
    }
    if (withBounds) {
        g << "set title 'expected cost of the scenario solutions and the best bounds'\n"
          << "plot $data using 1:" << boundsColumn << " with linespoints pt 7 ps 0.5 title 'E[cost]', "
          << "$data using 1:" << boundsColumn + 1 << " with steps lw 2 title 'best L (outer)', "
          << "$data using 1:" << boundsColumn + 2 << " with steps lw 2 title 'best U (inner)'\n"
          << "set logscale y\nset format y '10^{%L}'\nset ylabel 'log scale'\n"
          << "set title 'relative gap (U - L)/max(1,|U|) of the best bounds'\n"
          << "plot $data using 1:" << boundsColumn + 3 << " with steps lw 2 title 'gap'\n"
          << "unset logscale y\nset format y '%g'\nset ylabel 'value'\n";
    }
    if (withRho) {
        g << "set logscale y\nset format y '10^{%L}'\nset ylabel 'log scale'\n"
          << "set title 'rho of the first-stage variables'\n"
          << "plot $data using 1:" << rhoColumn + 2 << " with steps lw 1 dt 2 title 'largest rho_j', "
          << "$data using 1:" << rhoColumn + 1 << " with steps lw 2 title 'mean rho_j', "
          << "$data using 1:" << rhoColumn << " with steps lw 1 dt 3 title 'smallest rho_j'\n"
          << "unset logscale y\n";
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

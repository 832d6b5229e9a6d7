#include "ReportTable.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string format(const char* fmt, double v) {
    if (std::isnan(v)) return "-";
    int n = std::snprintf(nullptr, 0, fmt, v);
    if (n <= 0) return "?";
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), fmt, v);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string padLeft(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

void printRow(std::ostream& out, const IterationBlock& b, double change) {
    out << padLeft(std::to_string(b.iteration), 5) << "  " << padLeft(format("%.3e", b.delta), 11)
        << "  " << padLeft(format("%.3e", change), 11);
    for (double v : b.average) out << "  " << padLeft(format("%.4f", v), 12);
    out << '\n';
}

}  // namespace

void printReportTable(std::ostream& out, const std::vector<IterationBlock>& blocks,
                      std::size_t maxRows) {
    if (blocks.empty()) {
        out << "No complete iteration in the report.\n";
        return;
    }
    const std::vector<double> changes = averageChanges(blocks);
    out << " iter        delta            D";
    for (size_t j = 0; j < blocks.back().average.size(); ++j)
        out << "  " << padLeft("x(" + std::to_string(j + 1) + ")", 12);
    out << '\n';

    if (maxRows < 2) maxRows = 2;
    const size_t n = blocks.size();
    const size_t head = n <= maxRows ? n : maxRows / 2;
    const size_t tailStart = n <= maxRows ? n : n - (maxRows - head);
    for (size_t b = 0; b < head; ++b) printRow(out, blocks[b], changes[b]);
    if (tailStart > head) out << "  ...  (" << (tailStart - head) << " iterations not shown)\n";
    for (size_t b = tailStart; b < n; ++b) printRow(out, blocks[b], changes[b]);

    const IterationBlock& last = blocks.back();
    out << '\n' << n << " iterations; " << last.scenarios.size() << " scenarios; last delta "
        << format("%.6g", last.delta) << "; last first-stage average (";
    for (size_t j = 0; j < last.average.size(); ++j)
        out << (j ? ", " : "") << format("%.4f", last.average[j]);
    out << ")\n";
}

void printBoundsTable(std::ostream& out, const RunJson& run, std::size_t maxRows) {
    if (run.bounds.empty()) return;
    out << "\n iter        E[cost]         best L         best U        gap\n";
    if (maxRows < 2) maxRows = 2;
    const size_t n = run.bounds.size();
    const size_t head = n <= maxRows ? n : maxRows / 2;
    const size_t tailStart = n <= maxRows ? n : n - (maxRows - head);
    auto row = [&](const BoundPoint& p) {
        out << padLeft(std::to_string(p.iteration), 5) << "  " << padLeft(format("%.6f", p.expectedCost), 13) << "  "
            << padLeft(format("%.6f", p.bestLower), 13) << "  " << padLeft(format("%.6f", p.bestUpper), 13) << "  "
            << padLeft(format("%.2e", p.gap), 9) << '\n';
    };
    for (size_t b = 0; b < head; ++b) row(run.bounds[b]);
    if (tailStart > head) out << "  ...  (" << (tailStart - head) << " iterations not shown)\n";
    for (size_t b = tailStart; b < n; ++b) row(run.bounds[b]);
    if (run.verdict.empty()) {
        out << "\nThe run did not finish.\n";
        return;
    }
    out << "\nVerdict: " << run.verdict << "; plan (";
    for (size_t j = 0; j < run.plan.size(); ++j) out << (j ? ", " : "") << format("%.6f", run.plan[j]);
    out << "); U " << format("%.6f", run.upper) << "; L " << format("%.6f", run.lower) << "; gap "
        << format("%.2e", run.gap) << "\n";
}

#include "SolutionReport.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ListingNumbers.h"
#include "PhaseTimes.h"
#include "StatusTexts.h"
#include "Violation.h"

namespace gamsub {

namespace {

const char* kHeader = "    LOWER     LEVEL     UPPER    MARGINAL";
// A variable this large at the end of a diverging solve is reported unbounded.
constexpr double kUnboundedLevel = 1e10;

// One element as the listing shows it, with what the REPORT SUMMARY counts.
struct Entry {
    double lower, level, upper, marginal;
    bool nonbasic;
};

struct Tally {
    int infeasible = 0, unbounded = 0, redefined = 0;
    double sum = 0.0, max = 0.0;
};

std::string flagFor(const Entry& e, bool isVariable, const SolveStatus& status, Tally& tally, bool mcpSolved) {
    bool violated = relativeViolation(e.level, e.lower, e.upper) > kInfeasible;
    if (violated && mcpSolved && !isVariable) {
        // A solved MCP row off its relation holds in the complementarity
        // sense: its partner sits at a bound. GAMS marks it redefined.
        tally.redefined++;
        return " REDEF";
    }
    if (violated) {
        double amount = e.level < e.lower ? e.lower - e.level : e.level - e.upper;
        if (std::isnan(e.level)) amount = 0.0;
        tally.infeasible++;
        tally.sum += amount;
        tally.max = std::max(tally.max, amount);
        return " INFES";
    }
    if (isVariable && status.modelStatus == 3 && std::fabs(e.level) >= kUnboundedLevel) {
        tally.unbounded++;
        return " UNBND";
    }
    return "      ";
}

std::string fields(const Entry& e) {
    // A simplex solver's nonbasic element with a zero marginal: EPS, as GAMS shows it.
    std::string marginal = e.marginal == 0.0 && e.nonbasic ? listingEpsField() : listingField(e.marginal);
    return listingField(e.lower) + listingField(e.level) + listingField(e.upper) + marginal;
}

// Labels of each member, each position padded to its widest label, joined by '.'.
template <typename Item>
std::vector<std::string> memberLabels(const Block& block, const std::vector<Item>& items) {
    std::vector<size_t> width(block.dimension, 0);
    for (int member : block.members) {
        const std::vector<std::string>& labels = items.at(member).labels;
        for (size_t p = 0; p < labels.size() && p < width.size(); p++) width[p] = std::max(width[p], labels[p].size());
    }
    std::vector<std::string> result;
    for (int member : block.members) {
        const std::vector<std::string>& labels = items.at(member).labels;
        std::string joined;
        for (size_t p = 0; p < labels.size(); p++) {
            if (p > 0) joined += '.';
            joined += p + 1 < labels.size() && p < width.size() ? padRight(labels[p], width[p]) : labels[p];
        }
        result.push_back(joined);
    }
    return result;
}

Entry entryOf(const Row& row) { return {row.lower, row.level, row.upper, row.marginal, row.nonbasic}; }
Entry entryOf(const Column& column) {
    return {column.lower, column.level, column.upper, column.marginal, column.nonbasic};
}

// Linear model types have no function evaluations: no EVALUATION ERRORS, no ERRORS count.
bool nonlinearType(ModelType type) {
    return type != ModelType::LP && type != ModelType::MIP && type != ModelType::RMIP;
}

class BlockWriter {
public:
    BlockWriter(std::ostream& out, const SolveStatus& status, bool mcpSolved)
        : out_(out), status_(status), mcpSolved_(mcpSolved) {}

    template <typename Item>
    void write(const char* kind, const Block& block, const std::vector<Item>& items, bool isVariable) {
        if (block.members.empty()) return;  // not part of the solved model
        if (block.dimension == 0) {
            scalar(kind, block, items.at(block.members.front()), isVariable);
            return;
        }
        endScalarRun();
        out_ << "---- " << kind << ' ' << block.name << "  " << block.text << "\n\n";
        std::vector<std::string> labels = memberLabels(block, items);
        size_t width = 0;
        for (const std::string& label : labels) width = std::max(width, label.size());
        out_ << std::string(width, ' ') << kHeader << "\n\n";
        for (size_t i = 0; i < labels.size(); i++) {
            Entry e = entryOf(items.at(block.members[i]));
            std::string flag = flagFor(e, isVariable, status_, tally_, mcpSolved_);
            out_ << padRight(labels[i], width) << fields(e) << flag << '\n';
        }
        out_ << '\n';
    }

    // Consecutive scalars of one kind share a header; their texts follow the run.
    template <typename Item>
    void scalar(const char* kind, const Block& block, const Item& item, bool isVariable) {
        if (runKind_ != kind) {
            endScalarRun();
            out_ << std::string(19, ' ') << kHeader << "\n\n";
            runKind_ = kind;
        }
        std::string name = block.name.size() > 10 ? block.name.substr(0, 9) + "~" : block.name;
        Entry e = entryOf(item);
        std::string flag = flagFor(e, isVariable, status_, tally_, mcpSolved_);
        out_ << padRight(std::string("---- ") + kind + ' ' + name, 19) << fields(e) << flag << '\n';
        if (!block.text.empty()) runTexts_.push_back({block.name, block.text});
    }

    void endScalarRun() {
        if (runKind_.empty()) return;
        out_ << '\n';
        if (!runTexts_.empty()) {
            size_t width = 0;
            for (const auto& text : runTexts_) width = std::max(width, text.first.size());
            for (const auto& text : runTexts_) out_ << "  " << padRight(text.first, width) << "  " << text.second << '\n';
            out_ << '\n';
        }
        runTexts_.clear();
        runKind_.clear();
    }

    const Tally& tally() const { return tally_; }

private:
    std::ostream& out_;
    const SolveStatus& status_;
    bool mcpSolved_;
    Tally tally_;
    std::string runKind_;
    std::vector<std::pair<std::string, std::string>> runTexts_;
};

void writeReportSummary(std::ostream& out, const Tally& tally, bool nonlinear, bool mcp) {
    out << "**** REPORT SUMMARY :" << formatted("%9d", 0) << "     NONOPT\n";
    out << std::string(21, ' ') << formatted("%9d", tally.infeasible) << " INFEASIBLE";
    if (tally.infeasible > 0) {
        out << " (INFES)\n";
        std::string indent(20, ' ');
        out << indent << "SUM " << listingField(tally.sum) << '\n';
        out << indent << "MAX " << listingField(tally.max) << '\n';
        out << indent << "MEAN" << listingField(tally.sum / tally.infeasible) << '\n';
    } else {
        out << '\n';
    }
    out << std::string(21, ' ') << formatted("%9d", tally.unbounded) << "  UNBOUNDED"
        << (tally.unbounded > 0 ? " (UNBND)" : "") << '\n';
    if (nonlinear) out << std::string(21, ' ') << formatted("%9d", 0) << "     ERRORS\n";
    if (mcp) out << std::string(21, ' ') << formatted("%9d", tally.redefined) << "  REDEFINED\n";
}

}  // namespace

void writeSolveSummary(std::ostream& out, const ModelInstance& model, const SolveStatus& status) {
    bool nonlinear = nonlinearType(model.type);
    out << "               S O L V E      S U M M A R Y\n\n";
    if (hasObjective(model.type)) {
        out << "     MODEL   " << padRight(model.modelName, 20) << "OBJECTIVE  " << model.objectiveName << '\n';
        out << "     TYPE    " << padRight(modelTypeName(model.type), 20) << "DIRECTION  "
            << (model.sense == Sense::Minimize ? "MINIMIZE" : "MAXIMIZE") << '\n';
    } else {  // MCP, CNS: no objective, no direction
        out << "     MODEL   " << model.modelName << '\n';
        out << "     TYPE    " << modelTypeName(model.type) << '\n';
    }
    out << "     SOLVER  " << padRight(status.solverName, 20) << "FROM LINE  " << model.solveLine << "\n\n";
    out << "**** SOLVER STATUS     " << status.solverStatus << ' ' << padRight(solverStatusText(status.solverStatus), 26)
        << '\n';
    out << "**** MODEL STATUS      " << status.modelStatus << ' ' << padRight(modelStatusText(status.modelStatus), 26)
        << '\n';
    // Fixed notation as GAMS prints it, E-notation for values that would overrun the line.
    std::string objective = !std::isfinite(status.objective)   ? "NA"
                            : std::fabs(status.objective) < 1e15 ? formatted("%.4f", status.objective)
                                                                 : formatted("%.6E", status.objective);
    if (hasObjective(model.type)) out << "**** OBJECTIVE VALUE" << padLeft(objective, 22) << "\n";
    out << '\n';
    out << " RESOURCE USAGE, LIMIT" << formatted("%15.3f%14.3f", status.seconds, model.options.reslim) << '\n';
    out << " ITERATION COUNT, LIMIT" << formatted("%10d%14ld", status.iterations, model.options.iterlim) << '\n';
    if (nonlinear) out << " EVALUATION ERRORS" << formatted("%15d%14d", status.evaluationErrors, 0) << '\n';
    else out << '\n';
    for (const std::string& line : status.solverLines) out << line << '\n';
    out << '\n';
}

void writeSolutionBlocks(std::ostream& out, const ModelInstance& model, const SolveStatus& status) {
    bool mcp = model.type == ModelType::MCP;
    BlockWriter writer(out, status, mcp && status.modelStatus == 1);
    for (const Block& block : model.equBlocks) writer.write("EQU", block, model.rows, false);
    for (const Block& block : model.varBlocks) writer.write("VAR", block, model.columns, true);
    writer.endScalarRun();
    out << '\n';
    writeReportSummary(out, writer.tally(), nonlinearType(model.type), mcp);
}

void writeSolutionReport(Listing& listing, const ModelInstance& model, const SolveStatus& status) {
    PhaseClock clock;
    listing.newPage("Solution Report     SOLVE " + model.modelName + " Using " + modelTypeName(model.type) + " From line " +
                    std::to_string(model.solveLine));
    writeSolveSummary(listing.out(), model, status);
    writeSolutionBlocks(listing.out(), model, status);
    clock.lap(&PhaseTimes::solutionReport);
}

}  // namespace gamsub

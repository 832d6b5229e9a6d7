#include "SystemStructure.h"

#include <algorithm>
#include <string>

#include "Evaluator.h"

namespace gamsub {

namespace {

template <typename Item>
std::string nameOf(const std::vector<Block>& blocks, const Item& item) {
    std::string s = blocks.at(static_cast<size_t>(item.block)).name;
    if (!item.labels.empty()) {
        s += "(";
        for (size_t k = 0; k < item.labels.size(); k++) s += (k ? "," : "") + item.labels[k];
        s += ")";
    }
    return s;
}

const char* typeText(RowType type) { return type == RowType::E ? "=E=" : type == RowType::L ? "=L=" : "=G="; }

bool fixed(const Column& c) { return c.lower == c.upper; }

void checkMcp(const ModelInstance& m, const std::vector<int>& pairedBlocks, int line) {
    auto rowName = [&](const Row& r) { return nameOf(m.equBlocks, r); };
    auto columnName = [&](const Column& c) { return nameOf(m.varBlocks, c); };
    std::vector<int> matchedBy(m.columns.size(), -1);
    int unmatchedRows = 0;
    for (size_t r = 0; r < m.rows.size(); r++) {
        const Row& row = m.rows[r];
        if (row.matchedColumn < 0) {
            if (row.type != RowType::E)
                throw ExecError{line, "MCP: equation " + rowName(row) + " is " + typeText(row.type) +
                                          " and not paired with a variable (only =E= rows may stay unmatched)"};
            if (emptyRow(m, row))
                throw ExecError{line, "MCP: equation " + rowName(row) + " is unmatched and has no variable"};
            unmatchedRows++;
            continue;
        }
        const Column& column = m.columns.at(static_cast<size_t>(row.matchedColumn));
        std::string pair = rowName(row) + "." + columnName(column);
        if (matchedBy[static_cast<size_t>(row.matchedColumn)] >= 0)
            throw ExecError{line, "MCP: variable " + columnName(column) + " is matched with two equations"};
        matchedBy[static_cast<size_t>(row.matchedColumn)] = static_cast<int>(r);
        if (fixed(column)) continue;  // the pair drops out of the system
        if (emptyRow(m, row))
            throw ExecError{line, "MCP pair " + pair + " has empty equation but associated variable is NOT fixed"};
        // The relation has to agree with the bounds in the way this solver
        // knows GAMS reads it; other combinations are refused, not guessed.
        if (row.type == RowType::G && column.upper != kInf)
            throw ExecError{line, "MCP pair " + pair + ": an =G= equation with a variable that has a finite upper bound is not supported by this solver"};
        if (row.type == RowType::L && column.lower != -kInf)
            throw ExecError{line, "MCP pair " + pair + ": an =L= equation with a variable that has a finite lower bound is not supported by this solver"};
    }
    int freeColumns = 0;
    for (size_t c = 0; c < m.columns.size(); c++) {
        const Column& column = m.columns[c];
        if (matchedBy[c] >= 0 || fixed(column)) continue;
        if (std::find(pairedBlocks.begin(), pairedBlocks.end(), column.block) != pairedBlocks.end())
            throw ExecError{line, "MCP: variable " + columnName(column) +
                                      " is paired, but its equation has no element with its labels, and it is NOT fixed"};
        if (column.lower != -kInf || column.upper != kInf)
            throw ExecError{line, "MCP: variable " + columnName(column) +
                                      " is not paired with an equation and has bounds (only free variables may stay unmatched)"};
        freeColumns++;
    }
    if (freeColumns != unmatchedRows)
        throw ExecError{line, "MCP: " + std::to_string(unmatchedRows) + " unmatched =E= equation(s) but " +
                                  std::to_string(freeColumns) + " unmatched free variable(s): the counts must agree"};
}

void checkCns(const ModelInstance& m, int line) {
    for (const Row& row : m.rows) {
        if (row.type != RowType::E)
            throw ExecError{line, "CNS: equation " + nameOf(m.equBlocks, row) + " is " + typeText(row.type) +
                                      ", a CNS model has =E= equations only"};
        if (emptyRow(m, row))
            throw ExecError{line, "CNS: equation " + nameOf(m.equBlocks, row) + " has no variable"};
    }
    size_t free = 0;
    for (const Column& column : m.columns) free += fixed(column) ? 0 : 1;
    if (free != m.rows.size())
        throw ExecError{line, "CNS: the model is not square: " + std::to_string(m.rows.size()) + " equation(s), " +
                                  std::to_string(free) + " non-fixed variable(s)"};
}

}  // namespace

bool emptyRow(const ModelInstance& model, const Row& row) {
    std::vector<int> stack{row.body};
    std::vector<char> seen(model.pool.nodes.size(), 0);
    while (!stack.empty()) {
        int n = stack.back();
        stack.pop_back();
        if (n < 0 || seen.at(static_cast<size_t>(n))) continue;
        seen[static_cast<size_t>(n)] = 1;
        const Node& node = model.pool.nodes[static_cast<size_t>(n)];
        if (node.op == Op::Var) return false;
        stack.insert(stack.end(), node.args.begin(), node.args.end());
    }
    return true;
}

void checkSystemStructure(const ModelInstance& model, const std::vector<int>& pairedBlocks, int line) {
    if (model.type == ModelType::MCP) checkMcp(model, pairedBlocks, line);
    else if (model.type == ModelType::CNS) checkCns(model, line);
}

}  // namespace gamsub

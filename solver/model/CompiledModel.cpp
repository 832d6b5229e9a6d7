#include "CompiledModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>

namespace gamsub {

CompiledModel::CompiledModel(const ModelInstance& model) {
    compileRows(model);
    chooseObjective(model);
    chooseVariables(model);
    buildFunctions(model);
    buildJacobian();
    buildHessian();
}

void CompiledModel::compileRows(const ModelInstance& model) {
    PoolFacts facts = analysePool(model.pool);
    AffineSplitter splitter(model.pool, facts, model.columns.size());
    std::vector<int> localOf(model.pool.nodes.size(), -1);
    std::unordered_map<int, int> tapeOfNode;  // a term shared by rows is compiled once
    rowSplits_.reserve(model.rows.size());
    rowTapes_.resize(model.rows.size());
    for (size_t r = 0; r < model.rows.size(); r++) {
        rowSplits_.push_back(splitter.split(model.rows[r].body));
        const AffineSplit& split = rowSplits_.back();
        for (int node : split.terms) {
            auto found = tapeOfNode.emplace(node, static_cast<int>(tapes_.size()));
            if (found.second) tapes_.emplace_back(model.pool, facts, node, localOf);
            rowTapes_[r].push_back(found.first->second);
        }
        if (split.linearColumns.empty() && split.terms.empty()) constantRows_.push_back(static_cast<int>(r));
    }
}

// GAMS solvers see the objective variable's defining equation and optimise
// its right-hand side directly; this keeps linear constraints linear for Ipopt.
void CompiledModel::chooseObjective(const ModelInstance& model) {
    objectiveColumn_ = model.objectiveColumn;
    sign_ = model.sense == Sense::Minimize ? 1.0 : -1.0;
    if (!hasObjective(model.type)) return;  // MCP, CNS: a system of rows, no objective
    if (objectiveColumn_ < 0 || static_cast<size_t>(objectiveColumn_) >= model.columns.size())
        throw std::invalid_argument("the objective variable is not a column of the model");
    const Column& objective = model.columns[objectiveColumn_];
    if (objective.lower != -kInf || objective.upper != kInf) return;
    int candidate = -1;
    double coefficient = 0.0;
    for (size_t r = 0; r < rowSplits_.size(); r++) {
        const AffineSplit& split = rowSplits_[r];
        for (int t : rowTapes_[r]) {
            const std::vector<int>& vars = tapes_[t].variables();
            if (std::find(vars.begin(), vars.end(), objectiveColumn_) != vars.end()) return;
        }
        auto at = std::lower_bound(split.linearColumns.begin(), split.linearColumns.end(), objectiveColumn_);
        if (at == split.linearColumns.end() || *at != objectiveColumn_) continue;
        if (candidate >= 0) return;  // appears in several rows
        candidate = static_cast<int>(r);
        coefficient = split.linearCoefficients[at - split.linearColumns.begin()];
    }
    if (candidate < 0 || model.rows[candidate].type != RowType::E) return;
    substitutedRow_ = candidate;
    substitutedCoefficient_ = coefficient;
}

void CompiledModel::chooseVariables(const ModelInstance& model) {
    std::vector<char> used(model.columns.size(), 0);
    for (size_t r = 0; r < rowSplits_.size(); r++) {
        for (int column : rowSplits_[r].linearColumns) used[column] = 1;
        for (int t : rowTapes_[r])
            for (int column : tapes_[t].variables()) used[column] = 1;
    }
    if (objectiveColumn_ >= 0) used[objectiveColumn_] = substitutedRow_ < 0 ? 1 : 0;
    // A system's paired variable is one of its unknowns even where no row uses it.
    if (!hasObjective(model.type)) std::fill(used.begin(), used.end(), 1);
    variableOfColumn_.assign(model.columns.size(), -1);
    for (size_t c = 0; c < model.columns.size(); c++) {
        if (!used[c]) continue;
        variableOfColumn_[c] = static_cast<int>(columnOfVariable_.size());
        columnOfVariable_.push_back(static_cast<int>(c));
    }
    for (TermTape& tape : tapes_) tape.remapVariables(variableOfColumn_);
}

void CompiledModel::buildFunctions(const ModelInstance& model) {
    auto convert = [&](int row, double scale, CompiledFunction& f) {
        const AffineSplit& split = rowSplits_[row];
        f.constant = scale * split.constant;
        for (size_t j = 0; j < split.linearColumns.size(); j++) {
            int variable = variableOfColumn_[split.linearColumns[j]];
            if (variable < 0) continue;  // the eliminated objective column
            f.linearVariables.push_back(variable);
            f.linearCoefficients.push_back(scale * split.linearCoefficients[j]);
        }
        for (size_t j = 0; j < rowTapes_[row].size(); j++) {
            f.tapes.push_back(rowTapes_[row][j]);
            f.weights.push_back(scale * split.termWeights[j]);
        }
    };
    if (substitutedRow_ >= 0) {
        // a*z + rest = 0  =>  z = -rest / a
        convert(substitutedRow_, -sign_ / substitutedCoefficient_, objective_);
    } else if (objectiveColumn_ >= 0) {
        objective_.linearVariables.push_back(variableOfColumn_[objectiveColumn_]);
        objective_.linearCoefficients.push_back(sign_);
    }
    for (int t : objective_.tapes)
        if (tapes_[t].degree() > 2) constantHessian_ = false;
    separateQuadratic(objective_);

    std::vector<char> isConstant(model.rows.size(), 0);
    for (int r : constantRows_) isConstant[r] = 1;
    for (size_t r = 0; r < model.rows.size(); r++) {
        if (static_cast<int>(r) == substitutedRow_ || isConstant[r]) continue;
        rowOfConstraint_.push_back(static_cast<int>(r));
        constraintType_.push_back(model.rows[r].type);
        constraints_.emplace_back();
        convert(static_cast<int>(r), 1.0, constraints_.back());
        separateQuadratic(constraints_.back());
        if (!constraints_.back().tapes.empty()) {
            constantHessian_ = false;
            (model.rows[r].type == RowType::E ? linearEqualities_ : linearInequalities_) = false;
        }
    }
}

// A tape of degree <= 2 equals its second-order expansion at 0 exactly.
void CompiledModel::separateQuadratic(CompiledFunction& f) {
    if (f.tapes.empty()) return;
    origin_.resize(columnOfVariable_.size(), 0.0);  // all zeros, shared by every function
    const std::vector<double>& origin = origin_;
    for (size_t j = 0; j < f.tapes.size(); j++) {
        const TermTape& tape = tapes_[f.tapes[j]];
        double value = 0.0;
        size_t k = tape.variables().size();
        std::vector<double> gradient(k), hessian(k * (k + 1) / 2);
        if (tape.degree() > 2 || !tape.value(origin.data(), value, workspace_) ||
            !tape.gradient(origin.data(), gradient.data(), workspace_) ||
            !tape.hessian(origin.data(), hessian.data(), workspace_)) {
            f.general.push_back(static_cast<int>(j));
            continue;
        }
        double w = f.weights[j];
        f.quadraticOffset += w * value;
        for (size_t v = 0; v < k; v++) {
            if (gradient[v] == 0.0) continue;
            f.linearVariables.push_back(tape.variables()[v]);
            f.linearCoefficients.push_back(w * gradient[v]);
        }
        for (size_t r = 0; r < k; r++)
            for (size_t c = 0; c <= r; c++) {
                double h = hessian[r * (r + 1) / 2 + c];
                if (h == 0.0) continue;
                QuadraticEntry entry;
                entry.row = std::max(tape.variables()[r], tape.variables()[c]);
                entry.column = std::min(tape.variables()[r], tape.variables()[c]);
                entry.q = w * h;
                f.quadratic.push_back(entry);
            }
    }
}

void CompiledModel::constraintBounds(int k, double& lower, double& upper) const {
    double rhs = -rowSplits_[rowOfConstraint_[k]].constant;
    lower = constraintType_[k] == RowType::L ? -kInf : rhs;
    upper = constraintType_[k] == RowType::G ? kInf : rhs;
}

void CompiledModel::buildJacobian() {
    std::vector<int> positionOf(columnOfVariable_.size(), -1);
    linearPositions_.resize(constraints_.size());
    for (size_t k = 0; k < constraints_.size(); k++) {
        const CompiledFunction& f = constraints_[k];
        // Every variable of a quadratic entry also stands in the row's tapes.
        std::vector<int> variables = f.linearVariables;
        for (int t : f.tapes) variables.insert(variables.end(), tapes_[t].variables().begin(), tapes_[t].variables().end());
        std::sort(variables.begin(), variables.end());
        variables.erase(std::unique(variables.begin(), variables.end()), variables.end());
        for (int v : variables) {
            positionOf[v] = static_cast<int>(jacobianRows_.size());
            jacobianRows_.push_back(static_cast<int>(k));
            jacobianColumns_.push_back(v);
            jacobianConstant_.push_back(0.0);
        }
        for (size_t j = 0; j < f.linearVariables.size(); j++) {
            int position = positionOf[f.linearVariables[j]];
            linearPositions_[k].push_back(position);
            jacobianConstant_[position] += f.linearCoefficients[j];
        }
        termUseStart_.push_back(static_cast<int>(termPositions_.size()));
        for (int j : f.general) {
            std::vector<int> positions;
            for (int v : tapes_[f.tapes[j]].variables()) positions.push_back(positionOf[v]);
            termPositions_.push_back(std::move(positions));
        }
        for (QuadraticEntry& entry : constraints_[k].quadratic) {
            entry.rowPosition = positionOf[entry.row];
            entry.columnPosition = positionOf[entry.column];
        }
        int countBefore = nonlinearJacobianCount_;
        std::vector<int> nonlinearVariables;
        for (int t : f.tapes)
            nonlinearVariables.insert(nonlinearVariables.end(), tapes_[t].variables().begin(), tapes_[t].variables().end());
        std::sort(nonlinearVariables.begin(), nonlinearVariables.end());
        nonlinearJacobianCount_ = countBefore + static_cast<int>(std::unique(nonlinearVariables.begin(), nonlinearVariables.end()) - nonlinearVariables.begin());
        for (int v : variables) positionOf[v] = -1;
    }
    termUseStart_.push_back(static_cast<int>(termPositions_.size()));
}

void CompiledModel::buildHessian() {
    std::unordered_map<std::uint64_t, int> positionOf;
    std::uint64_t n = columnOfVariable_.size();
    hessianPositions_.resize(tapes_.size());
    tapeMultiplier_.assign(tapes_.size(), 0.0);
    for (size_t t = 0; t < tapes_.size(); t++) {
        const std::vector<int>& vars = tapes_[t].variables();
        for (size_t r = 0; r < vars.size(); r++) {
            for (size_t c = 0; c <= r; c++) {
                std::uint64_t row = std::max(vars[r], vars[c]), column = std::min(vars[r], vars[c]);
                auto found = positionOf.emplace(row * n + column, static_cast<int>(hessianRows_.size()));
                if (found.second) {
                    hessianRows_.push_back(static_cast<int>(row));
                    hessianColumns_.push_back(static_cast<int>(column));
                }
                hessianPositions_[t].push_back(found.first->second);
            }
        }
    }
}

bool CompiledModel::functionValue(const CompiledFunction& f, const double* x, double& value) {
    double sum = f.quadraticOffset;
    for (size_t j = 0; j < f.linearVariables.size(); j++) sum += f.linearCoefficients[j] * x[f.linearVariables[j]];
    for (const QuadraticEntry& e : f.quadratic)
        sum += e.row == e.column ? 0.5 * e.q * x[e.row] * x[e.row] : e.q * x[e.row] * x[e.column];
    for (int j : f.general) {
        double term;
        if (!tapes_[f.tapes[j]].value(x, term, workspace_)) return false;
        sum += f.weights[j] * term;
    }
    value = sum;
    return std::isfinite(sum);
}

bool CompiledModel::objective(const double* x, double& value) { return functionValue(objective_, x, value); }

bool CompiledModel::objectiveGradient(const double* x, double* gradient) {
    std::fill(gradient, gradient + columnOfVariable_.size(), 0.0);
    for (size_t j = 0; j < objective_.linearVariables.size(); j++)
        gradient[objective_.linearVariables[j]] += objective_.linearCoefficients[j];
    for (const QuadraticEntry& e : objective_.quadratic) {
        gradient[e.row] += e.q * x[e.column];
        if (e.row != e.column) gradient[e.column] += e.q * x[e.row];
    }
    for (int j : objective_.general) {
        const TermTape& tape = tapes_[objective_.tapes[j]];
        scratch_.resize(tape.variables().size());
        if (!tape.gradient(x, scratch_.data(), workspace_, held_.empty())) return false;
        for (size_t v = 0; v < scratch_.size(); v++) gradient[tape.variables()[v]] += objective_.weights[j] * scratch_[v];
    }
    for (size_t v = 0; v < columnOfVariable_.size() && !held_.empty(); v++)
        if (!std::isfinite(gradient[v]) && !held_[v]) return false;
    return true;
}

bool CompiledModel::constraints(const double* x, double* values) {
    for (size_t k = 0; k < constraints_.size(); k++)
        if (!functionValue(constraints_[k], x, values[k])) return false;
    return true;
}

bool CompiledModel::jacobian(const double* x, double* values) {
    std::copy(jacobianConstant_.begin(), jacobianConstant_.end(), values);
    for (size_t k = 0; k < constraints_.size(); k++) {
        const CompiledFunction& f = constraints_[k];
        for (const QuadraticEntry& e : f.quadratic) {
            values[e.rowPosition] += e.q * x[e.column];
            if (e.row != e.column) values[e.columnPosition] += e.q * x[e.row];
        }
        for (size_t g = 0; g < f.general.size(); g++) {
            size_t j = static_cast<size_t>(f.general[g]);
            const TermTape& tape = tapes_[f.tapes[j]];
            scratch_.resize(tape.variables().size());
            if (!tape.gradient(x, scratch_.data(), workspace_, held_.empty())) return false;
            const std::vector<int>& positions = termPositions_[termUseStart_[k] + g];
            for (size_t v = 0; v < scratch_.size(); v++) values[positions[v]] += f.weights[j] * scratch_[v];
        }
    }
    for (size_t e = 0; e < jacobianColumns_.size() && !held_.empty(); e++)
        if (!std::isfinite(values[e]) && !held_[static_cast<size_t>(jacobianColumns_[e])]) return false;
    return true;
}

bool CompiledModel::lagrangianHessian(const double* x, double objectiveFactor, const double* lambda, double* values) {
    std::fill(tapeMultiplier_.begin(), tapeMultiplier_.end(), 0.0);
    for (size_t j = 0; j < objective_.tapes.size(); j++) tapeMultiplier_[objective_.tapes[j]] += objectiveFactor * objective_.weights[j];
    for (size_t k = 0; k < constraints_.size(); k++)
        for (size_t j = 0; j < constraints_[k].tapes.size(); j++)
            tapeMultiplier_[constraints_[k].tapes[j]] += lambda[k] * constraints_[k].weights[j];
    std::fill(values, values + hessianRows_.size(), 0.0);
    for (size_t t = 0; t < tapes_.size(); t++) {
        double multiplier = tapeMultiplier_[t];
        if (multiplier == 0.0) continue;
        const std::vector<int>& positions = hessianPositions_[t];
        scratch_.resize(positions.size());
        if (!tapes_[t].hessian(x, scratch_.data(), workspace_, held_.empty())) return false;
        for (size_t e = 0; e < positions.size(); e++) values[positions[e]] += multiplier * scratch_[e];
    }
    for (size_t e = 0; e < hessianRows_.size() && !held_.empty(); e++)
        if (!std::isfinite(values[e]) && !held_[static_cast<size_t>(hessianRows_[e])] &&
            !held_[static_cast<size_t>(hessianColumns_[e])])
            return false;
    return true;
}

void CompiledModel::setHeldVariables(std::vector<char> held) {
    if (!held.empty() && held.size() != columnOfVariable_.size())
        throw std::invalid_argument("held variables: " + std::to_string(held.size()) + " flags for " +
                                    std::to_string(columnOfVariable_.size()) + " variables");
    bool any = std::find(held.begin(), held.end(), char(1)) != held.end();
    held_ = any ? std::move(held) : std::vector<char>();
}

std::vector<double> CompiledModel::variablesFromColumns(const std::vector<double>& columnLevels) const {
    std::vector<double> x(columnOfVariable_.size());
    for (size_t v = 0; v < x.size(); v++) x[v] = columnLevels.at(columnOfVariable_[v]);
    return x;
}

bool CompiledModel::rowActivities(const std::vector<double>& columnLevels, std::vector<double>& activities,
                                  std::vector<double>& magnitudes) {
    std::vector<double> x = variablesFromColumns(columnLevels);
    activities.assign(rowSplits_.size(), 0.0);
    magnitudes.assign(rowSplits_.size(), 0.0);
    bool defined = true;
    for (size_t r = 0; r < rowSplits_.size(); r++) {
        const AffineSplit& split = rowSplits_[r];
        double sum = 0.0, magnitude = 0.0;
        for (size_t j = 0; j < split.linearColumns.size(); j++) {
            double term = split.linearCoefficients[j] * columnLevels.at(split.linearColumns[j]);
            sum += term;
            magnitude += std::fabs(term);
        }
        for (size_t j = 0; j < rowTapes_[r].size(); j++) {
            double term = 0.0;
            if (!tapes_[rowTapes_[r][j]].value(x.data(), term, workspace_)) { defined = false; term = std::nan(""); }
            sum += split.termWeights[j] * term;
            magnitude += std::fabs(split.termWeights[j] * term);
        }
        activities[r] = sum;
        magnitudes[r] = magnitude;
    }
    return defined;
}

}  // namespace gamsub

#include "InstanceBuilder.h"

namespace gamsub::testing {

namespace {

int blockIndex(std::vector<Block>& blocks, const std::string& name, int dimension, const std::string& text) {
    for (size_t b = 0; b < blocks.size(); b++)
        if (blocks[b].name == name) return static_cast<int>(b);
    Block block;
    block.name = name;
    block.text = text;
    block.dimension = dimension;
    blocks.push_back(block);
    return static_cast<int>(blocks.size()) - 1;
}

}  // namespace

InstanceBuilder::InstanceBuilder(ModelType type, Sense sense) {
    model_.modelName = "m";
    model_.type = type;
    model_.sense = sense;
}

int InstanceBuilder::variable(const std::string& name, std::vector<std::string> labels, double lower, double upper,
                              double level, const std::string& text) {
    Column column;
    column.block = blockIndex(model_.varBlocks, name, static_cast<int>(labels.size()), text);
    column.labels = std::move(labels);
    column.lower = lower;
    column.upper = upper;
    column.level = level;
    model_.columns.push_back(column);
    int index = static_cast<int>(model_.columns.size()) - 1;
    model_.varBlocks[column.block].members.push_back(index);
    return index;
}

void InstanceBuilder::kind(const std::string& name, VarKind kind) {
    for (Block& block : model_.varBlocks)
        if (block.name == name) block.kind = kind;
}

int InstanceBuilder::equation(const std::string& name, std::vector<std::string> labels, int lhs, RowType type, int rhs,
                              const std::string& text) {
    Row row;
    row.block = blockIndex(model_.equBlocks, name, static_cast<int>(labels.size()), text);
    row.labels = std::move(labels);
    row.type = type;
    row.body = op(Op::Sub, {lhs, rhs});
    model_.rows.push_back(row);
    int index = static_cast<int>(model_.rows.size()) - 1;
    model_.equBlocks[row.block].members.push_back(index);
    return index;
}

int InstanceBuilder::linear(const std::vector<std::pair<int, double>>& terms, double constant) {
    std::vector<int> parts;
    for (const auto& [column, coefficient] : terms) parts.push_back(mul(c(coefficient), x(column)));
    parts.push_back(c(constant));
    return op(Op::Add, parts);
}

ModelInstance& InstanceBuilder::finish(int objectiveColumn, int solveLine) {
    model_.objectiveColumn = objectiveColumn;
    model_.objectiveName = model_.varBlocks[model_.columns[objectiveColumn].block].name;
    model_.solveLine = solveLine;
    return model_;
}

}  // namespace gamsub::testing

// The symbol table: labels, sets, parameters, variables, equations and models
// with their data, as declarations and assignments leave them.
#ifndef GAMSUB_SYMBOLS_H
#define GAMSUB_SYMBOLS_H

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "Ast.h"
#include "ModelInstance.h"

namespace gamsub {

using Tuple = std::vector<int>;  // label numbers, one per index position

// The most entries a set or parameter may hold, and a statement may compute at
// once: beyond it memory, not the model, would decide how the run ends.
constexpr size_t kMaxEntries = 5000000;

// All labels in order of first appearance; GAMS orders set elements this way.
class Labels {
public:
    int intern(const std::string& label);
    int find(const std::string& label) const;  // -1 when unknown
    const std::string& name(int id) const;

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, int> index_;  // lower-case key
};

enum class SymKind { Set, Alias, Parameter, Variable, Equation, Model, File };

struct VarAttrs {
    double lo = NAN, up = NAN;  // NaN: the default of the variable's kind
    double l = 0.0, m = 0.0, scale = 1.0;
};

struct EquDefinition {
    bool defined = false;
    std::vector<std::string> domainIdx;  // index names as written in the definition
    std::vector<IndexArg> domainArgs;    // the same with their lags and leads: e(t+1).. names rows t+1
    ExprPtr condition;                   // may be null
    ExprPtr lhs, rhs;
    RowType type = RowType::E;
    int line = 0;
};

struct Symbol {
    std::string name;  // as declared
    std::string text;
    SymKind kind = SymKind::Set;
    int dim = 0;
    std::vector<int> domain;  // symbol ids of the domain sets; -1 for the universe `*`
    int aliasOf = -1;         // Alias: the set it names
    // Declared without a domain and without data (`Parameter report;`): as in
    // GAMS, the first reference with indices fixes the dimension, over `*`.
    bool domainOpen = false;
    bool singleton = false;  // Singleton Set: one element at most

    // Set: members in label order; one-dimensional sets also keep positions for ord().
    std::vector<Tuple> members;
    std::set<Tuple> memberSet;
    std::map<Tuple, std::string> memberText;
    std::unordered_map<int, int> ordOf;

    // Parameter values (absent = 0).
    std::map<Tuple, double> values;

    // Variable.
    VarKind varKind = VarKind::Free;
    std::map<Tuple, VarAttrs> attrs;

    // Equation.
    EquDefinition def;
    std::map<Tuple, std::pair<double, double>> equLevels;  // level, marginal after a solve

    // Model.
    bool allEquations = false;
    std::vector<int> excludedEquations;  // `all - e`
    std::vector<int> equations;
    // MCP equation.variable pairs (equation symbol, variable symbol), in the order written.
    std::vector<std::pair<int, int>> pairs;
    double modelStat = NAN, solveStat = NAN, objVal = NAN;
    std::map<std::string, double> modelOptions;  // m.optcr = ... and the like, set while running

    // File (put file): the external name and the attributes set so far (.nw, .nd, ...).
    std::string filePath;
    std::map<std::string, double> fileAttrs;
};

class SymbolTable {
public:
    Labels labels;
    std::vector<Symbol> symbols;

    int find(const std::string& name) const;  // -1 when undeclared
    int add(Symbol s);
    // The set an index name stands for (an alias resolved), or -1.
    int setOf(const std::string& indexName) const;
    // The root of a set: follows aliases and one-dimensional subset domains.
    int rootSet(int setId) const;
    // Whether set `sub` lies inside set `super` by declaration.
    bool within(int sub, int super) const;
    void addMember(int setId, const Tuple& t, const std::string& text);
    void finishSet(int setId);  // sorts members and fills ordOf

    double lowerOf(const Symbol& v, const VarAttrs& a) const;
    double upperOf(const Symbol& v, const VarAttrs& a) const;

private:
    std::unordered_map<std::string, int> index_;
};

std::string toLower(std::string s);

}  // namespace gamsub

#endif

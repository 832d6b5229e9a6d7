// The executable statements of a compiled model, in source order. Declarations
// and their data take effect during compilation and leave no statement.
#ifndef GAMSUB_PROGRAM_H
#define GAMSUB_PROGRAM_H

#include <string>
#include <vector>

#include "Ast.h"
#include "ModelInstance.h"

namespace gamsub {

struct DisplayItem {
    int sym = -1;      // -1 for a quoted text
    std::string attr;  // l, m, lo, up, scale for variables and equations
    std::string text;
};

struct Statement {
    enum Kind { Assign, Solve, Display, Option } kind = Assign;
    int line = 0;

    // Assign: sym[.attr](idx)$cond = value
    int sym = -1;
    std::string attr;
    std::vector<IndexArg> idx;
    ExprPtr cond, value;

    // Solve
    int model = -1;
    ModelType type = ModelType::LP;
    Sense sense = Sense::Minimize;
    int objective = -1;

    // Display
    std::vector<DisplayItem> items;

    // Option decimals = n (the only option with an effect: digits of displayed values)
    int decimals = 3;
};

}  // namespace gamsub

#endif

// The executable statements of a compiled model, in source order. Declarations
// and their data take effect during compilation and leave no statement.
#ifndef GAMSUB_PROGRAM_H
#define GAMSUB_PROGRAM_H

#include <string>
#include <utility>
#include <vector>

#include "Ast.h"
#include "ModelInstance.h"

namespace gamsub {

struct DisplayItem {
    int sym = -1;      // -1 for a quoted text
    std::string attr;  // l, m, lo, up, scale for variables and equations
    std::string text;
};

// One item of a put statement.
struct PutItem {
    enum Kind { Text, Number, Label, NewLine, Column, SelectFile } kind = Text;
    std::string text;     // Text
    ExprPtr value;        // Number; Column (the column to move to)
    std::string index;    // Label: the controlled index whose label is written
    std::string suffix;   // Label: tl (the label) or te (its element text)
    int set = -1;         // Label: the set the index runs over
    int file = -1;        // SelectFile
    int width = -1;       // `:width`, -1 when not given
    int decimals = -1;    // `:width:decimals`, -1 when not given
    int justify = 0;      // `:<` left 2, `:>` right 1, `:<>` centre 3, 0 the file's default
};

struct Statement;

// One branch of an if statement: runs `body` when `cond` holds.
struct Branch {
    ExprPtr cond;
    std::vector<Statement> body;
};

struct Statement {
    enum Kind { Assign, Solve, Display, Option, FileAttr, Put, PutClose, Loop, If, While, For, Repeat, Abort, Break, Continue, Refused, Unload } kind = Assign;
    int line = 0;

    // Assign: sym[.attr](idx)$cond = value; FileAttr: sym.attr = value
    int sym = -1;
    std::string attr;
    std::vector<IndexArg> idx;
    ExprPtr cond, value;

    // Solve
    int model = -1;
    ModelType type = ModelType::LP;
    Sense sense = Sense::Minimize;
    int objective = -1;

    // Display; Unload: the symbols to write (none: all), the file name in `attr`
    std::vector<DisplayItem> items;

    // Option: name = value pairs that have an effect (decimals, reslim, optcr,
    // optca, iterlim); the rest are accepted and ignored at compile time.
    std::vector<std::pair<std::string, double>> options;
    int decimals = -1;  // kept for `option decimals`, -1 when not set here

    // Put, PutClose: the file written to (-1: the current one) and the items.
    int file = -1;
    std::vector<PutItem> putItems;

    // Loop: the controlled indices and condition; While: cond; Repeat: cond ends it;
    // For: sym runs from value to `to` by `step` (downto: a negative step). All run `body`.
    std::vector<std::string> loopIdx;
    std::vector<Statement> body;
    ExprPtr to, step;
    bool downward = false;

    // If: branches in order (if, elseif ...), then the else part.
    std::vector<Branch> branches;
    std::vector<Statement> elseBody;
};

}  // namespace gamsub

#endif

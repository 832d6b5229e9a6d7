// Output of `display` statements on the listing's execution page.
#ifndef GAMSUB_DISPLAY_H
#define GAMSUB_DISPLAY_H

#include <ostream>

#include "Program.h"
#include "Symbols.h"

namespace gamsub {

void writeDisplay(std::ostream& out, const SymbolTable& symbols, const DisplayItem& item, int line, int decimals);

// A value as displays show it: `decimals` decimals, E-notation when that hides it.
std::string displayNumber(double v, int decimals);

}  // namespace gamsub

#endif

#include "CompileErrors.h"

namespace gamsub {

void CompileErrors::add(int line, int column, int code, const std::string& message) {
    // One error per place is enough: repeated reports of one token add nothing.
    for (const CompileError& e : errors_)
        if (e.line == line && e.column == column && e.code == code) return;
    // Keep a runaway file from filling the listing.
    if (errors_.size() >= 200) return;
    errors_.push_back({line, column < 1 ? 1 : column, code, message});
}

}  // namespace gamsub

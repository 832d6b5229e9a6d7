// What `execute_unload 'f.gdx'` writes here. No GDX library exists on this
// machine, so the symbols go to the text file f.gdx.txt instead, and the
// listing says so; a program that expects f.gdx does not find a file it
// cannot read. One block per symbol, in the order of declaration:
//
//   set i(*) 'text'                  then one line per member: 'a'.'b' 'element text'
//   parameter p(i,j) 'text'          then 'a'.'b' value
//   variable x(i) positive 'text'    then 'a' level marginal lower upper scale
//   equation e(i) 'text'             then 'a' level marginal
//
// Values at full precision (17 significant digits); +INF, -INF and NA as GAMS
// writes them. Aliases, models and files are left out, as in a GDX file.
#ifndef GAMSUB_UNLOADTEXT_H
#define GAMSUB_UNLOADTEXT_H

#include <string>
#include <vector>

#include "Symbols.h"

namespace gamsub {

// The name of the text file that stands for the GDX file `gdxName`.
std::string unloadTextName(const std::string& gdxName);

// Writes the symbols `ids` (every symbol when empty) to `path`; false when the
// file cannot be written.
bool writeUnloadText(const std::string& path, const SymbolTable& symbols, const std::vector<int>& ids,
                     const std::string& origin);

}  // namespace gamsub

#endif

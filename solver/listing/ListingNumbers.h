// Number formatting of the solution listing (the older 10-character layout).
#ifndef GAMSUB_LISTINGNUMBERS_H
#define GAMSUB_LISTINGNUMBERS_H

#include <string>

namespace gamsub {

// One 10-character value field: "      .   " for zero, "     +INF ", "     -INF ",
// %10.3f when that fits in 9 characters and does not round to zero, else
// 9-character E-notation without exponent padding (" 3.4265E+5", " -5.809E-8").
std::string listingField(double value);

// The field GAMS writes for a marginal that is zero but nonbasic.
std::string listingEpsField();

// `text` left-aligned in `width` characters (never truncated).
std::string padRight(const std::string& text, size_t width);
// `text` right-aligned in `width` characters (never truncated).
std::string padLeft(const std::string& text, size_t width);

// printf-style formatting into a string of any length.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace gamsub

#endif

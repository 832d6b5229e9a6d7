// How put statements write numbers and texts into a field: GAMS's numeric
// round formats (.nr), decimals (.nd), widths (.nw, .lw, .tw) and justification.
#ifndef GAMSUB_PUTFORMAT_H
#define GAMSUB_PUTFORMAT_H

#include <string>

namespace gamsub {

// GAMS writes at most 15 decimals in a put file; larger .nd values write 15.
constexpr int kMaxPutDecimals = 15;

enum class Justify { Right = 1, Left = 2, Centre = 3 };

struct NumberFormat {
    int width = 12;              // .nw; 0: as wide as the number needs
    int decimals = 2;            // .nd
    int style = 1;               // .nr: 0/1 fixed (E when it does not fit), 2 E-format, 3 fill the width, 4 shortest
    double zeroTolerance = 0.0;  // .nz: smaller magnitudes are written as 0
    Justify justify = Justify::Right;
};

// The number as the field shows it: fitted into `width` (asterisks when it cannot
// be), then justified; +INF, -INF and UNDF for the special values.
std::string formatPutNumber(double value, const NumberFormat& format);

// A text in a field of `width` characters (0: its own width): cut when longer, padded when shorter.
std::string fitText(const std::string& text, int width, Justify justify);

}  // namespace gamsub

#endif

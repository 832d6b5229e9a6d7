#include "ListingNumbers.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace gamsub {

std::string formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}

std::string padRight(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string padLeft(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

namespace {

// E-notation with a mantissa as long as fits into `width` characters: the
// exponent carries its sign but no leading zeros (3.4265E+5, 1.000E+10).
std::string compactExponent(double value, size_t width) {
    std::string best;
    for (int digits = 6; digits >= 0; digits--) {
        std::string text = formatted("%.*E", digits, value);
        size_t e = text.find('E');
        if (e == std::string::npos || e + 2 > text.size()) return text;
        std::string mantissa = text.substr(0, e);
        char sign = text[e + 1];
        std::string exponent = text.substr(e + 2);
        while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
        best = mantissa + "E" + sign + exponent;
        if (best.size() <= width) return best;
    }
    return best;
}

}  // namespace

std::string listingField(double value) {
    if (std::isnan(value)) return "      NA  ";
    if (std::isinf(value)) return value > 0 ? "     +INF " : "     -INF ";
    if (value == 0.0) return "      .   ";
    std::string fixed = formatted("%.3f", value);
    bool roundsToZero = fixed == "0.000" || fixed == "-0.000";
    if (fixed.size() <= 9 && !roundsToZero) return padLeft(fixed, 10);
    return padLeft(compactExponent(value, 9), 10);
}

std::string listingEpsField() { return "      EPS "; }

}  // namespace gamsub

#include "PutFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace gamsub {

namespace {

std::string printed(const char* format, int precision, double v) {
    int n = std::snprintf(nullptr, 0, format, precision, v);
    if (n <= 0) return "";
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), format, precision, v);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string fixed(double v, int decimals) { return printed("%.*f", decimals, v); }

// E-format as GAMS writes it with .nr = 2: d.dddE+xx, at least two exponent digits.
std::string scientific(double v, int decimals) { return printed("%.*E", decimals, v); }

// E+05 -> E+5: GAMS's short exponent, used where a number must squeeze into its field.
std::string shortExponent(std::string s) {
    size_t e = s.find('E');
    if (e == std::string::npos || e + 2 >= s.size()) return s;
    size_t digits = e + 2;
    while (digits + 1 < s.size() && s[digits] == '0') s.erase(digits, 1);
    return s;
}

// The general format with trailing zeros of the mantissa removed.
std::string shortest(double v, int significant) {
    std::string s = shortExponent(printed("%.*G", significant, v));
    return s;
}

bool fits(const std::string& s, int width) { return width <= 0 || static_cast<int>(s.size()) <= width; }

std::string numberText(double v, const NumberFormat& f) {
    if (std::isnan(v)) return "UNDF";
    if (std::isinf(v)) return v > 0 ? "+INF" : "-INF";
    int decimals = std::clamp(f.decimals, 0, kMaxPutDecimals);
    if (f.zeroTolerance > 0 && std::fabs(v) < f.zeroTolerance) v = 0.0;
    if (v == 0.0) v = 0.0;  // no "-0"
    std::string s;
    switch (f.style) {
    case 2:
        s = scientific(v, decimals);
        break;
    case 3:
        // As many decimals as the field holds.
        s = fixed(v, decimals);
        if (f.width > 0)
            for (int d = kMaxPutDecimals; d > decimals; d--) {
                std::string wider = fixed(v, d);
                if (fits(wider, f.width)) {
                    s = wider;
                    break;
                }
            }
        break;
    case 4:
        s = shortest(v, kMaxPutDecimals);
        for (int p = kMaxPutDecimals - 1; p >= 1 && !fits(s, f.width); p--) s = shortest(v, p);
        break;
    default:
        s = fixed(v, decimals);
        break;
    }
    // Too wide for the field: E-format with as many digits as fit (at least one
    // decimal), else asterisks.
    if (!fits(s, f.width))
        for (int d = kMaxPutDecimals; d >= 1; d--) {
            s = shortExponent(scientific(v, d));
            if (fits(s, f.width)) break;
        }
    if (!fits(s, f.width)) s.assign(static_cast<size_t>(f.width), '*');
    return s;
}

}  // namespace

std::string fitText(const std::string& text, int width, Justify justify) {
    if (width <= 0) return text;
    size_t w = static_cast<size_t>(width);
    if (text.size() >= w) return text.substr(0, w);
    size_t gap = w - text.size();
    switch (justify) {
    case Justify::Left: return text + std::string(gap, ' ');
    case Justify::Centre: return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
    case Justify::Right: break;
    }
    return std::string(gap, ' ') + text;
}

std::string formatPutNumber(double value, const NumberFormat& format) {
    return fitText(numberText(value, format), format.width, format.justify);
}

}  // namespace gamsub

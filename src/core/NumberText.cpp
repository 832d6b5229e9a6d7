#include "NumberText.h"

#include <charconv>
#include <cstdio>

namespace {

// std::to_chars with a precision gives printf's text for the matching
// conversion; printf writes what does not fit the local buffer (a huge value
// in fixed notation, a great many digits).
void appendNumber(std::string& out, double value, std::chars_format format, const char* printfFormat, int precision) {
    char buffer[128];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (written.ec == std::errc()) {
        out.append(buffer, written.ptr);
        return;
    }
    const int length = std::snprintf(nullptr, 0, printfFormat, precision, value);
    if (length <= 0) return;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(length) + 1);
    std::snprintf(&out[at], static_cast<size_t>(length) + 1, printfFormat, precision, value);
    out.resize(at + static_cast<size_t>(length));
}

}  // namespace

void appendGeneral(std::string& out, double value, int significant) {
    appendNumber(out, value, std::chars_format::general, "%.*g", significant);
}

void appendFixed(std::string& out, double value, int decimals) {
    appendNumber(out, value, std::chars_format::fixed, "%.*f", decimals);
}

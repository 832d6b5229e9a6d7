#include "CheckedNumbers.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether all of `text` is a decimal number.
bool isDecimalSyntax(const std::string& text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) i++;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) i++, digits++;
    if (i < text.size() && text[i] == '.') {
        i++;
        while (i < text.size() && isDigit(text[i])) i++, digits++;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        i++;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) i++;
        size_t exponent = 0;
        while (i < text.size() && isDigit(text[i])) i++, exponent++;
        if (exponent == 0) return false;
    }
    return i == text.size();
}

// nan, inf and infinity in any case and with a sign: numbers to strtod, not to a run.
bool namesNonFinite(const std::string& text) {
    std::string word;
    for (char c : text.substr(!text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0))
        word += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return word == "nan" || word == "inf" || word == "infinity" || word.rfind("nan(", 0) == 0;
}

const char* const kTooSmall = "is too close to 0 to be held exactly (nonzero values lie beyond 2.2e-308 in size)";

}  // namespace

std::string readDecimal(const std::string& text, double& value) {
    if (namesNonFinite(text)) return "is not a finite number";
    if (!isDecimalSyntax(text)) return "is not a number";
    errno = 0;
    char* end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return "is not a number";
    if (!std::isfinite(read)) return "is not a finite number (beyond 1.8e308 in size)";
    // strtod gives 0 or a subnormal with ERANGE when the digits say a nonzero value it cannot hold.
    if (read != 0.0 && std::fabs(read) < DBL_MIN) return kTooSmall;
    if (errno == ERANGE) return kTooSmall;
    value = read;
    return "";
}

std::string readWholeNumber(const std::string& text, long long low, long long high, long long& value) {
    size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digits = i < text.size();
    for (size_t k = i; k < text.size(); k++) digits = digits && isDigit(text[k]);
    const std::string range = "(" + std::to_string(low) + " to " + std::to_string(high) + ")";
    if (!digits) return "is not a whole number " + range;
    errno = 0;
    char* end = nullptr;
    const long long read = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || read < low || read > high) return "is out of range " + range;
    value = read;
    return "";
}

std::string quotedToken(const std::string& text) {
    const size_t kShown = 40;
    if (text.size() <= kShown) return "'" + text + "'";
    return "'" + text.substr(0, kShown) + "...' (" + std::to_string(text.size()) + " characters)";
}

std::string checkFinite(double value) {
    if (!std::isfinite(value)) return "is not a finite number";
    if (value != 0.0 && std::fabs(value) < DBL_MIN) return kTooSmall;
    return "";
}

// Small text helpers the dollar control pieces share: case, blanks, names.
#ifndef GAMSUB_TEXTBASICS_H
#define GAMSUB_TEXTBASICS_H

#include <cctype>
#include <string>

namespace gamsub::text {

inline std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Without the blanks, tabs and carriage returns at either end.
inline std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// GAMS identifiers: a letter or '_', then letters, digits and '_'.
inline bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
inline bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace gamsub::text

#endif

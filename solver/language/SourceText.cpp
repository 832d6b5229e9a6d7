#include "SourceText.h"

#include <cctype>

namespace gamsub {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Cuts an end-of-line comment, ignoring the marker inside quoted text.
std::string cutEolComment(const std::string& line, const std::string& marker) {
    if (marker.empty()) return line;
    char quote = 0;
    for (size_t i = 0; i < line.size(); i++) {
        char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (line.compare(i, marker.size(), marker) == 0) {
            return line.substr(0, i);
        }
    }
    return line;
}

// Tabs stop every 8 columns, so that tables laid out with tabs keep their columns.
std::string expandTabs(const std::string& line) {
    if (line.find('\t') == std::string::npos) return line;
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out += c;
    }
    return out;
}

// Dollar control options that only shape GAMS's own listing: accepted, no effect.
bool isListingOnlyOption(const std::string& name) {
    static const char* const names[] = {
        "onlisting", "offlisting", "offsymxref", "onsymxref", "offsymlist", "onsymlist",
        "offuellist", "onuellist", "offuelxref", "onuelxref", "stitle", "offupper", "onupper",
        "offdigit", "ondigit", "onempty", "offempty", "single", "double", "lines", "hidden"};
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

}  // namespace

SourceText prepareSource(const std::string& text, CompileErrors& errors) {
    SourceText src;
    std::vector<std::string> raw;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            if (start < text.size()) raw.push_back(text.substr(start));
            break;
        }
        raw.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }

    bool inText = false;
    bool eolOn = false;
    std::string eolMarker = "!!";
    for (size_t n = 0; n < raw.size(); n++) {
        std::string line = raw[n];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = expandTabs(line);
        SourceLine sl;
        sl.original = line;
        int lineNo = static_cast<int>(n) + 1;
        if (inText) {
            sl.numbered = false;
            if (lower(trim(line)).rfind("$offtext", 0) == 0 && !line.empty() && line[0] == '$') {
                inText = false;
                sl.numbered = true;
            }
            src.lines.push_back(sl);
            continue;
        }
        if (!line.empty() && line[0] == '*') {
            src.lines.push_back(sl);  // comment line
            continue;
        }
        if (!line.empty() && line[0] == '$') {
            size_t p = 1;
            while (p < line.size() && std::isspace(static_cast<unsigned char>(line[p]))) p++;
            size_t q = p;
            while (q < line.size() && (std::isalnum(static_cast<unsigned char>(line[q])) || line[q] == '_')) q++;
            std::string name = lower(line.substr(p, q - p));
            std::string rest = trim(line.substr(q));
            if (name == "ontext") {
                inText = true;
            } else if (name == "offtext") {
                errors.add(lineNo, static_cast<int>(q), kErrDollarControl, "$offtext without a matching $ontext");
            } else if (name == "title") {
                src.title = rest;
            } else if (name == "eolcom") {
                if (rest.empty() || rest.size() > 2) {
                    errors.add(lineNo, static_cast<int>(q), kErrDollarControl,
                               "$eolcom needs one or two characters");
                } else {
                    eolMarker = rest;
                    eolOn = true;
                }
            } else if (name == "oneolcom") {
                eolOn = true;
            } else if (name == "offeolcom") {
                eolOn = false;
            } else if (!isListingOnlyOption(name)) {
                errors.add(lineNo, static_cast<int>(q), kErrDollarControl,
                           "Dollar control option $" + line.substr(p, q - p) +
                               " is not supported by this solver");
            }
            src.lines.push_back(sl);
            continue;
        }
        sl.clean = eolOn ? cutEolComment(line, eolMarker) : line;
        src.lines.push_back(sl);
    }
    if (inText)
        errors.add(static_cast<int>(raw.size()), 1, kErrDollarControl, "$ontext without a matching $offtext");
    return src;
}

}  // namespace gamsub

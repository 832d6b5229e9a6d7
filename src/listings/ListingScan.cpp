#include "ListingScan.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "Exceptions.h"
#include "TextLines.h"

ListingFile::ListingFile(const char* name) : file_(std::fopen(name, "rt")), name_(name), lineNumber_(0) {
    if (file_ == nullptr) throw FileNotExists(name);
}

ListingFile::~ListingFile() { std::fclose(file_); }

bool ListingFile::next(std::string& line) {
    if (!readWholeLine(file_, line)) return false;
    lineNumber_++;
    // The line end cut off in place (withoutLineEnd's rule), without a copy of the line.
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool isMarkerOf(const std::string& line, const char* name, size_t& afterName) {
    if (line.compare(0, 8, "---- VAR") != 0 || line.size() < 9) return false;
    // The ninth character (a blank in GAMS listings) is not examined.
    size_t end = line.find(' ', 9);
    if (end == std::string::npos) end = line.size();
    if (line.compare(9, end - 9, name) != 0) return false;
    afterName = end;
    return true;
}

std::string nextColumn(const std::string& line, size_t& pos) {
    while (pos < line.size() && line[pos] == ' ') pos++;
    size_t start = pos;
    while (pos < line.size() && line[pos] != ' ') pos++;
    return line.substr(start, pos - start);
}

bool labelNumber(const std::string& token, long& value) {
    size_t i = 0;
    while (i < token.size() && std::isspace(static_cast<unsigned char>(token[i]))) i++;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i >= token.size() || !std::isdigit(static_cast<unsigned char>(token[i]))) return false;
    // Saturated: any number this large lies outside every container anyway.
    const long cap = 1000000000L;
    value = 0;
    for (; i < token.size() && std::isdigit(static_cast<unsigned char>(token[i])); i++)
        if (value < cap) value = value * 10 + (token[i] - '0');
    if (negative) value = -value;
    return true;
}

double levelValue(const std::string& token) { return std::strtod(token.c_str(), nullptr); }

bool forEachTableRow(ListingFile& file, const char* name, const std::function<void(const std::string& row)>& onRow) {
    bool found = false;
    std::string line;
    size_t afterName = 0;
    while (file.next(line)) {
        if (!isMarkerOf(line, name, afterName)) continue;
        found = true;
        // An empty line, the column header and another empty line precede the rows.
        bool more = true;
        for (int skipped = 0; skipped < 3 && more; skipped++) more = file.next(line);
        while (more && file.next(line) && !line.empty()) onRow(line);
    }
    return found;
}

void refuseRow(const ListingFile& file, const char* variable, const std::string& row, const std::string& reason) {
    std::string message = " > ERROR! A line of the listing cannot be read as a value of the variable.\n"
                          " >> The variable '" + std::string(variable) + "' in the file '" + file.name() +
                          "', line " + std::to_string(file.lineNumber()) + ": '" + row + "'\n >> " + reason;
    throw GeneralException(message.c_str());
}

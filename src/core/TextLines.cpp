#include "TextLines.h"

#include <fstream>

bool readWholeLine(FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

std::string withoutLineEnd(const std::string& line) {
    size_t end = line.size();
    if (end > 0 && line[end - 1] == '\n') end--;
    if (end > 0 && line[end - 1] == '\r') end--;
    return line.substr(0, end);
}

bool fexist(const char* fname) {
    if (fname == nullptr) return false;
    std::ifstream file(fname);
    return file.is_open();
}

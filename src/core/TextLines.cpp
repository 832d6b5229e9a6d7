#include "TextLines.h"

#include <cstdlib>
#include <fstream>
#include <stdio.h>

namespace {

// getdelim's buffer, kept from line to line: it grows to the longest line read.
struct LineBuffer {
    char* data = nullptr;
    size_t capacity = 0;
    ~LineBuffer() { std::free(data); }
};

}  // namespace

bool readWholeLine(FILE* file, std::string& line) {
    // One call per line instead of one per character: listings are read every round.
    thread_local LineBuffer buffer;
    const ssize_t got = getdelim(&buffer.data, &buffer.capacity, '\n', file);
    if (got <= 0) {
        line.clear();
        return false;
    }
    line.assign(buffer.data, static_cast<size_t>(got));
    return true;
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

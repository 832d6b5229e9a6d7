#include "ListingScan.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Exceptions.h"

ListingFile::ListingFile(const char* name) : name_(name) {
    const int fd = open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileNotExists(name);
    // Room for the whole file and one byte more: a regular file whose size is
    // known gives less than asked only at its end, so one read takes it all. A
    // file that grows meanwhile is read on in larger pieces, anything else
    // (a pipe, a file of /proc) to the read that gives nothing.
    struct stat info;
    const bool sized = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
    text_.resize(sized ? static_cast<size_t>(info.st_size) + 1 : 65536);
    size_t used = 0;
    for (;;) {
        if (used == text_.size()) text_.resize(2 * text_.size());
        const ssize_t got = read(fd, &text_[used], text_.size() - used);
        if (got < 0 && errno == EINTR) continue;
        // A read error ends the file where it happens, as it did for line by line reading.
        if (got <= 0) break;
        used += static_cast<size_t>(got);
        if (sized && used < text_.size()) break;
    }
    close(fd);
    text_.resize(used);
}

bool ListingFile::next(std::string_view& line) {
    if (position_ >= text_.size()) return false;
    const char* begin = text_.data() + position_;
    const size_t rest = text_.size() - position_;
    const void* feed = std::memchr(begin, '\n', rest);
    size_t length = feed != nullptr ? static_cast<size_t>(static_cast<const char*>(feed) - begin) : rest;
    position_ += feed != nullptr ? length + 1 : length;
    lineNumber_++;
    // The line end cut off as withoutLineEnd does: the line feed, then one carriage return before it.
    if (length > 0 && begin[length - 1] == '\r') length--;
    line = std::string_view(begin, length);
    return true;
}

bool ListingFile::next(std::string& line) {
    std::string_view view;
    if (!next(view)) {
        line.clear();
        return false;
    }
    line.assign(view.data(), view.size());
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

bool labelNumber(std::string_view token, long& value) {
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

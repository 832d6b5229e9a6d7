#include "ListingSource.h"

#include <algorithm>
#include <iomanip>
#include <map>
#include <string>

namespace gamsub {

namespace {

const size_t kEchoIndent = 6;  // "%4d  " before each source line

// "****" then each `$code[,code]` so that the `$` stands under its column.
std::string markerLine(const std::vector<const CompileError*>& errs) {
    std::map<int, std::vector<int>> byColumn;
    for (const CompileError* e : errs) byColumn[e->column].push_back(e->code);
    std::string line = "****";
    for (const auto& [column, codes] : byColumn) {
        size_t at = kEchoIndent + static_cast<size_t>(column) - 1;
        if (line.size() < at) line.append(at - line.size(), ' ');
        else if (line.size() > 4) line += ' ';  // overlapping markers: keep them apart
        line += '$';
        for (size_t k = 0; k < codes.size(); k++) line += (k ? "," : "") + std::to_string(codes[k]);
    }
    return line;
}

// Error explanations wrap at about 75 characters, continuation lines indented.
void writeExplanation(std::ostream& out, const CompileError& e) {
    std::string head = "**** " + std::string(e.code < 100 ? " " : "") + std::to_string(e.code) + "  ";
    std::string text = e.message;
    bool first = true;
    while (!text.empty()) {
        size_t width = 70;
        size_t cut = text.size();
        if (cut > width) {
            cut = text.rfind(' ', width);
            if (cut == std::string::npos || cut == 0) cut = width;
        }
        out << (first ? head : std::string("****         ")) << text.substr(0, cut) << '\n';
        text = cut < text.size() ? text.substr(cut + (text[cut] == ' ' ? 1 : 0)) : "";
        first = false;
    }
}

}  // namespace

void writeSourceEcho(std::ostream& out, const SourceText& source, const CompileErrors& errors) {
    std::map<int, std::vector<const CompileError*>> byLine;
    for (const CompileError& e : errors.all()) byLine[e.line].push_back(&e);
    for (size_t n = 0; n < source.lines.size(); n++) {
        int lineNo = static_cast<int>(n) + 1;
        const SourceLine& l = source.lines[n];
        if (l.numbered)
            out << std::setw(4) << lineNo << "  " << l.original << '\n';
        else
            out << "      " << l.original << '\n';
        auto it = byLine.find(lineNo);
        if (it == byLine.end()) continue;
        out << markerLine(it->second) << '\n';
        std::vector<const CompileError*> written;
        for (const CompileError* e : it->second) {
            bool seen = std::any_of(written.begin(), written.end(), [&](const CompileError* w) {
                return w->code == e->code && w->message == e->message;
            });
            if (!seen) writeExplanation(out, *e);
            written.push_back(e);
        }
        byLine.erase(it);
    }
    // Errors past the last line (an unterminated statement at the end of file).
    for (const auto& [line, errs] : byLine) {
        (void)line;
        out << markerLine(errs) << '\n';
        for (const CompileError* e : errs) writeExplanation(out, *e);
    }
}

}  // namespace gamsub

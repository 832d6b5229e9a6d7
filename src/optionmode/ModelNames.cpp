#include "ModelNames.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "Exceptions.h"

namespace {

bool isWordPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The words of the template outside comment lines ("*" in the first column).
std::set<std::string> templateWords(const std::vector<std::string>& lines) {
    std::set<std::string> words;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '*') continue;
        for (size_t i = 0; i < line.size();) {
            if (!isWordPart(line[i])) {
                i++;
                continue;
            }
            size_t end = i;
            while (end < line.size() && isWordPart(line[end])) end++;
            if (!std::isdigit(static_cast<unsigned char>(line[i]))) words.insert(lowerCase(line.substr(i, end - i)));
            i = end;
        }
    }
    return words;
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); j++) row[j] = j;
    for (size_t i = 1; i <= a.size(); i++) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); j++) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string nearestName(const std::string& name, const std::vector<std::string>& candidates) {
    std::string nearest;
    size_t distance = 3;  // a slip of one or two letters
    for (const std::string& c : candidates) {
        const size_t d = editDistance(lowerCase(name), lowerCase(c));
        if (d < distance) {
            distance = d;
            nearest = c;
        }
    }
    return nearest;
}

void refuseNameNotInTemplate(const char* option, const std::string& name, const std::string& templateName,
                             const std::vector<std::string>& templateLines) {
    if (name.empty()) return;
    const std::set<std::string> words = templateWords(templateLines);
    const std::string wanted = lowerCase(name);
    if (words.count(wanted) > 0) return;
    const std::string nearest = nearestName(wanted, std::vector<std::string>(words.begin(), words.end()));
    std::string message = " > ERROR! " + std::string(option) + " '" + name + "': the template '" + templateName +
                          "' has no variable of this name.";
    if (!nearest.empty()) message += "\n >> Did you mean '" + nearest + "'?";
    throw WrongInputParameter(message.c_str());
}

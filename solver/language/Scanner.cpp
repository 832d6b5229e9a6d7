#include "Scanner.h"

#include <cctype>
#include <cstdlib>

namespace gamsub {

namespace {
const std::string kEmpty;

bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
}  // namespace

Scanner::Scanner(const SourceText& source) : src_(source) {}

const std::string& Scanner::currentLine() const {
    if (pos_.line < 0 || pos_.line >= static_cast<int>(src_.lines.size())) return kEmpty;
    return src_.lines[static_cast<size_t>(pos_.line)].clean;
}

bool Scanner::atEnd() const { return pos_.line >= static_cast<int>(src_.lines.size()); }

char Scanner::peekChar() const {
    const std::string& l = currentLine();
    if (pos_.col < 0 || pos_.col >= static_cast<int>(l.size())) return 0;
    return l[static_cast<size_t>(pos_.col)];
}

char Scanner::getChar() {
    char c = peekChar();
    if (c) pos_.col++;
    return c;
}

bool Scanner::atLineEnd() const {
    const std::string& l = currentLine();
    for (size_t i = static_cast<size_t>(pos_.col); i < l.size(); i++)
        if (l[i] != ' ' && l[i] != '\r') return false;
    return true;
}

void Scanner::skipBlanks() {
    while (peekChar() == ' ' || peekChar() == '\r') pos_.col++;
}

void Scanner::nextLine() {
    pos_.line++;
    pos_.col = 0;
}

void Scanner::skipSpace() {
    while (!atEnd()) {
        skipBlanks();
        if (peekChar() != 0) return;
        nextLine();
    }
}

Token Scanner::next() {
    skipSpace();
    Token t;
    t.start = pos_;
    t.line = pos_.line + 1;
    if (atEnd()) {
        t.kind = Tok::End;
        t.line = static_cast<int>(src_.lines.size());
        t.lastCol = 1;
        return t;
    }
    const std::string& l = currentLine();
    size_t i = static_cast<size_t>(pos_.col);
    char c = l[i];
    size_t j = i + 1;
    if (isIdentStart(c)) {
        while (j < l.size() && isIdentChar(l[j])) j++;
        t.kind = Tok::Ident;
        t.text = l.substr(i, j - i);
    } else if (isDigit(c) || (c == '.' && j < l.size() && isDigit(l[j]))) {
        j = i;
        while (j < l.size() && isDigit(l[j])) j++;
        if (j < l.size() && l[j] == '.' && !(j + 1 < l.size() && l[j + 1] == '.')) {
            j++;
            while (j < l.size() && isDigit(l[j])) j++;
        }
        if (j < l.size() && (l[j] == 'e' || l[j] == 'E')) {
            size_t k = j + 1;
            if (k < l.size() && (l[k] == '+' || l[k] == '-')) k++;
            if (k < l.size() && isDigit(l[k])) {
                while (k < l.size() && isDigit(l[k])) k++;
                j = k;
            }
        }
        t.kind = Tok::Number;
        t.text = l.substr(i, j - i);
        t.number = std::strtod(t.text.c_str(), nullptr);
    } else if (c == '\'' || c == '"') {
        size_t k = l.find(c, i + 1);
        t.kind = Tok::String;
        if (k == std::string::npos) {
            t.text = l.substr(i + 1);  // unterminated: the parser reports it
            j = l.size();
            t.number = -1;
        } else {
            t.text = l.substr(i + 1, k - i - 1);
            j = k + 1;
        }
    } else {
        t.kind = Tok::Punct;
        auto at = [&](size_t k) { return k < l.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(l[k]))) : '\0'; };
        if (c == '=' && (at(i + 1) == 'e' || at(i + 1) == 'l' || at(i + 1) == 'g' || at(i + 1) == 'n') && at(i + 2) == '=') {
            j = i + 3;
            t.text = std::string("=") + at(i + 1) + "=";
        } else if ((c == '*' && at(i + 1) == '*') || (c == '.' && at(i + 1) == '.') ||
                   (c == '<' && (at(i + 1) == '=' || at(i + 1) == '>')) || (c == '>' && at(i + 1) == '=') ||
                   (c == '=' && at(i + 1) == '=')) {
            j = i + 2;
            t.text = l.substr(i, 2);
        } else if (c == '[' || c == '{') {
            t.text = "(";
        } else if (c == ']' || c == '}') {
            t.text = ")";
        } else {
            t.text = std::string(1, c);
        }
    }
    pos_.col = static_cast<int>(j);
    t.lastCol = static_cast<int>(j);  // 1-based column of the last character
    return t;
}

}  // namespace gamsub

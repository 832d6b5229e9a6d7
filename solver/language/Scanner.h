// Tokens of the cleaned source, with positions, plus raw character access for
// the parts of the language that are read by layout (data lists, tables, texts).
#ifndef GAMSUB_SCANNER_H
#define GAMSUB_SCANNER_H

#include <string>
#include <vector>

#include "SourceText.h"

namespace gamsub {

enum class Tok { End, Ident, Number, String, Punct };

struct Position {
    int line = 0;  // index into the source lines (0-based)
    int col = 0;   // 0-based column
};

struct Token {
    Tok kind = Tok::End;
    std::string text;  // identifier as written, punctuation, or string contents
    double number = 0.0;
    Position start;
    int line = 1;     // 1-based line for messages
    int lastCol = 1;  // 1-based column of the last character, where markers go
    bool isDot() const { return kind == Tok::Punct && text == "."; }
};

class Scanner {
public:
    explicit Scanner(const SourceText& source);

    Token next();  // skips blanks and line ends
    Position position() const { return pos_; }
    void seek(Position p) { pos_ = p; }

    // Raw access for layout-driven parsing.
    bool atEnd() const;
    bool atLineEnd() const;  // only blanks remain on the current line
    char peekChar() const;   // 0 at a line end
    char getChar();          // does not cross lines; 0 at a line end
    void skipBlanks();       // on the current line only
    void skipSpace();        // blanks and line ends
    void nextLine();
    const std::string& currentLine() const;
    int lineNumber() const { return pos_.line + 1; }

private:
    const SourceText& src_;
    Position pos_;
};

}  // namespace gamsub

#endif

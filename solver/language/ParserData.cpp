// Data read by layout: set element lists, parameter data lists and tables.
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "Evaluator.h"
#include "Parser.h"

namespace gamsub {

namespace {
bool isLabelChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '+';
}
}  // namespace

// A label: quoted, or a run of letters, digits, '_', '-' and '+'. `col` gets
// the 1-based column of its last character.
std::string Parser::readLabel(int& col) {
    char c = sc_.peekChar();
    std::string s;
    if (c == '\'' || c == '"') {
        sc_.getChar();
        while (sc_.peekChar() && sc_.peekChar() != c) s += sc_.getChar();
        col = sc_.position().col;
        if (sc_.peekChar() != c) throw Failure{sc_.lineNumber(), col, kErrSyntax, "Closing quote missing"};
        sc_.getChar();
        col = sc_.position().col;
        return s;
    }
    if (!c || !(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
        throw Failure{sc_.lineNumber(), sc_.position().col + 1, kErrSyntax, "Label expected"};
    while (isLabelChar(sc_.peekChar())) s += sc_.getChar();
    col = sc_.position().col;
    return s;
}

// After a label: whether a range `a * b` follows (GAMS allows blanks around the
// star); moves past the star when it does, and nowhere otherwise.
bool Parser::rangeStarFollows() {
    Position at = sc_.position();
    sc_.skipBlanks();
    if (sc_.peekChar() == '*') {
        sc_.getChar();
        return true;
    }
    sc_.seek(at);
    return false;
}

// label(.label)* ; returns false when a range `a*b` was read into parts[0..1].
bool Parser::readLabelTuple(std::vector<std::string>& parts, int& col) {
    parts.clear();
    parts.push_back(readLabel(col));
    if (rangeStarFollows()) {
        sc_.skipBlanks();
        parts.push_back(readLabel(col));
        return false;
    }
    while (sc_.peekChar() == '.') {
        sc_.getChar();
        if (sc_.peekChar() == '(')
            throw Failure{sc_.lineNumber(), sc_.position().col + 1, kErrUnsupported,
                          "Line " + std::to_string(sc_.lineNumber()) + ", column " + std::to_string(sc_.position().col + 1) +
                              ": parenthesised label lists are not supported by this solver"};
        parts.push_back(readLabel(col));
    }
    if (sc_.peekChar() == '(')
        throw Failure{sc_.lineNumber(), sc_.position().col + 1, kErrUnsupported,
                      "Line " + std::to_string(sc_.lineNumber()) + ", column " + std::to_string(sc_.position().col + 1) +
                          ": parenthesised label lists are not supported by this solver"};
    return true;
}

// One position of a data item: a label, a range a*b, or a parenthesised list of them.
std::vector<std::string> Parser::readLabelPosition(int& col) {
    std::vector<std::string> labels;
    bool list = sc_.peekChar() == '(';
    if (list) sc_.getChar();
    for (;;) {
        if (list) sc_.skipBlanks();
        if (sc_.peekChar() == '#') {  // #s: every element of the one-dimensional set s
            sc_.getChar();
            std::string name = readLabel(col);
            int set = st_.setOf(name);
            if (set < 0)
                throw Failure{sc_.lineNumber(), col, kErrUnknownSymbol, "'#" + name + "': '" + name + "' is not a set"};
            const Symbol& members = st_.symbols[static_cast<size_t>(set)];
            if (members.dim != 1)
                throw Failure{sc_.lineNumber(), col, kErrUnsupported,
                              "'#" + name + "' of a multi-dimensional set is not supported by this solver"};
            for (const Tuple& t : members.members) labels.push_back(st_.labels.name(t[0]));
        } else {
            std::string first = readLabel(col);
            if (rangeStarFollows()) {
                sc_.skipBlanks();
                std::string last = readLabel(col);
                for (std::string& l : expandRange(first, last, col)) labels.push_back(std::move(l));
            } else {
                labels.push_back(first);
            }
        }
        if (!list) return labels;
        sc_.skipBlanks();
        if (sc_.peekChar() == ',') {
            sc_.getChar();
            continue;
        }
        if (sc_.peekChar() != ')')
            throw Failure{sc_.lineNumber(), sc_.position().col + 1, kErrSyntax, "')' expected to close the label list"};
        sc_.getChar();
        col = sc_.position().col;
        return labels;
    }
}

// label.label..., each position possibly a range or a (list): every combination.
std::vector<std::vector<std::string>> Parser::readLabelTuples(int& col) {
    std::vector<std::vector<std::string>> tuples{{}};
    for (;;) {
        std::vector<std::string> position = readLabelPosition(col);
        std::vector<std::vector<std::string>> next;
        if (tuples.size() * position.size() > 10000000)
            throw Failure{sc_.lineNumber(), col, kErrSyntax, "Too many combinations in one data item"};
        for (const auto& t : tuples)
            for (const std::string& l : position) {
                next.push_back(t);
                next.back().push_back(l);
            }
        tuples = std::move(next);
        // `high  .p-elas`: blanks may stand before the dot when a label follows it
        // (a digit after the dot would be a number such as .5).
        Position at = sc_.position();
        sc_.skipBlanks();
        if (sc_.peekChar() == '.') {
            sc_.getChar();
            sc_.skipBlanks();
            char c = sc_.peekChar();
            if (sc_.position().col == at.col + 1 || std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
                c == '\'' || c == '"' || c == '(')
                continue;
        }
        sc_.seek(at);
        return tuples;
    }
}

// Ranges as GAMS reads them: the labels agree but for one run of digits, which
// counts up or down (s1*s9, t01*t12 keeping the zeros, 1u*10u, bc2000*bc1), or
// they agree but for a last letter (a*i, xa*xd). Anything else is refused.
std::vector<std::string> Parser::expandRange(const std::string& from, const std::string& to, int col) {
    const long kMaxRange = 1000000;
    auto bad = [&](const std::string& why) {
        return Failure{sc_.lineNumber(), col, kErrSyntax, "Bad range " + from + "*" + to + ": " + why};
    };
    // The last run of digits splits a label into prefix, number and suffix.
    auto split = [](const std::string& s, std::string& prefix, std::string& digits, std::string& suffix) {
        size_t end = s.size();
        while (end > 0 && !std::isdigit(static_cast<unsigned char>(s[end - 1]))) end--;
        size_t begin = end;
        while (begin > 0 && std::isdigit(static_cast<unsigned char>(s[begin - 1]))) begin--;
        prefix = s.substr(0, begin);
        digits = s.substr(begin, end - begin);
        suffix = s.substr(end);
    };
    std::vector<std::string> out;
    std::string p1, d1, s1, p2, d2, s2;
    split(from, p1, d1, s1);
    split(to, p2, d2, s2);
    if (!d1.empty() && !d2.empty() && toLower(p1) == toLower(p2) && toLower(s1) == toLower(s2)) {
        if (d1.size() > 9 || d2.size() > 9) throw bad("the numbers have more than 9 digits");
        long a = std::strtol(d1.c_str(), nullptr, 10), b = std::strtol(d2.c_str(), nullptr, 10);
        if (std::labs(b - a) >= kMaxRange) throw bad("more than 1000000 elements");
        bool padded = d1.size() == d2.size() && d1.size() > 1 && (d1[0] == '0' || d2[0] == '0');
        long step = b >= a ? 1 : -1;
        for (long k = a;; k += step) {
            std::string n = std::to_string(k);
            if (padded && n.size() < d1.size()) n = std::string(d1.size() - n.size(), '0') + n;
            out.push_back(p1 + n + s1);
            if (k == b) break;
        }
        return out;
    }
    bool letters = from.size() == to.size() && !from.empty() &&
                   from.compare(0, from.size() - 1, to, 0, to.size() - 1) == 0 &&
                   std::isalpha(static_cast<unsigned char>(from.back())) &&
                   std::isalpha(static_cast<unsigned char>(to.back())) &&
                   (std::islower(static_cast<unsigned char>(from.back())) != 0) ==
                       (std::islower(static_cast<unsigned char>(to.back())) != 0);
    if (!letters) throw bad("the labels must differ in one number, or in their last letter");
    char a = from.back(), b = to.back();
    int step = b >= a ? 1 : -1;
    for (char c = a;; c = static_cast<char>(c + step)) {
        out.push_back(from.substr(0, from.size() - 1) + c);
        if (c == b) break;
    }
    return out;
}

// [expression] in place of a number: evaluated when it is read, from the data
// known at that point of the file, as GAMS evaluates it at compile time.
double Parser::compileTimeValue(int& col) {
    sc_.skipBlanks();
    Position start = sc_.position();
    sc_.seek(start);
    advance();  // '[' reads as '('
    std::vector<std::string> savedControlled;
    savedControlled.swap(controlled_);
    ExprPtr e;
    try {
        e = primary();
    } catch (...) {
        controlled_.swap(savedControlled);
        throw;
    }
    controlled_.swap(savedControlled);
    sc_.seek(prevEnd_);  // back to reading by layout, right after the ']'
    col = sc_.position().col;
    Env env;
    try {
        return Evaluator(st_).eval(*e, env);
    } catch (const ExecError& err) {
        throw Failure{start.line + 1, col, kErrSyntax, "The value in brackets cannot be computed: " + err.message};
    }
}

double Parser::readValue(int& col) {
    {
        Position at = sc_.position();
        sc_.skipBlanks();
        bool bracket = sc_.peekChar() == '[';
        sc_.seek(at);
        if (bracket) return compileTimeValue(col);
    }
    std::string s;
    if (sc_.peekChar() == '+' || sc_.peekChar() == '-') s += sc_.getChar();
    sc_.skipBlanks();
    while (std::isalnum(static_cast<unsigned char>(sc_.peekChar())) || sc_.peekChar() == '.' ||
           ((sc_.peekChar() == '+' || sc_.peekChar() == '-') && !s.empty() && (s.back() == 'e' || s.back() == 'E')))
        s += sc_.getChar();
    col = sc_.position().col;
    std::string body = toLower(s[0] == '+' || s[0] == '-' ? s.substr(1) : s);
    double sign = (!s.empty() && s[0] == '-') ? -1.0 : 1.0;
    if (body == "inf") return sign * kInf;
    if (body == "eps") return 0.0;
    if (body == "na") return std::nan("");  // not available: refused wherever it would be used
    if (body.empty()) throw Failure{sc_.lineNumber(), col + 1, kErrSyntax, "Number expected"};
    char* end = nullptr;
    double v = std::strtod(body.c_str(), &end);
    if (!end || *end != '\0') throw Failure{sc_.lineNumber(), col, kErrSyntax, "Bad number '" + s + "'"};
    return sign * v;
}

// Labels to label numbers, checked against the symbol's domain.
Tuple Parser::toTuple(int sym, const std::vector<std::string>& parts, int line, int col) {
    const Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    if (static_cast<int>(parts.size()) != s.dim)
        throw Failure{line, col, kErrDimension,
                      "Dimension different: '" + s.name + "' has " + std::to_string(s.dim) + " index position(s)"};
    Tuple t;
    for (size_t k = 0; k < parts.size(); k++) {
        int id = st_.labels.intern(parts[k]);
        int d = k < s.domain.size() ? s.domain[k] : -1;
        int set = d >= 0 ? st_.setOf(st_.symbols[static_cast<size_t>(d)].name) : -1;
        if (set >= 0 && !st_.symbols[static_cast<size_t>(set)].memberSet.count(Tuple{id}))
            throw Failure{line, col, kErrDomainElement,
                          "Domain violation: '" + parts[k] + "' is not an element of set '" +
                              st_.symbols[static_cast<size_t>(set)].name + "'"};
        t.push_back(id);
    }
    return t;
}

// Back to token mode after the closing '/'.
void Parser::endRawData() {
    tokEnd_ = sc_.position();
    advance();
}

// Raw mode from the opening '/' of a data list.
void Parser::beginRawData() {
    sc_.seek(tok_.start);
    sc_.getChar();
}

// Skips blanks and commas to the next item; false once the closing '/' is read.
bool Parser::nextDataItem(const char* list) {
    for (;;) {
        sc_.skipSpace();
        if (sc_.atEnd()) throw Failure{sc_.lineNumber() - 1, 1, kErrSyntax, std::string("'/' expected to close the ") + list};
        char c = sc_.peekChar();
        if (c == '/') {
            sc_.getChar();
            return false;
        }
        if (c != ',') return true;
        sc_.getChar();
    }
}

void Parser::setData(int sym) {
    beginRawData();
    while (nextDataItem("element list")) {
        int line = sc_.lineNumber(), col = 0;
        std::vector<std::vector<std::string>> tuples = readLabelTuples(col);
        if (!tuples.empty()) fixOpenDomain(sym, tuples.front().size());  // Set s / a.x /: two-dimensional over `*`
        sc_.skipBlanks();
        std::string text;
        char q = sc_.peekChar();
        if (q == '\'' || q == '"') {
            int tc = 0;
            text = readLabel(tc);
        } else if (q && q != ',' && q != '/') {
            while (sc_.peekChar() && sc_.peekChar() != ',' && sc_.peekChar() != '/') text += sc_.getChar();
            while (!text.empty() && text.back() == ' ') text.pop_back();
        }
        for (const auto& parts : tuples) {
            st_.addMember(sym, toTuple(sym, parts, line, col), text);
            if (st_.symbols[static_cast<size_t>(sym)].members.size() > kMaxEntries)
                throw Failure{line, col, kErrSyntax,
                              "Set '" + st_.symbols[static_cast<size_t>(sym)].name + "' would hold more than " +
                                  std::to_string(kMaxEntries) + " elements, the most this solver keeps in one set"};
        }
    }
    endRawData();
}

void Parser::parameterData(int sym) {
    beginRawData();
    Symbol& s = st_.symbols[static_cast<size_t>(sym)];
    while (nextDataItem("data list")) {
        int line = sc_.lineNumber(), col = 0;
        if (s.domainOpen) {
            // Parameter p / a 1, b 2 /: labels make it a parameter over `*`, a number a scalar.
            char c = sc_.peekChar();
            bool label = c == '\'' || c == '"' || std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '(' || c == '#';
            Position at = sc_.position();
            std::string word;
            while (std::isalpha(static_cast<unsigned char>(sc_.peekChar()))) word += sc_.getChar();
            sc_.seek(at);
            word = toLower(word);
            if (word == "inf" || word == "eps" || word == "na") label = false;
            size_t dim = 0;
            if (label) {
                std::vector<std::vector<std::string>> probe = readLabelTuples(col);
                if (probe.empty())
                    throw Failure{line, col, kErrDimension, "An empty set in the data of '" +
                                                                st_.symbols[static_cast<size_t>(sym)].name +
                                                                "' leaves its dimension unknown"};
                dim = probe.front().size();
                sc_.seek(at);
            }
            fixOpenDomain(sym, dim);
        }
        if (s.dim == 0) {
            st_.symbols[static_cast<size_t>(sym)].values[Tuple{}] = readValue(col);
            continue;
        }
        // `1*3 5` and `(a,b).x 5` give every element the value.
        std::vector<Tuple> targets;
        for (const auto& parts : readLabelTuples(col)) targets.push_back(toTuple(sym, parts, line, col));
        sc_.skipBlanks();
        if (sc_.peekChar() == '=') sc_.getChar();
        sc_.skipBlanks();
        double v = readValue(col);
        for (const Tuple& t : targets) st_.symbols[static_cast<size_t>(sym)].values[t] = v;
    }
    endRawData();
}

void Parser::declareTable() {
    Token nameTok = tok_;
    expectIdent("a table name");
    // A parameter declared before without data may get its data from a table.
    int again = laterData(SymKind::Parameter, nameTok);
    int sym = again >= 0 ? again : declareName(SymKind::Parameter, nameTok);
    std::vector<int> dom = domainList();
    Symbol& declared = st_.symbols[static_cast<size_t>(sym)];
    if (again >= 0 && !declared.domainOpen) {
        if (!dom.empty() && static_cast<int>(dom.size()) != declared.dim)
            failAt(nameTok, kErrDimension, "Dimension different from the earlier declaration of '" + nameTok.text + "'");
        dom = declared.domain;
    }
    declared.domainOpen = false;
    bool inferred = dom.empty();  // Table td: the dimension comes from its labels
    if (dom.size() == 1) failAt(nameTok, kErrDimension, "A table needs at least two index positions");
    setDomain(sym, dom);
    std::string text = explanatoryText(true);
    if (!text.empty() || again < 0) st_.symbols[static_cast<size_t>(sym)].text = text;

    // The header is the first non-empty line after the declaration line.
    sc_.seek(prevEnd_);
    sc_.skipBlanks();
    if (!sc_.atLineEnd()) fail(kErrSyntax, "The table's column labels must start on a new line");
    sc_.nextLine();
    while (!sc_.atEnd() && sc_.atLineEnd()) sc_.nextLine();
    if (sc_.atEnd()) throw Failure{sc_.lineNumber() - 1, 1, kErrSyntax, "Table without data"};
    struct Column {
        int from, to;  // 0-based columns of the header label
        std::vector<std::string> parts;
    };
    std::vector<Column> columns;
    auto readHeader = [&]() {
        columns.clear();
        sc_.skipBlanks();
        while (!sc_.atLineEnd()) {
            int from = sc_.position().col, col = 0;
            std::vector<std::string> parts;
            if (!readLabelTuple(parts, col))
                throw Failure{sc_.lineNumber(), col, kErrUnsupported, "Ranges are not supported in table headers"};
            columns.push_back({from, col - 1, parts});
            sc_.skipBlanks();
        }
    };
    readHeader();
    bool done = false;
    while (!done) {
        sc_.nextLine();
        if (sc_.atEnd()) throw Failure{sc_.lineNumber() - 1, 1, kErrSyntax, "';' expected at the end of the table"};
        sc_.skipBlanks();
        if (sc_.atLineEnd()) continue;
        if (sc_.peekChar() == ';') {
            sc_.getChar();
            break;
        }
        if (sc_.peekChar() == '+') {  // a continuation block: new column labels, then its rows
            sc_.getChar();
            readHeader();
            continue;
        }
        {
            // A table may end without ';' when the next statement begins.
            Position rowStart = sc_.position();
            std::string word;
            while (std::isalpha(static_cast<unsigned char>(sc_.peekChar()))) word += sc_.getChar();
            char after = sc_.peekChar();
            sc_.seek(rowStart);
            if (!word.empty() && isDeclarationKeyword(word) && !std::isalnum(static_cast<unsigned char>(after)) &&
                after != '_' && after != '.' && after != '-') {
                sc_.seek(Position{rowStart.line, 0});
                tokEnd_ = sc_.position();
                advance();
                return;
            }
        }
        int line = sc_.lineNumber(), col = 0;
        // A row label may name several rows: (low,medium,high).ynot, r1*r3.
        std::vector<std::vector<std::string>> rows = readLabelTuples(col);
        for (;;) {
            sc_.skipBlanks();
            if (sc_.atLineEnd()) break;
            if (sc_.peekChar() == ';') {
                sc_.getChar();
                done = true;
                break;
            }
            int from = sc_.position().col;
            double v = readValue(col);
            int to = col - 1;
            // The number belongs to the column label it overlaps most.
            int best = -1, bestOverlap = 0;
            for (size_t k = 0; k < columns.size(); k++) {
                int overlap = std::min(to, columns[k].to) - std::max(from, columns[k].from) + 1;
                if (overlap > bestOverlap) {
                    bestOverlap = overlap;
                    best = static_cast<int>(k);
                }
            }
            // A number wholly left of a label, right of the label before it, belongs to it.
            for (size_t k = 0; best < 0 && k < columns.size(); k++)
                if (to < columns[k].from && (k == 0 || from > columns[k - 1].to)) best = static_cast<int>(k);
            if (best < 0) throw Failure{line, col, kErrSyntax, "Number not under any column label of the table"};
            for (const std::vector<std::string>& row : rows) {
                std::vector<std::string> parts = row;
                parts.insert(parts.end(), columns[static_cast<size_t>(best)].parts.begin(),
                             columns[static_cast<size_t>(best)].parts.end());
                if (inferred) {
                    setDomain(sym, std::vector<int>(parts.size(), -1));
                    inferred = false;
                }
                st_.symbols[static_cast<size_t>(sym)].values[toTuple(sym, parts, line, col)] = v;
            }
        }
    }
    endRawData();
    if (isPunct(";")) advance();  // tolerate nothing else: the table ended with ';'
}

}  // namespace gamsub

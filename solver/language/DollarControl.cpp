#include "DollarControl.h"
#include "TextBasics.h"

#include <cctype>
#include <cmath>
#include <iomanip>
#include <sstream>
#include <cstdlib>
#include <vector>

namespace gamsub {

using text::lower;
using text::isNameChar;


namespace {

void skipBlanks(const std::string& s, size_t& i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) i++;
}

// A word, a quoted string, or a run of non-blanks (up to `==` when `stopAtEquals`).
std::string readOperand(const std::string& s, size_t& i, bool stopAtEquals) {
    skipBlanks(s, i);
    std::string out;
    if (i < s.size() && (s[i] == '\'' || s[i] == '"')) {
        char q = s[i++];
        while (i < s.size() && s[i] != q) out += s[i++];
        if (i < s.size()) i++;
        return out;
    }
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && !(stopAtEquals && s.compare(i, 2, "==") == 0)) out += s[i++];
    return out;
}

// Recursive descent over a constant expression; nesting is bounded. GAMS's
// precedence: or/xor below and, below not, below the comparisons, below + -,
// below * /, below **, below the unary signs.
class ConstantParser {
public:
    ConstantParser(const std::string& s, const CardinalityLookup* card) : s_(s), card_(card) {}
    bool parse(double& v, std::string& error) {
        bool ok = disjunction(v) && (skip(), pos_ == s_.size());
        if (!ok) error = error_.empty() ? "cannot evaluate '" + s_ + "'" : error_;
        return ok;
    }

private:
    void skip() { skipBlanks(s_, pos_); }
    bool eat(const char* t) {
        skip();
        size_t n = std::char_traits<char>::length(t);
        if (s_.compare(pos_, n, t) != 0) return false;
        if (n == 1 && t[0] == '*' && s_.compare(pos_, 2, "**") == 0) return false;
        if (n == 1 && (t[0] == '<' || t[0] == '>') && s_.compare(pos_ + 1, 1, "=") == 0) return false;
        if (n == 1 && t[0] == '<' && s_.compare(pos_ + 1, 1, ">") == 0) return false;
        if (n == 1 && t[0] == '=' && s_.compare(pos_, 2, "==") == 0) return false;
        pos_ += n;
        return true;
    }
    // A word operator (and, lt, not, ...), whole words only, any case.
    bool eatWord(const char* w) {
        skip();
        size_t n = std::char_traits<char>::length(w);
        if (pos_ + n > s_.size() || lower(s_.substr(pos_, n)) != w) return false;
        if (pos_ + n < s_.size() && isNameChar(s_[pos_ + n])) return false;
        pos_ += n;
        return true;
    }
    static double truth(bool b) { return b ? 1.0 : 0.0; }
    bool disjunction(double& v) {
        if (!conjunction(v)) return false;
        for (;;) {
            double r;
            bool isOr = eatWord("or");
            if (!isOr && !eatWord("xor")) return true;
            if (!conjunction(r)) return false;
            v = isOr ? truth(v != 0 || r != 0) : truth((v != 0) != (r != 0));
        }
    }
    bool conjunction(double& v) {
        if (!negation(v)) return false;
        while (eatWord("and")) {
            double r;
            if (!negation(r)) return false;
            v = truth(v != 0 && r != 0);
        }
        return true;
    }
    bool negation(double& v) {
        if (eatWord("not")) {
            if (!negation(v)) return false;
            v = truth(v == 0);
            return true;
        }
        return comparison(v);
    }
    bool comparison(double& v) {
        if (!sum(v)) return false;
        double r;
        if (eat("<=") || eatWord("le")) return sum(r) && (v = truth(v <= r), true);
        if (eat(">=") || eatWord("ge")) return sum(r) && (v = truth(v >= r), true);
        if (eat("<>") || eatWord("ne")) return sum(r) && (v = truth(v != r), true);
        if (eat("<") || eatWord("lt")) return sum(r) && (v = truth(v < r), true);
        if (eat(">") || eatWord("gt")) return sum(r) && (v = truth(v > r), true);
        if (eat("=") || eatWord("eq")) return sum(r) && (v = truth(v == r), true);
        return true;
    }
    bool sum(double& v) {
        if (!product(v)) return false;
        for (;;) {
            double r;
            if (eat("+")) {
                if (!product(r)) return false;
                v += r;
            } else if (eat("-")) {
                if (!product(r)) return false;
                v -= r;
            } else {
                return true;
            }
        }
    }
    bool product(double& v) {
        if (!power(v)) return false;
        for (;;) {
            double r;
            if (eat("*")) {
                if (!power(r)) return false;
                v *= r;
            } else if (eat("/")) {
                if (!power(r)) return false;
                if (r == 0) {
                    error_ = "division by zero";
                    return false;
                }
                v /= r;
            } else {
                return true;
            }
        }
    }
    bool power(double& v) {
        if (!unary(v)) return false;
        while (eat("**")) {
            double r;
            if (!unary(r)) return false;
            v = std::pow(v, r);
        }
        return true;
    }
    bool unary(double& v) {
        if (eat("-")) {
            if (!unary(v)) return false;
            v = -v;
            return true;
        }
        if (eat("+")) return unary(v);
        return atom(v);
    }
    bool atom(double& v) {
        if (++depth_ > 100) {
            error_ = "expression nested too deeply";
            return false;
        }
        skip();
        bool ok = atomBody(v);
        depth_--;
        return ok;
    }
    // card(NAME): the number of elements the set has at compile time.
    bool cardinality(double& v) {
        skip();
        size_t from = pos_;
        while (pos_ < s_.size() && isNameChar(s_[pos_])) pos_++;
        std::string name = s_.substr(from, pos_ - from);
        if (name.empty() || !eat(")")) return false;
        if (!card_ || !*card_) {
            error_ = "card(" + name + ") needs the model's sets, which are not known here";
            return false;
        }
        return (*card_)(name, v, error_);
    }
    bool atomBody(double& v) {
        if (eat("(")) return disjunction(v) && eat(")");
        if (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.')) {
            const char* start = s_.c_str() + pos_;
            char* end = nullptr;
            v = std::strtod(start, &end);
            pos_ += static_cast<size_t>(end - start);
            return end != start;
        }
        std::string name;
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_]))) name += s_[pos_++];
        name = lower(name);
        if (name == "inf") {
            v = INFINITY;
            return true;
        }
        if (name == "pi") {
            v = M_PI;
            return true;
        }
        if (name.empty() || !eat("(")) return false;
        if (name == "card") return cardinality(v);
        std::vector<double> args(1);
        if (!disjunction(args[0])) return false;
        while (eat(",")) {
            args.push_back(0);
            if (!disjunction(args.back())) return false;
        }
        if (!eat(")")) return false;
        double a = args[0], b = args.size() > 1 ? args[1] : 0;
        if (name == "abs") v = std::fabs(a);
        else if (name == "floor") v = std::floor(a);
        else if (name == "ceil") v = std::ceil(a);
        else if (name == "round") v = std::round(a * std::pow(10.0, b)) / std::pow(10.0, b);
        else if (name == "min") v = std::fmin(a, b);
        else if (name == "max") v = std::fmax(a, b);
        else if (name == "mod" && b != 0) v = std::fmod(a, b);
        else if (name == "sqr") v = a * a;
        else if (name == "sqrt" && a >= 0) v = std::sqrt(a);
        else if (name == "fact" && a >= 0 && a <= 170 && a == std::floor(a)) v = std::tgamma(a + 1);
        else return false;
        return true;
    }

    const std::string& s_;
    const CardinalityLookup* card_;
    size_t pos_ = 0;
    int depth_ = 0;
    std::string error_;
};

// One operand of $ife: up to a blank outside parentheses and quotes (or to `==`).
std::string readExpression(const std::string& s, size_t& i) {
    skipBlanks(s, i);
    std::string out;
    int depth = 0;
    char quote = 0;
    while (i < s.size()) {
        char c = s[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            depth++;
        } else if (c == ')') {
            depth--;
        } else if (depth <= 0 && (c == ' ' || c == '\t' || s.compare(i, 2, "==") == 0)) {
            break;
        }
        out += c;
        i++;
    }
    return out;
}

}  // namespace

bool systemConstant(const std::string& name, std::string& value) {
    static const char* const modelStats[] = {
        "optimal",         "locallyoptimal",  "unbounded",          "infeasible",          "locallyinfeasible",
        "intermediateinfeasible", "feasiblesolution", "integersolution", "intermediatenoninteger",
        "integerinfeasible", "licensingproblem", "errorunknown",    "errornosolution",     "nosolutionreturned",
        "solvedunique",    "solved",          "solvedsingular",     "unboundednosolution", "infeasiblenosolution"};
    static const char* const solveStats[] = {
        "normalcompletion", "iterationinterrupt", "resourceinterrupt", "terminatedbysolver", "evaluationinterrupt",
        "capabilityproblems", "licensingproblems", "userinterrupt", "setupfailure", "solverfailure",
        "internalsolverfailure", "solveprocessingskipped", "systemfailure"};
    auto find = [&](const std::string& prefix, const char* const* begin, const char* const* end) {
        if (name.compare(0, prefix.size(), prefix) != 0) return false;
        std::string rest = name.substr(prefix.size());
        for (const char* const* k = begin; k != end; ++k)
            if (rest == *k) {
                value = std::to_string(k - begin + 1);
                return true;
            }
        return false;
    };
    // solPrint and solveLink values are numbered from 0.
    static const char* const solPrints[] = {"summary", "report", "quiet"};
    static const char* const solveLinks[] = {"chainscript",    "callscript",    "callmodule",  "asyncgrid",
                                             "asyncsimulate",  "loadlibrary",   "asyncthreads", "threadssimulate"};
    auto fromZero = [&](const std::string& prefix, const char* const* begin, const char* const* end) {
        if (!find(prefix, begin, end)) return false;
        value = std::to_string(std::stoi(value) - 1);
        return true;
    };
    return find("modelstat.", std::begin(modelStats), std::end(modelStats)) ||
           find("solvestat.", std::begin(solveStats), std::end(solveStats)) ||
           fromZero("solprint.", std::begin(solPrints), std::end(solPrints)) ||
           fromZero("solvelink.", std::begin(solveLinks), std::end(solveLinks));
}

namespace {
// gams.u1 .. gams.u9 and gams.user1 .. gams.user9: user parameters, empty when not
// given; so is gams.jt (the job trace file).
bool isUserParameter(const std::string& name) {
    if (name == "gams.jt") return true;
    for (const char* prefix : {"gams.user", "gams.u"}) {
        size_t n = std::char_traits<char>::length(prefix);
        if (name.size() == n + 1 && name.compare(0, n, prefix) == 0 && name[n] >= '1' && name[n] <= '9') return true;
    }
    return false;
}
}  // namespace

std::string substituteVariables(const std::string& line, const std::map<std::string, std::string>& variables,
                                std::vector<std::string>* unknown, const std::vector<std::string>* arguments) {
    if (line.find('%') == std::string::npos) return line;
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        if (arguments && line[i] == '%' && i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 1]))) {
            size_t end = i + 1;
            while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) end++;
            size_t n = std::strtoul(line.substr(i + 1, end - i - 1).c_str(), nullptr, 10);
            if (n >= 1 && n <= arguments->size()) out += (*arguments)[n - 1];
            i = end;
            continue;
        }
        size_t close = line[i] == '%' ? line.find('%', i + 1) : std::string::npos;
        if (close == std::string::npos || close == i + 1) {
            out += line[i++];
            continue;
        }
        std::string name = lower(line.substr(i + 1, close - i - 1));
        bool plain = name.find_first_of(" \t'\"") == std::string::npos;
        auto it = plain ? variables.find(name) : variables.end();
        std::string constant;
        if (it != variables.end()) {
            out += it->second;
            i = close + 1;
        } else if (plain && systemConstant(name, constant)) {
            out += constant;
            i = close + 1;
        } else if (plain && isUserParameter(name)) {
            i = close + 1;
        } else {
            if (plain && unknown && (name.rfind("gams.", 0) == 0 || name.rfind("system.", 0) == 0))
                unknown->push_back(line.substr(i, close - i + 1));
            out += line[i++];
        }
    }
    return out;
}

bool readCondition(const std::string& text, bool ignoreCase, bool numeric,
                   const std::map<std::string, std::string>& variables,
                   const std::function<bool(const std::string&)>& fileExists, bool& holds, std::string& rest,
                   const CardinalityLookup& card, std::string* problem) {
    size_t i = 0;
    bool negate = false;
    skipBlanks(text, i);
    size_t save = i;
    if (lower(readOperand(text, i, false)) == "not") negate = true;
    else i = save;
    save = i;
    std::string word = lower(readOperand(text, i, false));
    if (word == "set" || word == "setglobal" || word == "setlocal" || word == "exist" || word == "declared" ||
        word == "defined") {
        std::string name = readOperand(text, i, false);
        if (name.empty()) return false;
        if (word == "exist") holds = fileExists(name);
        else if (word == "declared" || word == "defined") return false;  // needs the symbol table: not here
        else holds = variables.count(lower(name)) > 0;
    } else if (numeric) {
        // $ife: an expression, true when not zero, or two compared as numbers by ==.
        i = save;
        std::string a = readExpression(text, i);
        double x = 0, y = 0;
        std::string why;
        if (a.empty() || !evaluateConstant(a, x, why, card)) {
            if (problem) *problem = why;
            return false;
        }
        skipBlanks(text, i);
        if (text.compare(i, 2, "==") == 0) {
            i += 2;
            std::string b = readExpression(text, i);
            if (b.empty() || !evaluateConstant(b, y, why, card)) {
                if (problem) *problem = why;
                return false;
            }
            holds = x == y;
        } else {
            holds = x != 0;
        }
    } else {
        i = save;
        std::string a = readOperand(text, i, true);
        skipBlanks(text, i);
        if (text.compare(i, 2, "==") != 0) return false;
        i += 2;
        std::string b = readOperand(text, i, false);
        holds = ignoreCase ? lower(a) == lower(b) : a == b;
    }
    if (negate) holds = !holds;
    skipBlanks(text, i);
    rest = text.substr(i);
    return true;
}

bool evaluateConstant(const std::string& text, double& value, std::string& error, const CardinalityLookup& card) {
    return ConstantParser(text, &card).parse(value, error);
}

std::string evalText(double value) {
    std::ostringstream out;
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        out << std::fixed << std::setprecision(0) << value;
    else
        out << std::setprecision(15) << value;
    return out.str();
}

}  // namespace gamsub

#include "SourceText.h"
#include "TextBasics.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CompileTimeSets.h"
#include "DollarControl.h"
#include "Macros.h"
#include "SolverControls.h"

namespace gamsub {

using text::lower;
using text::trim;


namespace {

// Cuts an end-of-line comment, ignoring the marker inside quoted text.
std::string cutEolComment(const std::string& line, const std::string& marker) {
    if (marker.empty()) return line;
    char quote = 0;
    for (size_t i = 0; i < line.size(); i++) {
        char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (line.compare(i, marker.size(), marker) == 0) {
            return line.substr(0, i);
        }
    }
    return line;
}

// Blanks out in-line comments between `open` and `close`, which may span lines.
std::string cutInlineComments(const std::string& line, const std::string& open, const std::string& close,
                              bool& inComment) {
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        if (inComment) {
            size_t end = line.find(close, i);
            if (end == std::string::npos) return out;
            out.append(end + close.size() - i, ' ');
            i = end + close.size();
            inComment = false;
        } else if (line.compare(i, open.size(), open) == 0) {
            inComment = true;
        } else {
            out += line[i++];
        }
    }
    return out;
}

// Tabs stop every 8 columns, so that tables laid out with tabs keep their columns.
std::string expandTabs(const std::string& line) {
    if (line.find('\t') == std::string::npos) return line;
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out += c;
    }
    return out;
}

// Dollar control options that only shape GAMS's own listing or its checks: accepted, no effect.
bool isIgnoredOption(const std::string& name) {
    static const char* const names[] = {
        "onlisting", "offlisting", "offsymxref", "onsymxref", "offsymlist", "onsymlist", "offuellist",
        "onuellist", "offuelxref", "onuelxref", "stitle", "offupper", "onupper", "offdigit", "ondigit",
        "onempty", "offempty", "single", "double", "lines", "hidden", "log", "onmulti", "offmulti",
        "onwarning", "offwarning", "onglobal", "offglobal", "ondollar", "offdollar", "onlog",
        "offlog", "offorder", "onorder", "onimplicitassign", "offimplicitassign", "onend", "offend",
        "oninclude", "offinclude", "show", "version", "onrecurse", "offrecurse", "eject", "onverbatim",
        "offverbatim"};
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> raw;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            if (start < text.size()) raw.push_back(text.substr(start));
            break;
        }
        raw.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return raw;
}

// Bounds on what compilation may build, so that a source that grows itself
// ends with a message instead of taking all the memory.
constexpr size_t kMaxSubstitutionGrowth = 10000000;
constexpr long kMaxIncludes = 100000;
constexpr size_t kMaxSourceLines = 10000000;

class Preprocessor {
public:
    Preprocessor(SourceText& src, CompileErrors& errors, const SourceSettings& settings)
        : src_(src), errors_(errors), variables_(settings.variables) {
        addSystemSettings(settings);
    }

    void file(const std::string& text, const std::string& directory, int depth);
    void finish();

private:
    struct Condition {
        bool active;      // lines are read
        bool taken;       // a branch of this $ifthen was active
        bool outerActive; // the enclosing state
    };
    int lineNo() const { return static_cast<int>(src_.lines.size()); }  // 1-based, after the push
    bool active() const { return conditions_.empty() || conditions_.back().active; }
    void error(int column, const std::string& message) { errors_.add(lineNo(), column, kErrDollarControl, message); }
    void directive(const std::string& line, size_t from, const std::string& directory, int depth);
    void include(const std::string& rest, const std::string& directory, int depth, int column, bool withArguments);
    void addSystemSettings(const SourceSettings& settings);
    void reportUnknownSettings(const std::vector<std::string>& unknown);
    std::string substitute(const std::string& line);
    std::string substituteQuietly(const std::string& line) const {
        return substituteVariables(line, variables_, nullptr, arguments_.empty() ? nullptr : &arguments_.back());
    }
    std::string withinColumns(const std::string& line) const;
    std::string withMacros(const std::string& clean) {
        std::string out, why;
        if (macros_.expand(clean, out, why)) return out;
        error(1, why);
        return clean;
    }
    CardinalityLookup cardinality() const {
        return [this](const std::string& name, double& count, std::string& why) {
            return compileTimeCardinality(src_, name, count, why);
        };
    }
    void jump(const std::vector<std::string>& lines, size_t& k);
    bool echoTarget(const std::string& rest, std::string& before);
    void writeEcho(int column);
    std::string resolve(const std::string& name, const std::string& directory) const;

    SourceText& src_;
    CompileErrors& errors_;
    std::map<std::string, std::string> variables_;
    std::vector<Condition> conditions_;
    bool inText_ = false, eolOn_ = false, inlineOn_ = false, inInline_ = false, exit_ = false;
    std::string eolMarker_ = "!!", inlineOpen_ = "/*", inlineClose_ = "*/";
    size_t minCol_ = 1, maxCol_ = std::string::npos;  // $mincol, $maxcol: the columns read (all unless set)
    struct Echo {
        bool on = false, append = false, verbatim = false;
        std::string path, text;
    } echo_;
    std::vector<std::vector<std::string>> arguments_;  // $batinclude's arguments, innermost last
    MacroTable macros_;
    std::string goto_;  // the label a $goto asked for, until the file's loop jumps there
    long jumps_ = 0;
    long includes_ = 0;
    bool stopped_ = false;  // a bound was reached: nothing more is read, in any file
};

std::string Preprocessor::resolve(const std::string& name, const std::string& directory) const {
    std::string path = name;
    if (!path.empty() && path[0] != '/' && !directory.empty()) path = directory + "/" + path;
    if (!fileExists(path) && fileExists(path + ".gms")) path += ".gms";
    return path;
}

// Splits $batinclude's arguments: words, or quoted texts that may hold blanks.
std::vector<std::string> splitArguments(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) i++;
        if (i >= text.size()) break;
        std::string word;
        if (text[i] == '\'' || text[i] == '"') {
            char q = text[i++];
            while (i < text.size() && text[i] != q) word += text[i++];
            if (i < text.size()) i++;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t') word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

void Preprocessor::include(const std::string& rest, const std::string& directory, int depth, int column,
                           bool withArguments) {
    std::vector<std::string> words = splitArguments(trim(rest));
    std::string name = words.empty() ? std::string() : words[0];
    if (name.empty()) return error(column, "$include needs a file name");
    if (!withArguments && words.size() > 1)
        return error(column, "$include takes one file name; text after it (" + words[1] + ") is not read by this solver");
    if (stopped_) return;
    if (depth >= 40) {
        stopped_ = true;  // one message: the includes above this one would each repeat it
        return error(column, "$include nested more than 40 deep (does a file include itself?)");
    }
    if (++includes_ > kMaxIncludes) {
        stopped_ = true;
        return error(column, "More than " + std::to_string(kMaxIncludes) + " $include operations (does a file include itself?)");
    }
    std::string path = resolve(name, directory);
    std::ifstream in;
    if (fileExists(path)) in.open(path, std::ios::binary);  // regular files only: no devices, no folders
    if (!in.is_open()) return error(column, "Could not open the include file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    // $batinclude: %1, %2, ... are the arguments inside the included file only.
    std::vector<std::vector<std::string>> outer;
    outer.swap(arguments_);
    if (withArguments) arguments_.emplace_back(words.begin() + 1, words.end());
    file(text.str(), directoryOf(path), depth + 1);
    arguments_.swap(outer);
    exit_ = false;  // $exit ends the included file only
}

// The system settings this solver knows: the directory separator, the input
// file's name and parts, and the working directory (each with GAMS's trailing '/').
void Preprocessor::addSystemSettings(const SourceSettings& settings) {
    variables_.emplace("system.dirsep", "/");
    variables_.emplace("gams.scrext", "dat");  // GAMS's default extension of scratch files
    // %gams.lp% is the solver the command line chose for LPs, empty when it chose
    // none; %system.lp% the solver that runs them here, where that is one solver.
    for (const std::string& type : modelTypeNames()) {
        variables_.emplace("gams." + type, "");
        if (const char* solver = solverNameFor(type)) variables_.emplace("system." + type, solver);
    }
    char* cwd = getcwd(nullptr, 0);
    if (cwd) {
        std::string dir = std::string(cwd) + "/";
        free(cwd);
        variables_.emplace("gams.curdir", dir);
        variables_.emplace("gams.workdir", dir);
    }
    if (settings.fileName.empty()) return;
    std::string file = settings.fileName;
    size_t slash = file.rfind('/');
    std::string base = slash == std::string::npos ? file : file.substr(slash + 1);
    std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    size_t dot = base.rfind('.');
    variables_.emplace("gams.input", file);
    variables_.emplace("system.fp", folder);
    variables_.emplace("system.fn", dot == std::string::npos ? base : base.substr(0, dot));
    variables_.emplace("system.fe", dot == std::string::npos ? std::string() : base.substr(dot));
}

void Preprocessor::reportUnknownSettings(const std::vector<std::string>& unknown) {
    for (const std::string& u : unknown)
        error(1, "The system setting " + u + " is not known to this solver");
}

std::string Preprocessor::substitute(const std::string& line) {
    if (!src_.scratch && line.find('%') != std::string::npos &&
        lower(line).find("%gams.scrdir%") != std::string::npos) {
        char* cwd = getcwd(nullptr, 0);
        std::string pattern = std::string(cwd ? cwd : ".") + "/gams-scratch-XXXXXX";
        free(cwd);
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data())) {
            src_.scratch = std::make_shared<const ScratchFolder>(name.data());
            variables_["gams.scrdir"] = src_.scratch->path + "/";
        } else {
            error(1, "Could not make the scratch directory for %gams.scrdir% in the working directory");
        }
    }
    std::vector<std::string> unknown;
    std::string out = substituteVariables(line, variables_, &unknown, arguments_.empty() ? nullptr : &arguments_.back());
    reportUnknownSettings(unknown);
    if (out.size() > line.size() + kMaxSubstitutionGrowth) {
        // %a%%a% doubling a variable line by line would otherwise fill the memory.
        error(1, "%name% substitution makes the line " + std::to_string(out.size() - line.size()) +
                     " characters longer, more than the " + std::to_string(kMaxSubstitutionGrowth) +
                     " this solver allows");
        return line;  // as written: compilation has failed already, and nothing grows further
    }
    return out;
}

// $mincol and $maxcol: what lies outside the columns is not read (blanked, so
// that table layouts keep their columns).
std::string Preprocessor::withinColumns(const std::string& line) const {
    std::string out = line.size() > maxCol_ ? line.substr(0, maxCol_) : line;
    for (size_t k = 0; k + 1 < minCol_ && k < out.size(); k++) out[k] = ' ';
    return out;
}

void Preprocessor::directive(const std::string& line, size_t from, const std::string& directory, int depth) {
    size_t p = from + 1;
    while (p < line.size() && line[p] == ' ') p++;
    size_t q = p;
    while (q < line.size() && (std::isalnum(static_cast<unsigned char>(line[q])) || line[q] == '_' || line[q] == '.'))
        q++;
    std::string name = lower(line.substr(p, q - p));
    size_t dot = name.find('.');
    if (dot != std::string::npos) name = name.substr(0, dot);  // $ifthen.tag, $endif.tag
    std::string rest = trim(line.substr(q));
    int column = static_cast<int>(q);

    // Conditional compilation is followed even where lines are skipped.
    if (name == "ifthen" || name == "ifthene" || name == "iftheni") {
        bool holds = false;
        std::string after;
        bool outer = active();
        std::string why;
        if (outer && !readCondition(rest, name == "iftheni", name == "ifthene", variables_, fileExists, holds, after, cardinality(), &why))
            error(column, "Unreadable $ifthen condition" + (why.empty() ? std::string() : ": " + why));
        conditions_.push_back({outer && holds, outer && holds, outer});
        return;
    }
    if (name == "elseif" || name == "elseifi" || name == "elseife") {
        if (conditions_.empty()) return error(column, "$elseif without $ifthen");
        Condition& c = conditions_.back();
        bool holds = false;
        std::string after, why;
        if (c.outerActive && !c.taken &&
            !readCondition(rest, name == "elseifi", name == "elseife", variables_, fileExists, holds, after, cardinality(), &why))
            error(column, "Unreadable $elseif condition" + (why.empty() ? std::string() : ": " + why));
        c.active = c.outerActive && !c.taken && holds;
        c.taken = c.taken || c.active;
        return;
    }
    if (name == "else") {
        if (conditions_.empty()) return error(column, "$else without $ifthen");
        Condition& c = conditions_.back();
        c.active = c.outerActive && !c.taken;
        c.taken = true;
        return;
    }
    if (name == "endif") {
        if (conditions_.empty()) return error(column, "$endif without $ifthen");
        conditions_.pop_back();
        return;
    }
    if (!active()) return;

    if (name == "ontext") {
        inText_ = true;
    } else if (name == "offtext") {
        error(column, "$offtext without a matching $ontext");
    } else if (name == "title") {
        src_.title = rest;
    } else if (name == "eolcom") {
        if (rest.empty() || rest.size() > 2) return error(column, "$eolcom needs one or two characters");
        eolMarker_ = rest;
        eolOn_ = true;
    } else if (name == "oneolcom") {
        eolOn_ = true;
    } else if (name == "offeolcom") {
        eolOn_ = false;
    } else if (name == "inlinecom") {
        std::istringstream words(rest);
        std::string open, close;
        if (!(words >> open >> close)) return error(column, "$inlinecom needs an opening and a closing marker");
        inlineOpen_ = open;
        inlineClose_ = close;
        inlineOn_ = true;
    } else if (name == "oninline") {
        inlineOn_ = true;
    } else if (name == "offinline") {
        inlineOn_ = false;
    } else if (name == "set" || name == "setglobal" || name == "setlocal" || name == "eval" || name == "evalglobal" ||
               name == "evallocal") {
        size_t k = 0;
        while (k < rest.size() && rest[k] != ' ') k++;
        std::string var = lower(rest.substr(0, k));
        std::string value = trim(rest.substr(k));
        if (var.empty()) return error(column, "$" + name + " needs a name");
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        if (name.rfind("eval", 0) == 0) {
            double v = 0;
            std::string why;
            if (!evaluateConstant(value, v, why, cardinality())) return error(column, "$eval: " + why);
            value = evalText(v);
        }
        variables_[var] = value;
    } else if (name == "drop" || name == "dropglobal" || name == "droplocal") {
        variables_.erase(lower(trim(rest)));
    } else if (name == "if" || name == "ifi" || name == "ife") {
        bool holds = false;
        std::string after, why;
        if (!readCondition(rest, name == "ifi", name == "ife", variables_, fileExists, holds, after, cardinality(), &why))
            return error(column, "Unreadable $if condition" + (why.empty() ? std::string() : ": " + why));
        if (!holds || after.empty()) return;
        if (after[0] == '$') {
            directive(after, 0, directory, depth);
        } else {
            SourceLine& sl = src_.lines.back();  // the rest of the line is an ordinary statement
            sl.clean = withMacros(std::string(line.size() - after.size(), ' ') + after);
        }
    } else if (name == "macro") {
        std::string why;
        if (!macros_.define(rest, why)) error(column, why);
    } else if (name == "include" || name == "batinclude") {
        include(rest, directory, depth, column, name == "batinclude");
    } else if (name == "maxcol" || name == "mincol") {
        char* end = nullptr;
        long n = std::strtol(rest.c_str(), &end, 10);
        if (rest.empty() || *end != '\0' || n < 1 || n > 1000000)
            return error(column, "$" + name + " needs a column number from 1 to 1000000");
        (name == "maxcol" ? maxCol_ : minCol_) = static_cast<size_t>(n);
    } else if (name == "onecho" || name == "onechos" || name == "onechov") {
        std::string before;
        if (!echoTarget(rest, before) || !before.empty())
            return error(column, "$" + name + " needs '> FILE' or '>> FILE'");
        echo_.on = true;
        echo_.verbatim = name == "onechov";
    } else if (name == "echo") {
        std::string before;
        if (!echoTarget(rest, before)) return error(column, "$echo needs 'TEXT > FILE' or 'TEXT >> FILE'");
        if (before.size() >= 2 && (before[0] == '"' || before[0] == '\'') && before.back() == before[0])
            before = before.substr(1, before.size() - 2);
        echo_.text = before + "\n";
        writeEcho(column);
    } else if (name == "goto") {
        goto_ = lower(rest);
        if (goto_.empty()) error(column, "$goto needs a label");
    } else if (name == "label") {
    } else if (name == "shift") {  // $batinclude's arguments move down: %1 = %2, ...
        if (!arguments_.empty() && !arguments_.back().empty()) arguments_.back().erase(arguments_.back().begin());
    } else if (name == "exit") {
        exit_ = true;
    } else if (name == "abort" || name == "error") {
        error(column, "$" + name + (rest.empty() ? "" : ": " + rest));
    } else if (name.rfind("gdx", 0) == 0 || name == "load" || name == "loaddc" || name == "unload" || name == "loadm" ||
               name == "loaddcm" || name == "loaddcr" || name == "loadr") {
        error(column, "Dollar control option $" + line.substr(p, q - p) +
                          " reads or writes a GDX file, and no GDX library exists here: keep the data in the model's own text");
    } else if (!isIgnoredOption(name)) {
        error(column, "Dollar control option $" + line.substr(p, q - p) + " is not supported by this solver");
    }
}

void Preprocessor::file(const std::string& text, const std::string& directory, int depth) {
    std::vector<std::string> lines = splitLines(text);
    for (size_t k = 0; k < lines.size(); k++) {
        if (exit_) break;
        std::string line = lines[k];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (src_.lines.size() >= kMaxSourceLines) {
            error(1, "The source with its included files runs past " + std::to_string(kMaxSourceLines) +
                         " lines, the most this solver reads");
            stopped_ = true;
        }
        if (stopped_) break;
        line = expandTabs(line);
        src_.lines.push_back(SourceLine{line, "", true});
        if (inText_) {
            src_.lines.back().numbered = false;
            if (!line.empty() && line[0] == '$' && lower(trim(line.substr(1))).rfind("offtext", 0) == 0) {
                inText_ = false;
                src_.lines.back().numbered = true;
            }
            continue;
        }
        if (echo_.on) {
            if (!line.empty() && line[0] == '$' && lower(trim(line.substr(1))).rfind("offecho", 0) == 0) {
                echo_.on = false;
                writeEcho(1);
            } else {
                echo_.text += (echo_.verbatim ? line : substitute(line)) + "\n";
            }
            continue;
        }
        if (!line.empty() && line[0] == '$') {
            // In a branch not taken only the conditional structure is read: nothing
            // there is substituted for real (GAMS skips those lines).
            directive(active() ? substitute(line) : substituteQuietly(line), 0, directory, depth);
            if (!goto_.empty()) jump(lines, k);
            continue;
        }
        if (!active() || (!line.empty() && line[0] == '*')) continue;  // skipped or a comment line
        std::string clean = substitute(withinColumns(line));
        if (inlineOn_ || inInline_) clean = cutInlineComments(clean, inlineOpen_, inlineClose_, inInline_);
        src_.lines.back().clean = withMacros(eolOn_ ? cutEolComment(clean, eolMarker_) : clean);
    }
    if (echo_.on) {
        echo_.on = false;
        error(1, "$onecho without a matching $offecho");
    }
}

// $goto NAME: reading goes on at the line `$label NAME` of the same file.
void Preprocessor::jump(const std::vector<std::string>& lines, size_t& k) {
    std::string target = goto_;
    goto_.clear();
    if (++jumps_ > 100000) return error(1, "More than 100000 $goto jumps (does a $goto loop for ever?)");
    for (size_t j = 0; j < lines.size(); j++) {
        std::string l = trim(lines[j]);
        if (l.empty() || l[0] != '$') continue;
        std::string rest = lower(trim(l.substr(1)));
        if (rest.rfind("label", 0) == 0 && trim(rest.substr(5)) == target) {
            k = j;  // the loop's k++ moves past the label line
            return;
        }
    }
    error(1, "$goto " + target + ": no $label " + target + " in this file");
}

// $onecho > FILE ... $offecho and $echo TEXT > FILE: the text goes into FILE
// (relative to the working directory, as GAMS writes it); >> appends.
bool Preprocessor::echoTarget(const std::string& rest, std::string& before) {
    size_t gt = rest.find('>');
    if (gt == std::string::npos) return false;
    echo_.append = gt + 1 < rest.size() && rest[gt + 1] == '>';
    std::string name = trim(rest.substr(gt + (echo_.append ? 2 : 1)));
    if (name.size() >= 2 && (name[0] == '"' || name[0] == '\'') && name.back() == name[0])
        name = name.substr(1, name.size() - 2);
    echo_.path = name;
    before = trim(rest.substr(0, gt));
    return !name.empty();
}

void Preprocessor::writeEcho(int column) {
    std::ofstream out(echo_.path, echo_.append ? std::ios::app : std::ios::trunc);
    out << echo_.text;
    out.close();
    if (!out) error(column, "Could not write the echo file " + echo_.path);
    echo_.text.clear();
}

void Preprocessor::finish() {
    if (inText_) errors_.add(lineNo(), 1, kErrDollarControl, "$ontext without a matching $offtext");
    if (!conditions_.empty()) errors_.add(lineNo(), 1, kErrDollarControl, "$ifthen without a matching $endif");
}

}  // namespace

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

SourceText prepareSource(const std::string& text, CompileErrors& errors) {
    return prepareSource(text, errors, SourceSettings());
}

SourceText prepareSource(const std::string& text, CompileErrors& errors, const SourceSettings& settings) {
    SourceText src;
    Preprocessor pre(src, errors, settings);
    pre.file(text, settings.directory, 0);
    pre.finish();
    return src;
}

}  // namespace gamsub

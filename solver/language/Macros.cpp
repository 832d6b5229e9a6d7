#include "Macros.h"
#include "TextBasics.h"

#include <cctype>

namespace gamsub {

using text::lower;
using text::trim;
using text::isNameStart;
using text::isNameChar;


namespace {

// Calls `onName(start, end)` for each identifier outside quoted text that does
// not follow a '.' (x.l is an attribute, never a macro); the callback returns
// the position where scanning goes on.
template <typename OnName>
void forEachName(const std::string& s, OnName onName) {
    char quote = 0;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (quote) {
            if (c == quote) quote = 0;
            i++;
        } else if (c == '\'' || c == '"') {
            quote = c;
            i++;
        } else if (isNameStart(c) && (i == 0 || (!isNameChar(s[i - 1]) && s[i - 1] != '.'))) {
            size_t end = i;
            while (end < s.size() && isNameChar(s[end])) end++;
            i = onName(i, end);
        } else {
            i++;
        }
    }
}

// The arguments of a call whose '(' is at `open`: split at top-level commas,
// up to the matching ')'. False when the line ends first.
bool readArguments(const std::string& s, size_t open, std::vector<std::string>& args, size_t& close) {
    int depth = 0;
    char quote = 0;
    std::string current;
    for (size_t i = open; i < s.size(); i++) {
        char c = s[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(' || c == '[' || c == '{') {
            if (depth++ == 0) continue;
        } else if (c == ')' || c == ']' || c == '}') {
            if (--depth == 0) {
                args.push_back(trim(current));
                close = i;
                return true;
            }
        } else if (c == ',' && depth == 1) {
            args.push_back(trim(current));
            current.clear();
            continue;
        }
        current += c;
    }
    return false;
}

}  // namespace

bool MacroTable::define(const std::string& text, std::string& error) {
    std::string t = trim(text);
    size_t i = 0;
    if (t.empty() || !isNameStart(t[0])) {
        error = "$macro needs a name";
        return false;
    }
    while (i < t.size() && isNameChar(t[i])) i++;
    std::string name = lower(t.substr(0, i));
    Macro m;
    if (i < t.size() && t[i] == '(') {  // the parameters follow the name at once
        m.withParentheses = true;
        size_t close = t.find(')', i);
        if (close == std::string::npos) {
            error = "$macro " + name + ": ')' missing after the parameters";
            return false;
        }
        std::string list = t.substr(i + 1, close - i - 1);
        size_t from = 0;
        while (from <= list.size()) {
            size_t comma = list.find(',', from);
            std::string p = lower(trim(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from)));
            bool valid = !p.empty() && isNameStart(p[0]);
            for (char c : p) valid = valid && isNameChar(c);
            if (!valid) {
                error = "$macro " + name + ": parameter '" + p + "' is not a name";
                return false;
            }
            m.parameters.push_back(p);
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
        i = close + 1;
    }
    m.body = trim(t.substr(i));
    if (m.body.find('&') != std::string::npos)
        error = "$macro " + name + ": the & and && operators of macro bodies are not supported by this solver";
    else if (lower(m.body).find(".local") != std::string::npos)
        error = "$macro " + name + ": .local in macro bodies is not supported by this solver";
    else if (!m.body.empty() && m.body.back() == '\\')
        error = "$macro " + name + ": macros over several lines are not supported by this solver";
    if (!error.empty()) return false;
    macros_[name] = m;
    return true;
}

bool MacroTable::expandOnce(const std::string& line, std::string& out, bool& changed, std::string& error) const {
    out.clear();
    size_t copied = 0;
    forEachName(line, [&](size_t start, size_t end) {
        if (!error.empty()) return line.size();
        auto it = macros_.find(lower(line.substr(start, end - start)));
        if (it == macros_.end()) return end;
        const Macro& m = it->second;
        std::string name = line.substr(start, end - start);
        std::vector<std::string> args;
        size_t after = end;
        if (m.withParentheses) {
            size_t close = 0;
            if (end >= line.size() || line[end] != '(' || !readArguments(line, end, args, close)) {
                error = "macro " + name + " needs its arguments in parentheses on the same line";
                return line.size();
            }
            if (args.size() != m.parameters.size()) {
                error = "macro " + name + " takes " + std::to_string(m.parameters.size()) + " argument(s), given " +
                        std::to_string(args.size());
                return line.size();
            }
            after = close + 1;
        }
        // The body with each parameter replaced by its argument, as text.
        std::string body;
        size_t bodyCopied = 0;
        forEachName(m.body, [&](size_t s, size_t e) {
            std::string word = lower(m.body.substr(s, e - s));
            for (size_t k = 0; k < m.parameters.size(); k++)
                if (word == m.parameters[k]) {
                    body += m.body.substr(bodyCopied, s - bodyCopied) + args[k];
                    bodyCopied = e;
                    break;
                }
            return e;
        });
        body += m.body.substr(bodyCopied);
        out += line.substr(copied, start - copied) + body;
        copied = after;
        changed = true;
        return after;
    });
    out += line.substr(std::min(copied, line.size()));
    return error.empty();
}

bool MacroTable::expand(const std::string& line, std::string& out, std::string& error) const {
    out = line;
    if (macros_.empty()) return true;
    // Calls inside an expansion expand in turn; a macro that calls itself would not stop.
    for (int round = 0; round < 100; round++) {
        bool changed = false;
        std::string next;
        if (!expandOnce(out, next, changed, error)) return false;
        if (!changed) return true;
        out.swap(next);
        if (out.size() > 1000000) break;
    }
    error = "macro expansion does not end (a macro that calls itself?) or exceeds 1000000 characters";
    return false;
}

}  // namespace gamsub

#include "UnloadText.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace gamsub {

namespace {

std::string number(double v) {
    if (std::isnan(v)) return "NA";
    if (std::isinf(v)) return v > 0 ? "+INF" : "-INF";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

std::string quoted(const std::string& text) {
    const char quote = text.find('\'') == std::string::npos ? '\'' : '"';
    return quote + text + quote;
}

std::string labels(const SymbolTable& table, const Tuple& t) {
    std::string out;
    for (size_t k = 0; k < t.size(); k++) out += (k ? "." : "") + quoted(table.labels.name(t[k]));
    return out;
}

std::string heading(const SymbolTable& table, const Symbol& s, const char* kind) {
    std::string out = std::string(kind) + " " + s.name;
    if (s.dim > 0) {
        out += "(";
        for (int k = 0; k < s.dim; k++) {
            const int d = static_cast<size_t>(k) < s.domain.size() ? s.domain[static_cast<size_t>(k)] : -1;
            out += (k ? "," : "") + (d < 0 ? std::string("*") : table.symbols[static_cast<size_t>(d)].name);
        }
        out += ")";
    }
    return out;
}

const char* kindWord(VarKind kind) {
    switch (kind) {
        case VarKind::Positive: return " positive";
        case VarKind::Negative: return " negative";
        case VarKind::Binary: return " binary";
        case VarKind::Integer: return " integer";
        case VarKind::SemiCont: return " semicont";
        case VarKind::SemiInt: return " semiint";
        case VarKind::Sos1: return " sos1";
        case VarKind::Sos2: return " sos2";
        default: return " free";
    }
}

void writeSymbol(std::ostream& out, const SymbolTable& table, const Symbol& s) {
    const std::string text = s.text.empty() ? "" : " " + quoted(s.text);
    switch (s.kind) {
        case SymKind::Set:
            out << heading(table, s, "set") << text << "\n";
            for (const Tuple& t : s.members) {
                auto element = s.memberText.find(t);
                out << labels(table, t)
                    << (element == s.memberText.end() || element->second.empty() ? "" : " " + quoted(element->second))
                    << "\n";
            }
            break;
        case SymKind::Parameter:
            out << heading(table, s, "parameter") << text << "\n";
            for (const auto& [t, v] : s.values) out << (t.empty() ? "" : labels(table, t) + " ") << number(v) << "\n";
            break;
        case SymKind::Variable:
            out << heading(table, s, "variable") << kindWord(s.varKind) << text
                << " (level marginal lower upper scale)\n";
            for (const auto& [t, a] : s.attrs)
                out << (t.empty() ? "" : labels(table, t) + " ") << number(a.l) << " " << number(a.m) << " "
                    << number(table.lowerOf(s, a)) << " " << number(table.upperOf(s, a)) << " " << number(a.scale)
                    << "\n";
            break;
        case SymKind::Equation:
            out << heading(table, s, "equation") << text << " (level marginal)\n";
            for (const auto& [t, lm] : s.equLevels)
                out << (t.empty() ? "" : labels(table, t) + " ") << number(lm.first) << " " << number(lm.second) << "\n";
            break;
        default:
            return;
    }
    out << "\n";
}

}  // namespace

std::string unloadTextName(const std::string& gdxName) { return gdxName + ".txt"; }

bool writeUnloadText(const std::string& path, const SymbolTable& symbols, const std::vector<int>& ids,
                     const std::string& origin) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << "* " << origin << "\n"
        << "* No GDX library exists here: the symbols as text, one block per symbol, values at full precision.\n\n";
    if (ids.empty())
        for (const Symbol& s : symbols.symbols) writeSymbol(out, symbols, s);
    for (int id : ids)
        if (id >= 0 && static_cast<size_t>(id) < symbols.symbols.size())
            writeSymbol(out, symbols, symbols.symbols[static_cast<size_t>(id)]);
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace gamsub

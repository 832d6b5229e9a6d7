#include "Display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <map>
#include <sstream>
#include <vector>

namespace gamsub {

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string pad(std::string s, size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

std::string rightAlign(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string joined(const SymbolTable& st, const Tuple& t, size_t from, size_t to) {
    std::string s;
    for (size_t k = from; k < to && k < t.size(); k++) s += (k > from ? "." : "") + st.labels.name(t[k]);
    return s;
}

// A one-dimensional list: "label value" entries, several to a line.
void writeList(std::ostream& out, const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string line;
    for (size_t k = 0; k < entries.size(); k++) {
        std::string item = entries[k].first + (entries[k].second.empty() ? "" : " " + entries[k].second);
        if (k + 1 < entries.size()) item += ",";
        if (!line.empty() && line.size() + item.size() + 4 > 100) {
            out << line << '\n';
            line.clear();
        }
        line += (line.empty() ? "" : "    ") + item;
    }
    if (!line.empty()) out << line << '\n';
}

// Rows are all positions but the last, columns the last position.
void writeMatrix(std::ostream& out, const SymbolTable& st, const std::map<Tuple, double>& values, int decimals) {
    std::vector<std::string> rows;
    std::map<std::string, size_t> rowIndex;
    std::map<int, size_t> colIndex;
    std::vector<int> cols;
    for (const auto& [t, v] : values) {
        (void)v;
        std::string r = joined(st, t, 0, t.size() - 1);
        if (!rowIndex.count(r)) {
            rowIndex[r] = rows.size();
            rows.push_back(r);
        }
        if (!colIndex.count(t.back())) {
            colIndex[t.back()] = cols.size();
            cols.push_back(t.back());
        }
    }
    std::map<std::pair<size_t, int>, double> cells;  // (row, column label) -> value
    for (const auto& [t, v] : values) cells[{rowIndex[joined(st, t, 0, t.size() - 1)], t.back()}] = v;
    std::vector<int> sortedCols(cols);
    std::sort(sortedCols.begin(), sortedCols.end());
    size_t labelWidth = 0;
    for (const std::string& r : rows) labelWidth = std::max(labelWidth, r.size());
    const size_t perBlock = 6;
    for (size_t first = 0; first < sortedCols.size(); first += perBlock) {
        size_t last = std::min(sortedCols.size(), first + perBlock);
        out << (first ? pad("       +", labelWidth) : std::string(labelWidth, ' '));
        for (size_t c = first; c < last; c++) out << rightAlign(st.labels.name(sortedCols[c]), static_cast<size_t>(9 + decimals));
        out << "\n\n";
        for (const std::string& r : rows) {
            std::string line = pad(r, labelWidth);
            bool any = false;
            for (size_t c = first; c < last; c++) {
                std::string cell;
                auto it = cells.find({rowIndex[r], sortedCols[c]});
                if (it != cells.end() && it->second != 0.0) cell = displayNumber(it->second, decimals);
                any = any || !cell.empty();
                line += rightAlign(cell, static_cast<size_t>(9 + decimals));
            }
            if (any) {
                while (!line.empty() && line.back() == ' ') line.pop_back();
                out << line << '\n';
            }
        }
        out << '\n';
    }
}

}  // namespace

std::string displayNumber(double v, int decimals) {
    if (std::isinf(v)) return v > 0 ? "+INF" : "-INF";
    if (std::isnan(v)) return "NA";
    char buf[64];
    double a = std::fabs(v);
    if (a != 0.0 && (a >= 1e12 || a < 0.5 * std::pow(10.0, -decimals)))
        std::snprintf(buf, sizeof buf, "%.*E", std::max(decimals, 4), v);
    else
        std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

void writeDisplay(std::ostream& out, const SymbolTable& st, const DisplayItem& item, int line, int decimals) {
    std::ostringstream head;
    head << "----" << std::setw(7) << line << ' ';
    if (item.sym < 0) {
        out << head.str() << item.text << "\n\n";
        return;
    }
    const Symbol& s = st.symbols[static_cast<size_t>(item.sym)];
    if (s.kind == SymKind::Model) {
        double v = item.attr == "modelstat" ? s.modelStat : item.attr == "solvestat" ? s.solveStat : s.objVal;
        out << head.str() << pad("MODEL " + s.name + "." + upper(item.attr), 29) << " = "
            << rightAlign(displayNumber(std::isnan(v) ? 0.0 : v, decimals), 12) << "\n\n";
        return;
    }
    std::string kindName = s.kind == SymKind::Parameter ? "PARAMETER"
                           : s.kind == SymKind::Variable ? "VARIABLE"
                           : s.kind == SymKind::Equation ? "EQUATION"
                                                          : "SET";
    std::string name = s.name + (item.attr.empty() ? "" : "." + upper(item.attr));

    if (s.kind == SymKind::Set || s.kind == SymKind::Alias) {
        int set = st.setOf(s.name);
        out << head.str() << "SET " << name << "  " << s.text << "\n\n";
        std::vector<std::pair<std::string, std::string>> entries;
        if (set >= 0)
            for (const Tuple& t : st.symbols[static_cast<size_t>(set)].members) entries.push_back({joined(st, t, 0, t.size()), ""});
        if (entries.empty()) out << "    ( EMPTY )\n";
        writeList(out, entries);
        out << "\n\n";
        return;
    }

    // The values to show, by element.
    std::map<Tuple, double> values;
    if (s.kind == SymKind::Parameter) {
        values = s.values;
    } else if (s.kind == SymKind::Variable) {
        for (const auto& [t, a] : s.attrs) {
            double v = item.attr == "l" ? a.l : item.attr == "m" ? a.m : item.attr == "scale" ? a.scale
                       : item.attr == "lo" ? st.lowerOf(s, a) : st.upperOf(s, a);
            values[t] = v;
        }
    } else if (s.kind == SymKind::Equation) {
        for (const auto& [t, lm] : s.equLevels) values[t] = item.attr == "m" ? lm.second : lm.first;
    }
    if (s.dim == 0) {
        auto it = values.find(Tuple{});
        double v = it == values.end() ? 0.0 : it->second;
        if (s.kind == SymKind::Variable && it == values.end())
            v = item.attr == "lo" ? st.lowerOf(s, VarAttrs()) : item.attr == "up" ? st.upperOf(s, VarAttrs())
                : item.attr == "scale" ? 1.0 : 0.0;
        out << head.str() << pad(kindName + " " + name, 29) << " = " << rightAlign(displayNumber(v, decimals), 12) << "  " << s.text
            << "\n\n";
        return;
    }
    for (auto it = values.begin(); it != values.end();) it = it->second == 0.0 ? values.erase(it) : std::next(it);
    out << head.str() << kindName << " " << name << "  " << s.text << "\n\n";
    if (values.empty()) {
        out << "                      ( ALL       0.000 )\n\n\n";
        return;
    }
    if (s.dim == 1) {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& [t, v] : values) entries.push_back({st.labels.name(t[0]), displayNumber(v, decimals)});
        writeList(out, entries);
        out << "\n\n";
        return;
    }
    writeMatrix(out, st, values, decimals);
    out << '\n';
}

}  // namespace gamsub

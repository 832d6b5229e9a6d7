#include "Symbols.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace gamsub {

std::string toLower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

namespace {
// GAMS ignores trailing blanks in quoted labels: 'a ' is a.
std::string withoutTrailingBlanks(const std::string& label) {
    size_t end = label.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}
}  // namespace

int Labels::intern(const std::string& written) {
    std::string label = withoutTrailingBlanks(written);
    std::string key = toLower(label);
    auto it = index_.find(key);
    if (it != index_.end()) return it->second;
    names_.push_back(label);
    int id = static_cast<int>(names_.size()) - 1;
    index_.emplace(key, id);
    return id;
}

int Labels::find(const std::string& label) const {
    auto it = index_.find(toLower(withoutTrailingBlanks(label)));
    return it == index_.end() ? -1 : it->second;
}

const std::string& Labels::name(int id) const {
    static const std::string unknown = "?";
    if (id < 0 || id >= static_cast<int>(names_.size())) return unknown;
    return names_[static_cast<size_t>(id)];
}

int SymbolTable::find(const std::string& name) const {
    auto it = index_.find(toLower(name));
    return it == index_.end() ? -1 : it->second;
}

int SymbolTable::add(Symbol s) {
    std::string key = toLower(s.name);
    symbols.push_back(std::move(s));
    int id = static_cast<int>(symbols.size()) - 1;
    index_[key] = id;
    return id;
}

int SymbolTable::setOf(const std::string& indexName) const {
    int id = find(indexName);
    if (id < 0) {
        // `low.2`: the index of position 2 of the multi-dimensional set low, over
        // the set of its domain there (no identifier has a dot, so none clashes).
        size_t dot = indexName.rfind('.');
        if (dot == std::string::npos || dot + 1 >= indexName.size()) return -1;
        int base = find(indexName.substr(0, dot));
        char* end = nullptr;
        long position = std::strtol(indexName.c_str() + dot + 1, &end, 10);
        if (base < 0 || *end != '\0' || symbols[static_cast<size_t>(base)].kind != SymKind::Set) return -1;
        const std::vector<int>& domain = symbols[static_cast<size_t>(base)].domain;
        if (position < 1 || position > static_cast<long>(domain.size()) || domain[static_cast<size_t>(position - 1)] < 0)
            return -1;
        return setOf(symbols[static_cast<size_t>(domain[static_cast<size_t>(position - 1)])].name);
    }
    const Symbol& s = symbols[static_cast<size_t>(id)];
    if (s.kind == SymKind::Alias) return s.aliasOf;
    return s.kind == SymKind::Set ? id : -1;
}

int SymbolTable::rootSet(int setId) const {
    for (int guard = 0; setId >= 0 && guard < 100; guard++) {
        const Symbol& s = symbols[static_cast<size_t>(setId)];
        if (s.kind == SymKind::Alias) {
            setId = s.aliasOf;
        } else if (s.dim == 1 && !s.domain.empty() && s.domain[0] >= 0) {
            setId = s.domain[0];
        } else {
            return setId;
        }
    }
    return setId;
}

bool SymbolTable::within(int sub, int super) const {
    if (super < 0) return true;  // the universe
    for (int guard = 0; sub >= 0 && guard < 100; guard++) {
        const Symbol& s = symbols[static_cast<size_t>(sub)];
        if (s.kind == SymKind::Alias) {
            sub = s.aliasOf;
            continue;
        }
        if (sub == super) return true;
        const Symbol& sup = symbols[static_cast<size_t>(super)];
        if (sup.kind == SymKind::Alias) return within(sub, sup.aliasOf);
        if (s.dim == 1 && !s.domain.empty() && s.domain[0] >= 0)
            sub = s.domain[0];
        else
            return false;
    }
    return false;
}

void SymbolTable::addMember(int setId, const Tuple& t, const std::string& text) {
    Symbol& s = symbols[static_cast<size_t>(setId)];
    if (s.memberSet.insert(t).second) s.members.push_back(t);
    if (!text.empty()) s.memberText[t] = text;
}

void SymbolTable::finishSet(int setId) {
    Symbol& s = symbols[static_cast<size_t>(setId)];
    std::sort(s.members.begin(), s.members.end());
    s.ordOf.clear();
    if (s.dim == 1)
        for (size_t k = 0; k < s.members.size(); k++) s.ordOf[s.members[k][0]] = static_cast<int>(k) + 1;
}

double SymbolTable::lowerOf(const Symbol& v, const VarAttrs& a) const {
    if (!std::isnan(a.lo)) return a.lo;
    return v.varKind == VarKind::Free || v.varKind == VarKind::Negative ? -kInf : 0.0;
}

double SymbolTable::upperOf(const Symbol& v, const VarAttrs& a) const {
    if (!std::isnan(a.up)) return a.up;
    if (v.varKind == VarKind::Binary) return 1.0;
    return v.varKind == VarKind::Negative ? 0.0 : kInf;
}

}  // namespace gamsub

// Small models compiled and run in process, without their solves, for the
// front end's tests: the values, set members and errors they leave.
#ifndef GAMSUB_TESTS_SMALLMODELS_H
#define GAMSUB_TESTS_SMALLMODELS_H

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Executor.h"
#include "Listing.h"
#include "Parser.h"
#include "SourceText.h"

namespace gamsub::testing {
struct Model {
    SymbolTable st;
    CompileErrors errors;
    std::vector<Statement> program;
    ExecutionResult result;
    std::string listing;

    double at(const std::string& name, const std::vector<std::string>& labels = {}) const {
        int sym = st.find(name);
        if (sym < 0) return NAN;
        Tuple t;
        for (const std::string& l : labels) t.push_back(st.labels.find(l));
        const auto& values = st.symbols[static_cast<size_t>(sym)].values;
        auto it = values.find(t);
        return it == values.end() ? 0.0 : it->second;
    }
    std::string members(const std::string& set) const {
        std::string s;
        for (const Tuple& t : st.symbols[static_cast<size_t>(st.find(set))].members) {
            if (!s.empty()) s += " ";
            for (size_t k = 0; k < t.size(); k++) s += (k ? "." : "") + st.labels.name(t[k]);
        }
        return s;
    }
    std::string errorText() const {
        std::string s;
        for (const CompileError& e : errors.all())
            s += std::to_string(e.line) + " $" + std::to_string(e.code) + " " + e.message + "\n";
        return s;
    }
};

// Compiles `text` and, when it compiles, runs it without its solves.
inline std::unique_ptr<Model> compileAndRun(const std::string& text, const std::string& fileName = "") {
    auto m = std::make_unique<Model>();
    SourceSettings settings;
    settings.fileName = fileName;
    SourceText source = prepareSource(text, m->errors, settings);
    m->program = Parser(source, m->st, m->errors).parse();
    if (!m->errors.empty()) return m;
    std::vector<Statement> noSolves;
    for (const Statement& s : m->program)
        if (s.kind != Statement::Solve) noSolves.push_back(s);
    std::ostringstream out;
    Listing listing(out, "");
    m->result = execute(noSolves, m->st, listing, nullptr);
    m->listing = out.str();
    return m;
}

inline std::unique_ptr<Model> compiles(const std::string& text) {
    auto m = compileAndRun(text);
    EXPECT_TRUE(m->errors.empty()) << m->errorText();
    return m;
}

// The model must stop at compilation with an error on `line` whose text has `words`.
inline void refused(const std::string& text, int line, const std::string& words) {
    auto m = compileAndRun(text);
    ASSERT_FALSE(m->errors.empty()) << "compiled: " << text;
    bool found = false;
    for (const CompileError& e : m->errors.all()) found = found || (e.line == line && e.message.find(words) != std::string::npos);
    EXPECT_TRUE(found) << "expected on line " << line << ": " << words << "\ngot:\n" << m->errorText();
}

}  // namespace gamsub::testing

#endif

// The put files of a run: opened on their first put, written line by line with
// each file's attributes, closed by putclose or at the end of the run.
#ifndef GAMSUB_PUTWRITER_H
#define GAMSUB_PUTWRITER_H

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "Evaluator.h"
#include "Program.h"

namespace gamsub {

class PutWriter {
public:
    // Relative file names are taken against `directory` when it is not empty.
    PutWriter(const SymbolTable& symbols, std::string directory) : st_(symbols), directory_(std::move(directory)) {}
    ~PutWriter();  // the last lines are written, the files closed
    PutWriter(const PutWriter&) = delete;
    PutWriter& operator=(const PutWriter&) = delete;

    // Runs a put or putclose statement; throws ExecError when a file cannot be written.
    void run(const Statement& s, Env& env, const Evaluator& ev);
    // Closes every file; throws ExecError when a last write fails.
    void closeAll(int line);

private:
    struct OpenFile {
        std::ofstream out;
        std::string line;  // the line being composed
        bool wasOpened = false;
        bool inPlace = false;  // an existing file written over from its start: cut to length on close
        std::string path;
    };
    OpenFile& file(int sym, int line);
    void endLine(int sym, OpenFile& f, int line);
    void close(int sym, int line);
    double attribute(int sym, const char* name, double byDefault) const;
    void writeItem(int sym, OpenFile& f, const PutItem& item, Env& env, const Evaluator& ev, int line);

    const SymbolTable& st_;
    std::string directory_;
    std::map<int, std::unique_ptr<OpenFile>> files_;
    int current_ = -1;
};

}  // namespace gamsub

#endif

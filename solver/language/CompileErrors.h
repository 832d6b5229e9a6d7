// Compilation errors: where they are (line, column of the offending token's
// last character), their number and text, as the listing's `****` lines show them.
#ifndef GAMSUB_COMPILEERRORS_H
#define GAMSUB_COMPILEERRORS_H

#include <string>
#include <vector>

namespace gamsub {

struct CompileError {
    int line = 0;
    int column = 0;  // 1-based column the `$` marker stands under
    int code = 0;
    std::string message;
};

// Error numbers follow GAMS where GAMS has one; 9xx are this solver's own
// "not supported" errors.
enum ErrorCode {
    kErrUnknownSymbol = 140,
    kErrDimension = 148,
    kErrUncontrolled = 149,
    kErrDomainElement = 170,
    kErrDomainSet = 171,
    kErrDuplicate = 195,
    kErrSyntax = 409,
    kErrUnsupported = 901,
    kErrIntegerVars = 902,
    kErrDollarControl = 903,
    kErrModel = 904,
};

class CompileErrors {
public:
    void add(int line, int column, int code, const std::string& message);
    const std::vector<CompileError>& all() const { return errors_; }
    bool empty() const { return errors_.empty(); }
    size_t count() const { return errors_.size(); }

private:
    std::vector<CompileError> errors_;
};

}  // namespace gamsub

#endif

#include "Violation.h"

#include <algorithm>
#include <cmath>

namespace gamsub {

double relativeViolation(double value, double lower, double upper) {
    if (std::isnan(value)) return kInf;
    if (value < lower) return (lower - value) / (1.0 + std::fabs(lower));
    if (value > upper) return (value - upper) / (1.0 + std::fabs(upper));
    return 0.0;
}

double largestViolation(const ModelInstance& model) {
    double worst = 0.0;
    for (const Row& row : model.rows) worst = std::max(worst, relativeViolation(row.level, row.lower, row.upper));
    for (const Column& column : model.columns)
        worst = std::max(worst, relativeViolation(column.level, column.lower, column.upper));
    return worst;
}

}  // namespace gamsub

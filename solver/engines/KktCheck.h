// Whether a point Ipopt stopped at without converging is, all the same, a
// first-order (KKT) point of the model: within its bounds, every free variable's
// reduced cost zero or of the sign its active bound allows, and every
// multiplier zero or of the sign its active constraint allows, each within a
// relative tolerance. Ipopt ends with "search direction too small" on some
// models whose last iterate is such a point; checked here, the point is as
// locally optimal as a converged run's, and is reported so.
#ifndef GAMSUB_KKTCHECK_H
#define GAMSUB_KKTCHECK_H

#include <vector>

#include "IpoptAdapter.h"

namespace gamsub {

struct KktResidual {
    bool evaluated = false;  // false when a function or derivative could not be evaluated at the point
    double primal = 0.0;     // the largest bound violation, relative to max(1, |value|); the rows'
                             // feasibility is the listing's own measure (Violation.h), for the caller
    double dual = 0.0;       // the largest reduced cost of the wrong sign, relative to its terms
    double complementarity = 0.0;  // the largest multiplier of an inactive constraint, relative to its terms
};

// At `x` with constraint multipliers `lambda` (Ipopt's sign: the Lagrangian is
// f + lambda'g), over the problem `nlp` describes.
KktResidual kktResidual(IpoptAdapter& nlp, const std::vector<double>& x, const std::vector<double>& lambda);

// All three within `tolerance`.
bool kktSatisfied(const KktResidual& residual, double tolerance = 1e-7);

}  // namespace gamsub

#endif

// --rho auto measures rho_j from the scenarios' first solutions. When those
// nearly coincide the measurement divides by almost nothing (rho 2.4e11 or
// 1e-17 were seen): rho_j is kept within a range set by the cost scale, and a
// variable on which the scenarios already agree gets the cost scale itself.
#ifndef PHA_RHOGUARD_H
#define PHA_RHOGUARD_H

#include <string>
#include <vector>

#include "GAMSInOut.h"

// The cost scale of x_j: c / max(1, |average_j|), where c is the cost per unit
// |expectedCost| / max(1, sum_j |average_j|) (1 when the expected cost is 0).
std::vector<double> rhoScale(const SCENARIOS& set, double expectedCost);

// rho_j is kept within [kRhoBelowScale, kRhoAboveScale] times its scale.
constexpr double kRhoBelowScale = 1e-3;
constexpr double kRhoAboveScale = 1e3;
// The scenarios agree on x_j when the spread sqrt(sum_k p_k (x_kj - a_j)^2) is
// at most this times max(1, |a_j|).
constexpr double kAgreedSpread = 1e-6;

// Applies both rules to `rho` and returns one line per rule that changed
// something (naming the variables, the measured and the new values).
std::vector<std::string> guardAutoRho(const SCENARIOS& set, const std::vector<double>& scale, std::vector<double>& rho);

// A warning when rho is per variable but the template writes only the mean
// rho (@300) and no rho_j (@500..): the models then pull every x_j with the
// mean while the weights grow with rho_j. "" when there is nothing to say.
std::string meanRhoOnlyWarning(const std::vector<std::string>& templateLines, const std::string& templateName);

#endif

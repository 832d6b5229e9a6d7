// The option mode's rho per first-stage variable: read from a file, measured
// from the curvature of the scenario costs, or balanced while the run goes on.
// The weight update uses rho_j for x_j; the second stage keeps one rho.
#ifndef PHA_RHOPERVARIABLE_H
#define PHA_RHOPERVARIABLE_H

#include <string>
#include <vector>

#include "GAMSInOut.h"

// --rho-file: one value per first-stage variable, each > 0 and finite, one a
// line (blank lines and lines beginning with % are skipped). Throws
// WrongInputParameter naming the file, the line and the value.
std::vector<double> readRhoFile(const std::string& fileName, int n1);

// The rule of Watson and Woodruff (2011): rho_j = c_j / max(1, spread_j),
// spread_j = sum_k p_k |x_kj - average_j|. `costPerUnit` holds c_j.
std::vector<double> costOverSpreadRho(const SCENARIOS& set, const std::vector<double>& costPerUnit);

// c_j for the fallback of --rho auto: the cost per unit of first-stage decision,
// |expected cost| / max(1, sum_j |average_j|), the same for every j (the
// template's cost coefficients are not visible to pha).
std::vector<double> costPerUnitEstimate(const SCENARIOS& set, double expectedCost);

// rho_j as the curvature of the scenarios' costs along x_j: between each
// scenario's own optimum x_k (where, solved alone, its slope is 0) and the
// plan a, where `slopes` holds its slope g_k (x.m with x fixed at a), the
// secant sum_k p_k g_kj (a_j - x_kj) / sum_k p_k (a_j - x_kj)^2. It is exact
// for quadratic costs, for which this rho makes progressive hedging converge
// fastest. Where a variable's secant is not positive the secant over all
// variables together stands in; returns empty when that is not positive either.
std::vector<double> secantRho(const SCENARIOS& set, const std::vector<std::vector<double>>& slopes,
                              const std::vector<double>& plan);

// Residual balancing: rho_j times `factor` where the scenarios' disagreement
// sqrt(sum_k p_k (x_kj - average_j)^2) exceeds `ratio` times the dual residual
// rho_j |average_j - previous_j|, divided by `factor` in the opposite case.
// Returns true when some rho_j changed.
bool balanceRho(const SCENARIOS& set, const std::vector<double>& previousAverage, std::vector<double>& rho,
                double ratio = 10.0, double factor = 2.0);

// w_kj += rho_j (x_kj - average_j) for the first stage, rho2 for the second.
// Keeps sum_k p_k w_kj = 0 whatever rho_j is, as the outer bound needs.
void updateWeightsPerVariable(SCENARIOS& set, const std::vector<double>& rho, double rho2);

double meanOf(const std::vector<double>& values);

#endif

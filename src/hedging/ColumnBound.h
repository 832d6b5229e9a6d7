// An outer bound for integer first stages from the points the scenarios have
// already given. Every solve of a scenario (a hedging step, a bound round, a
// plan tried for the inner bound) is a feasible point of it: its first stage
// x and its cost. Over these points the restricted master
//
//   min  sum_k p_k sum_c lambda_kc cost_kc
//   s.t. sum_c lambda_kc = 1                        every scenario k
//        sum_c lambda_kc x_kc - z + u_k - v_k = 0   every scenario k (z free)
//        lambda, u, v >= 0, u and v cost p_k M per unit
//
// is a linear program whose duals on the second rows are weights that
// balance (sum_k p_k w_k = 0, from the free z) and price the disagreement as
// the points seen so far say it should be priced. Solving the scenarios with
// those weights and rho 0 gives the Lagrangian outer bound, and their
// solutions are new points: a column generation for the dual of the
// nonanticipativity constraints. The progressive hedging weights approach the
// same dual only in steps of rho; on binary decisions that is slow.
// u and v keep the master feasible while the points of different scenarios
// cannot yet agree; M caps the weights.
#ifndef PHA_COLUMNBOUND_H
#define PHA_COLUMNBOUND_H

#include <cstddef>
#include <map>
#include <vector>

class ColumnBound {
public:
    // `scenarios` scenarios with `entries` first-stage entries; at most
    // `perScenario` points per scenario are kept (the oldest go first).
    ColumnBound(int scenarios, int entries, size_t perScenario = 1000);

    // A feasible point of scenario k (0-based): its first stage and its cost.
    // A point seen before keeps its smaller cost. Returns whether it was new.
    bool add(int scenario, const std::vector<double>& x, double cost);

    size_t points() const;

    struct Master {
        bool solved = false;
        double value = 0.0;  // the master's optimum: at least the Lagrangian dual while u or v is used
        std::vector<std::vector<double>> weights;  // w_k, one vector per scenario, balanced exactly
    };
    // The master over the points kept; not solved while a scenario has no
    // point or the LP solver does not end optimal.
    Master solve(const std::vector<double>& probabilities) const;

private:
    struct Point {
        std::vector<double> x;
        double cost;
    };
    int entries_;
    size_t perScenario_;
    std::vector<std::vector<Point>> points_;  // per scenario, oldest first
};

#endif

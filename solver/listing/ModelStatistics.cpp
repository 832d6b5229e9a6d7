#include "ModelStatistics.h"

#include <cstdio>
#include <vector>

namespace gamsub {

long countNonZeros(const ModelInstance& m) {
    long count = 0;
    std::vector<int> nodeSeen(m.pool.nodes.size(), -1), columnSeen(m.columns.size(), -1);
    std::vector<int> stack;
    for (size_t r = 0; r < m.rows.size(); r++) {
        int stamp = static_cast<int>(r);
        stack.assign(1, m.rows[r].body);
        while (!stack.empty()) {
            int n = stack.back();
            stack.pop_back();
            if (n < 0 || n >= static_cast<int>(nodeSeen.size()) || nodeSeen[static_cast<size_t>(n)] == stamp) continue;
            nodeSeen[static_cast<size_t>(n)] = stamp;
            const Node& node = m.pool.nodes[static_cast<size_t>(n)];
            if (node.op == Op::Var && node.var >= 0 && node.var < static_cast<int>(columnSeen.size()) &&
                columnSeen[static_cast<size_t>(node.var)] != stamp) {
                columnSeen[static_cast<size_t>(node.var)] = stamp;
                count++;
            }
            for (int a : node.args) stack.push_back(a);
        }
    }
    return count;
}

void writeModelStatistics(Listing& listing, const ModelInstance& m, double generationSeconds) {
    listing.newPage("Model Statistics    SOLVE " + m.modelName + " Using " + modelTypeName(m.type) + " From line " +
                    std::to_string(m.solveLine));
    std::ostream& out = listing.out();
    char line[160];
    out << "MODEL STATISTICS\n\n";
    std::snprintf(line, sizeof line, "BLOCKS OF EQUATIONS %11zu     SINGLE EQUATIONS %12zu\n", m.equBlocks.size(), m.rows.size());
    out << line;
    std::snprintf(line, sizeof line, "BLOCKS OF VARIABLES %11zu     SINGLE VARIABLES %12zu\n", m.varBlocks.size(), m.columns.size());
    out << line;
    std::snprintf(line, sizeof line, "NON ZERO ELEMENTS %13ld\n", countNonZeros(m));
    out << line;
    std::snprintf(line, sizeof line, "\n\nGENERATION TIME      =%13.3f SECONDS      0 MB  gams-subset\n", generationSeconds);
    out << line;
}

}  // namespace gamsub

#include "SolveEngine.h"

namespace gamsub {

// First linkable version: the Ipopt-backed engine replaces this shortly.
SolveStatus solveInstance(ModelInstance& model) {
    SolveStatus status;
    status.solverStatus = 13;
    status.modelStatus = 13;
    status.solverMessage = "solve engine not built yet";
    (void)model;
    return status;
}

void writeSolutionReport(Listing& listing, const ModelInstance& model, const SolveStatus& status) {
    listing.newPage("Solution Report     SOLVE " + model.modelName + " Using LP From line " +
                    std::to_string(model.solveLine));
    listing.out() << "**** SOLVER STATUS     " << status.solverStatus << '\n';
    listing.out() << "**** MODEL STATUS      " << status.modelStatus << '\n';
}

}  // namespace gamsub

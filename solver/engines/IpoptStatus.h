// GAMS's solver and model status codes for the way an Ipopt run ended.
#ifndef GAMSUB_IPOPTSTATUS_H
#define GAMSUB_IPOPTSTATUS_H

#include <IpAlgTypes.hpp>
#include <IpReturnCodes.hpp>

#include <string>

namespace gamsub {

struct StatusCodes {
    int solverStatus = 13;
    int modelStatus = 13;
    std::string summary;  // the solver's verdict, e.g. "Optimal solution. ..."
};

// `finalized`: Ipopt handed back an iterate (then `solverReturn` is its reason);
// `feasible`: that iterate satisfies rows and bounds; `linear`: an LP;
// `timedOut`: the engine stopped Ipopt at the time limit.
StatusCodes statusFromIpopt(bool finalized, Ipopt::SolverReturn solverReturn, Ipopt::ApplicationReturnStatus appStatus,
                            bool feasible, bool linear, bool timedOut = false);

}  // namespace gamsub

#endif

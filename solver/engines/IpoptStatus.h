// GAMS's solver and model status codes for the way an Ipopt run ended.
#ifndef GAMSUB_STATUSMAPPING_H
#define GAMSUB_STATUSMAPPING_H

#include <IpAlgTypes.hpp>
#include <IpReturnCodes.hpp>

#include <string>

namespace gamsub {

// The limits the engine gives Ipopt (and the SOLVE SUMMARY shows).
constexpr int kIterationLimit = 3000;
constexpr double kResourceLimit = 1000.0;  // seconds, GAMS's default

struct StatusCodes {
    int solverStatus = 13;
    int modelStatus = 13;
    std::string summary;  // the solver's verdict, e.g. "Optimal solution. ..."
};

// `finalized`: Ipopt handed back an iterate (then `solverReturn` is its reason);
// `feasible`: that iterate satisfies rows and bounds; `linear`: an LP.
StatusCodes statusFromIpopt(bool finalized, Ipopt::SolverReturn solverReturn, Ipopt::ApplicationReturnStatus appStatus,
                            bool feasible, bool linear);

// Texts as the SOLVE SUMMARY prints them.
std::string solverStatusText(int code);
std::string modelStatusText(int code);

}  // namespace gamsub

#endif

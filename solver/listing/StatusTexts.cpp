#include "StatusTexts.h"

namespace gamsub {

std::string solverStatusText(int code) {
    switch (code) {
        case 1: return "Normal Completion";
        case 2: return "Iteration Interrupt";
        case 3: return "Resource Interrupt";
        case 4: return "Terminated by Solver";
        case 5: return "Evaluation Interrupt";
        case 6: return "Capability Problems";
        case 7: return "Licensing Problems";
        case 8: return "User Interrupt";
        case 9: return "Error Setup Failure";
        case 10: return "Error Solver Failure";
        case 11: return "Error Internal Solver Error";
        case 12: return "Solve Processing Skipped";
        case 13: return "System Failure";
        default: return "Unknown";
    }
}

std::string modelStatusText(int code) {
    switch (code) {
        case 1: return "Optimal";
        case 2: return "Locally Optimal";
        case 3: return "Unbounded";
        case 4: return "Infeasible";
        case 5: return "Locally Infeasible";
        case 6: return "Intermediate Infeasible";
        case 7: return "Intermediate Nonoptimal";
        case 8: return "Integer Solution";
        case 9: return "Intermediate Non-Integer";
        case 10: return "Integer Infeasible";
        case 11: return "Licensing Problem";
        case 12: return "Error Unknown";
        case 13: return "Error No Solution";
        case 14: return "No Solution Returned";
        case 15: return "Solved Unique";
        case 16: return "Solved";
        case 17: return "Solved Singular";
        case 18: return "Unbounded - No Solution";
        case 19: return "Infeasible - No Solution";
        default: return "Unknown";
    }
}

}  // namespace gamsub

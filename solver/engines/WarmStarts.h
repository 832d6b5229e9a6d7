// The last solution of each model a long-running caller solves again and
// again (the worker: the same scenario every iteration, only numbers changed),
// kept so that the next solve of the same structure starts from it. Off unless
// the caller switches it on; a one-off run keeps nothing.
#ifndef GAMSUB_WARMSTARTS_H
#define GAMSUB_WARMSTARTS_H

#include <cstdint>
#include <string>
#include <vector>

namespace gamsub {

// A simplex engine's final point and basis.
struct WarmStart {
    std::uint64_t structure = 0;  // the problem's shape (sizes and sparsity) it belongs to
    std::vector<double> columnValues, rowValues;
    std::vector<unsigned char> columnStatus, rowStatus;
};

// Switches the memory on or off (off clears it) for this thread.
void keepWarmStarts(bool on);
bool keepingWarmStarts();

// A run of the solver on `input` begins: its solves are told apart by their
// order within the run.
void beginWarmStartRun(const std::string& input);

// The next solve of the run: the start kept for it, or null when there is none
// or it belongs to another structure.
const WarmStart* recallWarmStart(std::uint64_t structure);
// Keeps the start for the solve recalled last.
void rememberWarmStart(WarmStart start);

// A hash of a problem's shape: sizes and positions of its entries.
std::uint64_t shapeHash(std::uint64_t seed, const std::vector<int>& values);

}  // namespace gamsub

#endif

#include "BundledIdentity.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace gamsub {

// Kept as one literal so that the linker stores it contiguously in the binary.
const char* const kBundledSolverMarker = "gamsub-bundled-gams-subset-solver:v1";

bool namesBundledSolver(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const size_t markerLength = std::strlen(kBundledSolverMarker);
    // Blocks that overlap by the marker's length, so a marker across two reads is found.
    const size_t blockSize = 1 << 16;
    std::vector<char> block(blockSize + markerLength);
    size_t kept = 0;
    while (in) {
        in.read(block.data() + kept, static_cast<std::streamsize>(blockSize));
        size_t filled = kept + static_cast<size_t>(in.gcount());
        if (filled < markerLength) return false;
        for (size_t at = 0; at + markerLength <= filled; at++)
            if (block[at] == kBundledSolverMarker[0] &&
                std::memcmp(block.data() + at, kBundledSolverMarker, markerLength) == 0)
                return true;
        kept = markerLength - 1;
        std::memmove(block.data(), block.data() + filled - kept, kept);
    }
    return false;
}

}  // namespace gamsub

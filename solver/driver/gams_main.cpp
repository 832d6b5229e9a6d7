// The bundled solver for a subset of the GAMS language as a program:
// `gams MODEL[.gms] [key=value ...]`, exit status as GAMS gives it.
#include "RunGams.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return gamsub::runGams(args);
}

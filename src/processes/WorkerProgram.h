// Where the solver worker is and where it works.
#ifndef PHA_WORKERPROGRAM_H
#define PHA_WORKERPROGRAM_H

#include <string>

// The working directory's absolute path, however long it is.
std::string currentDirectory();

// "scw" when it is on the PATH (mpirun finds it there); otherwise the scw
// beside this program, as in a build tree, by its absolute path.
std::string workerProgram();

#endif

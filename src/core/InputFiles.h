// The checks before an input file is read whole: it must be a regular file
// (a device such as /dev/zero, a pipe or a directory would be read for ever or
// not at all) and, where a reader says so, not larger than it can hold.
#ifndef PHA_INPUTFILES_H
#define PHA_INPUTFILES_H

#include <string>

// "" when `name` is a regular file (links followed) of at most maxBytes
// (< 0: any size); else why not, as the end of a sentence about the file
// ("does not exist", "is not a regular file", "has 3 GB, more than ... holds").
std::string regularInputFile(const std::string& name, long long maxBytes = -1);

#endif

// The program's version, shown by --version.
#ifndef PHA_VERSION_H
#define PHA_VERSION_H

constexpr const char* kPhaVersion = "2.0";

#endif

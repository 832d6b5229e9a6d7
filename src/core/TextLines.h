// Whole-line reading for every text file the console program reads: a line of
// any length comes back in one piece, so nothing is truncated or split.
#ifndef PHA_TEXTLINES_H
#define PHA_TEXTLINES_H

#include <cstdio>
#include <string>

// Reads the next line into `line`, its line feed included when the file has
// one. Returns false only at the end of the file with nothing read.
bool readWholeLine(FILE* file, std::string& line);

// The line without its final line feed and a carriage return before it.
std::string withoutLineEnd(const std::string& line);

// Whether the named file can be opened for reading.
bool fexist(const char* fname);

#endif

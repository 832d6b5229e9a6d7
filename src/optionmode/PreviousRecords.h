// A run into a folder that holds an earlier run's results.txt or --json record
// keeps them: each is renamed to the first free numbered name (results.1.txt,
// run.1.json, ...) before the new run writes its own.
#ifndef PHA_PREVIOUSRECORDS_H
#define PHA_PREVIOUSRECORDS_H

#include <string>

// `name` with a number before its extension: "results.txt", 2 -> "results.2.txt".
std::string numberedName(const std::string& name, int number);

// Renames an existing `name` to its first free numbered name and returns that
// name; "" when there is no such file. Throws GeneralException naming both
// files when the rename fails.
std::string keepPreviousRecord(const std::string& name);

#endif

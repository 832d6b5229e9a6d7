// --cost and --objective name variables of the model: a name the template
// does not have is refused before anything is solved, with the nearest name
// the template has, instead of failing in the lines pha adds to every model.
#ifndef PHA_MODELNAMES_H
#define PHA_MODELNAMES_H

#include <string>
#include <vector>

// Throws WrongInputParameter naming the option, the name and the template when
// `name` is not a word of the template's lines (outside comment lines; GAMS
// names are compared without letter case). An empty name passes.
void refuseNameNotInTemplate(const char* option, const std::string& name, const std::string& templateName,
                             const std::vector<std::string>& templateLines);

// The candidate nearest to `name` within two letters' slip (letter case
// ignored), or "" when none is that near.
std::string nearestName(const std::string& name, const std::vector<std::string>& candidates);

#endif

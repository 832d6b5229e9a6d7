// GAMS's solver and model status texts as the SOLVE SUMMARY prints them.
#ifndef GAMSUB_STATUSTEXTS_H
#define GAMSUB_STATUSTEXTS_H

#include <string>

namespace gamsub {

std::string solverStatusText(int code);
std::string modelStatusText(int code);

}  // namespace gamsub

#endif

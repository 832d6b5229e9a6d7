// Numbers written as printf writes them with "%.*g" and "%.*f", without
// printf: the models of every round carry many values, and printf's
// floating-point path costs more than the rest of writing them.
#ifndef PHA_NUMBERTEXT_H
#define PHA_NUMBERTEXT_H

#include <string>

// Appends `value` as printf("%.*g", significant, value) writes it.
void appendGeneral(std::string& out, double value, int significant);

// Appends `value` as printf("%.*f", decimals, value) writes it.
void appendFixed(std::string& out, double value, int decimals);

#endif

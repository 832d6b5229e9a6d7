// Placeholder console driver; the dialogue replaces it.
#include "GAMSInOut.h"

int main() { return 0; }

// The hedging driver object: run parameters and the GAMS path file.
#include "GAMSInOut.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "Exceptions.h"
#include "TextLines.h"

namespace {

const char* const kPathFileName = "pathGAMS.txt";

char* heapCopy(const char* text, size_t length) {
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

// The first line of the GAMS path file exactly as it stands, line break included.
std::string readGamsPathLine() {
    FILE* file = std::fopen(kPathFileName, "rt");
    if (file == nullptr) throw FileNotExists(kPathFileName);
    std::string line;
    bool gotLine = readWholeLine(file, line);
    std::fclose(file);
    if (!gotLine)
        throw GeneralException("The path for the GAMS is not in a proper format. Check the file 'pathGAMS.txt'");
    return line;
}

}  // namespace

PHA::PHA(SCENARIOS* _S, char* dataFile, double e, double r)
    : S(_S), templet(nullptr), pathGams(nullptr), eps(e), rho(r) {
    templet = heapCopy(dataFile, std::strlen(dataFile));
    // Code 300 of the template starts from the same penalty the weight update uses.
    S->rho = r;
    try {
        std::string path = readGamsPathLine();
        // The worker gets the path unchanged; the shell ends the command at its line break.
        pathGams = heapCopy(path.data(), path.size());
    } catch (...) {
        // No destructor runs for a half-built object.
        delete[] templet;
        templet = nullptr;
        throw;
    }
}

PHA::~PHA() {
    delete[] templet;
    templet = nullptr;
    delete[] pathGams;
    pathGams = nullptr;
}

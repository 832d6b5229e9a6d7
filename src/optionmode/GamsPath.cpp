#include "GamsPath.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "Exceptions.h"
#include "Launch.h"
#include "TextLines.h"

namespace {

const char* const kPathFile = "pathGAMS.txt";

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isProgram(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A name without a slash is looked up on PATH, as the worker starts it.
bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    const std::string list(path);
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        const std::string dir = end > start ? list.substr(start, end - start) : ".";
        if (isProgram(dir + "/" + name)) return true;
        start = end + 1;
    }
    return false;
}

[[noreturn]] void refuse(const std::string& text) { throw GeneralException((" > ERROR! " + text).c_str()); }

}  // namespace

std::string checkedGamsPath(const std::string& gamsOption) {
    std::string path = gamsOption;
    std::string from = "--gams";
    if (path.empty()) {
        FILE* file = std::fopen(kPathFile, "r");
        if (file == nullptr)
            refuse("Where is GAMS? There is no --gams and no file 'pathGAMS.txt' in this folder.\n"
                   " >> Give --gams PATH: the GAMS directory or program, or the bundled solver build/solver/gams.");
        std::string line;
        const bool hasFirstLine = readWholeLine(file, line);
        std::fclose(file);
        path = withoutTrailingLineBreaks(line);
        if (!hasFirstLine || path.empty())
            refuse("The file 'pathGAMS.txt' does not contain the path of GAMS on its first line.\n"
                   " >> Write the path there, or give --gams PATH.");
        from = "the first line of 'pathGAMS.txt'";
    }
    const std::string program = isDirectory(path) ? path + "/gams" : path;
    const bool found = program.find('/') == std::string::npos ? onPath(program) : isProgram(program);
    if (!found)
        refuse("GAMS '" + path + "' (" + from + ") is not a program that can be run" +
               (isDirectory(path) ? ": the directory has no program 'gams'." : ".") +
               "\n >> Give the GAMS directory or program, or the bundled solver build/solver/gams.");
    return path;
}

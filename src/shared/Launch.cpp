#include "Launch.h"

#include "ChildProcess.h"

#include <cstring>

std::string LaunchResult::describe() const {
    if (!started) return std::string("could not be started: ") + std::strerror(startError);
    if (exited) return "exit status " + std::to_string(exitStatus);
    return "killed by signal " + std::to_string(signal);
}

LaunchResult runAndWait(const std::vector<std::string>& argv, const std::string& workDir) {
    LaunchResult failure;
    ChildProcess child = startChild(argv, workDir, false, false, failure);
    if (child.pid < 0) return failure;
    return waitChild(child);
}

std::string commandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& a : argv) {
        if (!line.empty()) line += ' ';
        bool plain = !a.empty() && a.find_first_of(" \t\r\n'\"\\$`;&|<>()*?[]#~{}") == std::string::npos;
        if (plain) {
            line += a;
            continue;
        }
        line += '\'';
        for (char c : a) {
            if (c == '\'') line += "'\\''";
            else line += c;
        }
        line += '\'';
    }
    return line;
}

std::string withoutTrailingLineBreaks(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r')) end--;
    return text.substr(0, end);
}

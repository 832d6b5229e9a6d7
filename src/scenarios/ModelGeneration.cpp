// Writes scenario<k>.gms for every scenario from the model template.
#include "GAMSInOut.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "SafeFiles.h"
#include "TemplateCodes.h"
#include "TextLines.h"

namespace {

// The template's lines, each without its final line feed. A carriage return
// stays: before a code it belongs to the code, elsewhere it is copied.
std::vector<std::string> readTemplateLines(const char* templetName) {
    FILE* file = std::fopen(templetName, "rt");
    if (file == nullptr) throw FileNotExists(templetName);
    std::vector<std::string> lines;
    std::string line;
    while (readWholeLine(file, line)) {
        if (line.back() == '\n') line.pop_back();
        lines.push_back(line);
    }
    std::fclose(file);
    return lines;
}

// One scenario's model: every line is expanded before the file is opened, so
// a refused code never leaves a half-written model behind.
void writeScenarioModel(const std::vector<std::string>& lines, const SCENARIOS& set, int s,
                        const char* templetName, const std::string& fileName) {
    std::string model;
    for (size_t n = 0; n < lines.size(); n++) {
        model += expandTemplateLine(lines[n], set, s, TemplatePlace{templetName, static_cast<long>(n) + 1});
        model += '\n';
    }
    // Never through a symbolic link: the model goes where its name says.
    std::string error;
    // The cause (a full disk, a link, not a regular file) is named, not taken for a missing file.
    if (!writeWholeFile(fileName, model, error)) throw GeneralException((" > ERROR! " + error).c_str());
}

}  // namespace

void SCENARIOS::makeGAMSSourceFiles(char* templetName) {
    const std::vector<std::string> lines = readTemplateLines(templetName);
    for (int s = 0; s < numScenarios; s++) {
        const std::string fileName = "scenario" + std::to_string(s + 1) + ".gms";
        writeScenarioModel(lines, *this, s, templetName, fileName);
        std::printf("> GAMS source file '%s' with scenario %d has been created.\n", fileName.c_str(), s + 1);
    }
    std::printf("\n");
}

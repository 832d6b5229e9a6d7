// Fuzz target: the substitution codes of the model template, line by line,
// in the dialogue's style and in the option mode's strict style.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "Exceptions.h"
#include "GAMSInOut.h"
#include "TemplateCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::unique_ptr<SCENARIOS> set = [] {
        std::ofstream("fuzz-template-settings.txt") << "0.5 1 2 3\n0.5 4 5 6\n";
        char name[] = "fuzz-template-settings.txt";
        return std::make_unique<SCENARIOS>(name, 3, 2);
    }();
    std::string text(reinterpret_cast<const char*>(data), size);
    CodeStyle strict;
    strict.strict = true;
    strict.digits = 6;
    long lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        TemplatePlace place{"fuzz.gms", ++lineNumber};
        for (int s = 0; s < 2; s++) {
            try {
                expandTemplateLine(line, *set, s, place);
                expandTemplateLine(line, *set, s, place, strict);
            } catch (const GeneralException&) {
            }
        }
        start = end + 1;
    }
    return 0;
}

#include "TemplateCodes.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <string_view>

#include "Exceptions.h"
#include "NumberText.h"

namespace {

// Values per range of codes: @0..@99, @100..@199, @200..@299.
const long kCodeRange = 100;

// Code numbers beyond this are all unknown; saturating here keeps huge texts from overflowing.
const long kNumberCap = 1000000;

// The leading decimal integer of a code text as atoi reads it: white space, a
// sign, digits; a text without digits reads as 0.
long codeNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); i++)
        if (value < kNumberCap) value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

// With digits < 0 the value is written with 17 significant digits, which read back as the same double.
void appendFormatted(std::string& out, int digits, double value) {
    if (digits < 0) appendGeneral(out, value, 17);
    else appendFixed(out, value, digits);
}

std::string formatted(int digits, double value) {
    std::string text;
    appendFormatted(text, digits, value);
    return text;
}

// The code as the user wrote it, with control characters made visible.
std::string shownCode(std::string_view text) {
    std::string shown = "@";
    for (char c : text) {
        if (c == '\t') shown += "\\t";
        else if (c == '\r') shown += "\\r";
        else if (std::iscntrl(static_cast<unsigned char>(c))) shown += "?";
        else shown += c;
    }
    return shown;
}

[[noreturn]] void refuse(const char* headline, std::string_view text, const TemplatePlace& place,
                         const std::string& reason) {
    std::string message = std::string(" > ERROR! ") + headline + "\n >> The code '" + shownCode(text) +
                          "' in line " + std::to_string(place.lineNumber) + " of the file '" + place.fileName +
                          "'\n >> " + reason;
    throw GeneralException(message.c_str());
}

// Looks up entry m of a first-stage vector followed by a second-stage one.
bool stagedEntry(const VECTOR* first, const VECTOR* second, long m, double& value) {
    if (m < first->size) {
        value = first->data[m];
        return true;
    }
    if (m - first->size < second->size) {
        value = second->data[m - first->size];
        return true;
    }
    return false;
}

// Which codes of a weight or average range have a value, for the error message.
std::string stagedRange(const SCENARIOS& set, long first, const char* what) {
    const long entries = static_cast<long>(set.numVariables1) + set.numVariables2;
    std::string counts = std::to_string(set.numVariables1) + " first-stage and " +
                         std::to_string(set.numVariables2) + " second-stage " + what;
    if (entries == 0) return std::string("There are no ") + what + ": the model has " + counts + ".";
    return "The codes " + std::to_string(first) + " to " + std::to_string(first + entries - 1) +
           " stand for the " + counts + ", in this order.";
}

// With more first- and second-stage entries than a range holds, the
// second-stage weights and averages run into the next range: a code for one
// of them would stand for two values, so none of them is given.
void refuseSecondStageRunningOver(const SCENARIOS& set, long n, long first, std::string_view text,
                                  const TemplatePlace& place) {
    const long staged = static_cast<long>(set.numVariables1) + set.numVariables2;
    if (n - first < set.numVariables1 || staged <= kCodeRange) return;
    const char* what = first == 100 ? "weights" : "averages";
    refuse("More values than a range of substitution codes holds.", text, place,
           "There are " + std::to_string(set.numVariables1) + " first-stage and " +
               std::to_string(set.numVariables2) + " second-stage variables, " + std::to_string(staged) +
               " in all; the codes " + std::to_string(first) + ".." + std::to_string(first + kCodeRange - 1) +
               " hold 100 " + what + ", so the second-stage " + what +
               " run into the next range and have no codes: only the first-stage ones do.");
}

// The option mode takes a code's text only when it is the number alone: the
// classic rule would swallow a glued ";" or ")" and the model would not compile.
void refuseGluedCharacters(std::string_view text, const TemplatePlace& place) {
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) digits++;
    // A carriage return before the line feed ends a code like the line end does.
    const bool lineEnd = digits + 1 == text.size() && text[digits] == '\r';
    if (digits == 0 || (digits < text.size() && !lineEnd))
        refuse("A substitution code in the template has characters glued to it.", text, place,
               "A code is '@' and its number, ended by a blank or the line end; the blank is dropped with it. "
               "Write '@" + std::string(text.substr(0, digits)) + " " +
                   (digits < text.size() ? std::string(text.substr(digits)) : "") + "' with a blank after the number.");
}

// Appends the value of the code with text `text` to `out`.
void appendCodeValue(std::string& out, std::string_view text, const SCENARIOS& set, int s, const TemplatePlace& place,
                     const CodeStyle& style) {
    if (text.empty())
        refuse("A substitution code in the template has no number.", text, place,
               "An '@' must be followed by the code number; a blank or the line end came first.");
    if (style.strict) refuseGluedCharacters(text, place);
    const SCENARIO* scenario = set.scenarios[s];
    const long n = codeNumber(text);
    double value = 0.0;
    if (n >= 0 && n <= 99) {
        if (n >= scenario->numParameters)
            refuse("A substitution code in the template has no value.", text, place,
                   "Scenario " + std::to_string(s + 1) + " has " + std::to_string(scenario->numParameters) +
                       " parameters in the settings file: the codes 0 to 99 stand for them in turn.");
        value = scenario->data[n];
    } else if (n >= 100 && n <= 199) {
        refuseSecondStageRunningOver(set, n, 100, text, place);
        if (!stagedEntry(scenario->weights1, scenario->weights2, n - 100, value))
            refuse("A substitution code in the template has no value.", text, place, stagedRange(set, 100, "weights"));
        if (style.weightsOff) value = 0.0;
    } else if (n >= 200 && n <= 299) {
        refuseSecondStageRunningOver(set, n, 200, text, place);
        if (!stagedEntry(set.averageSolution1, set.averageSolution2[s], n - 200, value))
            refuse("A substitution code in the template has no value.", text, place, stagedRange(set, 200, "averages"));
    } else if (n == 300) {
        value = style.rhoOff ? 0.0 : set.rho;
    } else if (n == 400) {
        char number[24];  // any int fits
        const std::to_chars_result written = std::to_chars(number, number + sizeof number, s + 1);
        out.append(number, written.ptr);
        return;
    } else if (n >= 500 && n <= 599 && style.rhoPerVariable != nullptr) {
        const std::vector<double>& rho = *style.rhoPerVariable;
        if (static_cast<size_t>(n - 500) >= rho.size())
            refuse("A substitution code in the template has no value.", text, place,
                   "The codes 500 to " + std::to_string(499 + static_cast<long>(rho.size())) + " stand for rho of the " +
                       std::to_string(rho.size()) + " first-stage variables.");
        value = style.rhoOff ? 0.0 : rho[static_cast<size_t>(n - 500)];
    } else {
        refuse("Unknown substitution code in the template.", text, place,
               "The known codes are 0 to 299, 300 (rho) and 400 (the scenario number).");
    }
    appendFormatted(out, style.digits, value);
}

}  // namespace

std::string expandTemplateLine(const std::string& body, const SCENARIOS& set, int s, const TemplatePlace& place) {
    return expandTemplateLine(body, set, s, place, CodeStyle());
}

std::string expandTemplateLine(const std::string& body, const SCENARIOS& set, int s, const TemplatePlace& place,
                               const CodeStyle& style) {
    std::string out;
    out.reserve(body.size());
    for (const LinePiece& piece : linePieces(body)) appendLinePiece(out, body, piece, set, s, place, style);
    return out;
}

std::vector<LinePiece> linePieces(const std::string& body) {
    std::vector<LinePiece> pieces;
    size_t i = 0;
    while (i < body.size()) {
        const size_t at = body.find('@', i);
        if (at != i) {
            const size_t literalEnd = at == std::string::npos ? body.size() : at;
            pieces.push_back(LinePiece{false, i, literalEnd});
            i = literalEnd;
            continue;
        }
        size_t end = body.find(' ', at + 1);
        if (end == std::string::npos) end = body.size();
        pieces.push_back(LinePiece{true, at + 1, end});
        i = end + 1;  // the blank that ended the code is dropped with it
    }
    return pieces;
}

void appendLinePiece(std::string& out, const std::string& body, const LinePiece& piece, const SCENARIOS& set, int s,
                     const TemplatePlace& place, const CodeStyle& style) {
    if (!piece.code) {
        out.append(body, piece.begin, piece.end - piece.begin);
        return;
    }
    appendCodeValue(out, std::string_view(body).substr(piece.begin, piece.end - piece.begin), set, s, place, style);
}

std::string writtenValue(int digits, double value) { return formatted(digits, value); }

void appendWrittenValue(std::string& out, int digits, double value) { appendFormatted(out, digits, value); }

void refuseValueLostInWriting(const char* option, double value, int digits) {
    if (formatted(digits, std::fabs(value)) != formatted(digits, 0.0)) return;
    std::ostringstream shown;
    shown << value;
    std::string message = std::string(" > ERROR! The value ") + shown.str() + " of " + option +
                          " is written into the models as 0 with " + std::to_string(digits) +
                          " decimals.\n >> Give more decimals with --digits.";
    throw WrongInputParameter(message.c_str());
}

void refuseCodeRangeOverflow(const SCENARIOS& set, bool weightCodes, bool dataParameter) {
    long parameters = 0;
    for (int k = 0; k < set.numScenarios; k++)
        if (set.scenarios[k]->numParameters > parameters) parameters = set.scenarios[k]->numParameters;
    std::string message;
    if (!dataParameter && parameters > kCodeRange)
        message = "The settings file gives " + std::to_string(parameters) +
                  " parameters per scenario; the codes @0..@99 hold 100, and @100.. are the weights.";
    else if (weightCodes && set.numVariables1 > kCodeRange)
        message = "There are " + std::to_string(set.numVariables1) +
                  " first-stage variables; the weight codes @100..@199 and the average codes @200..@299 hold 100 "
                  "each, and @200 and @300 belong to the next range.";
    if (message.empty()) return;
    message = " > ERROR! More values than a range of substitution codes holds.\n >> " + message +
              "\n >> Put the values into the model in another way, so that no code stands for two values: in the "
              "option mode the template may read the values as phaData('1').. and leave the hedging terms to pha "
              "(a solve statement that minimises the --cost variable, no weight or average codes).";
    throw WrongInputParameter(message.c_str());
}

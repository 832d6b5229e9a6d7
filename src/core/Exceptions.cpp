#include "Exceptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// A private heap copy (length plus one), so the thrower's buffers may vanish
// before the object is displayed. A null text is kept as an empty one.
char* copyText(const char* text) {
    if (text == nullptr) text = "";
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, text, length + 1);
    return copy;
}

void releaseText(char*& text) {
    std::free(text);
    text = nullptr;
}

}  // namespace

GeneralException::GeneralException(const char* _message) : message(copyText(_message)) {}

GeneralException::GeneralException(const GeneralException& other) : message(copyText(other.message)) {}

GeneralException::~GeneralException() { releaseText(message); }

void GeneralException::displayMessage() const { std::printf("%s\n", message); }

WrongInputParameter::WrongInputParameter(const char* _message) : GeneralException(_message) {}

SumProbabilitiesException::SumProbabilitiesException(double _sum)
    : GeneralException(" > ERROR! The sum of probabilities of all scenarios doesn't equal one!"), sum(_sum) {}

void SumProbabilitiesException::displayMessage() const {
    GeneralException::displayMessage();
    std::printf(" > The sum is %f != 1.\n", sum);
}

NumParametersException::NumParametersException()
    : GeneralException(" > ERROR! The number of parameters is not the same for all scenarios.") {}

NumParametersException::NumParametersException(const char* _message) : GeneralException(_message) {}

FileNotExists::FileNotExists(const char* _fileName)
    : GeneralException(" > ERROR! I cannot open the given file!"), fileName(copyText(_fileName)) {}

FileNotExists::FileNotExists(const FileNotExists& other)
    : GeneralException(other), fileName(copyText(other.fileName)) {}

FileNotExists::~FileNotExists() { releaseText(fileName); }

void FileNotExists::displayMessage() const {
    GeneralException::displayMessage();
    std::printf(" >> The file '%s' probably doesn't exist.\n", fileName);
}

NoOccurenceOfVariableInLSTFile::NoOccurenceOfVariableInLSTFile(const char* _nameOfVariable, const char* _fileName)
    : GeneralException(" > ERROR! The following variable doesn't exist in a given file!"),
      nameOfVariable(copyText(_nameOfVariable)),
      fileName(nullptr) {
    try {
        fileName = copyText(_fileName);
    } catch (...) {
        releaseText(nameOfVariable);
        throw;
    }
}

NoOccurenceOfVariableInLSTFile::NoOccurenceOfVariableInLSTFile(const NoOccurenceOfVariableInLSTFile& other)
    : NoOccurenceOfVariableInLSTFile(other.nameOfVariable, other.fileName) {}

NoOccurenceOfVariableInLSTFile::~NoOccurenceOfVariableInLSTFile() {
    releaseText(nameOfVariable);
    releaseText(fileName);
}

void NoOccurenceOfVariableInLSTFile::displayMessage() const {
    GeneralException::displayMessage();
    std::printf(" >> The variable: '%s' in the file: '%s'\n", nameOfVariable, fileName);
}

// The failures the console program reports. Each object carries the complete
// text it prints; the console driver catches them by exact class, most
// specific first, so none of the display operations is virtual.
#ifndef PHA_EXCEPTIONS_H
#define PHA_EXCEPTIONS_H

class GeneralException {
public:
    char* message;

    GeneralException(const char* _message);
    GeneralException(const GeneralException& other);
    GeneralException& operator=(const GeneralException&) = delete;
    ~GeneralException();

    void displayMessage() const;
};

class WrongInputParameter : public GeneralException {
public:
    WrongInputParameter(const char* _message);
};

class SumProbabilitiesException : public GeneralException {
public:
    double sum;

    SumProbabilitiesException(double _sum);
    void displayMessage() const;
};

class NumParametersException : public GeneralException {
public:
    NumParametersException();
    explicit NumParametersException(const char* _message);  // the message naming the file and line
};

class FileNotExists : public GeneralException {
public:
    char* fileName;

    FileNotExists(const char* _fileName);
    FileNotExists(const FileNotExists& other);
    FileNotExists& operator=(const FileNotExists&) = delete;
    ~FileNotExists();

    void displayMessage() const;
};

class NoOccurenceOfVariableInLSTFile : public GeneralException {
public:
    char* nameOfVariable;
    char* fileName;

    NoOccurenceOfVariableInLSTFile(const char* _nameOfVariable, const char* _fileName);
    NoOccurenceOfVariableInLSTFile(const NoOccurenceOfVariableInLSTFile& other);
    NoOccurenceOfVariableInLSTFile& operator=(const NoOccurenceOfVariableInLSTFile&) = delete;
    ~NoOccurenceOfVariableInLSTFile();

    void displayMessage() const;
};

#endif

// The pieces of a GAMS listing that the listing readers understand: marker
// lines "---- VAR name", the variable tables below them, and their columns.
#ifndef PHA_LISTINGSCAN_H
#define PHA_LISTINGSCAN_H

#include <cstdio>
#include <functional>
#include <string>

// A listing opened for reading, closed again when it goes out of scope.
class ListingFile {
public:
    explicit ListingFile(const char* name);  // throws FileNotExists
    ~ListingFile();
    ListingFile(const ListingFile&) = delete;
    ListingFile& operator=(const ListingFile&) = delete;

    // The next line without its line feed or carriage return and line feed,
    // so listings written on Windows read like any other. False at the end.
    bool next(std::string& line);
    long lineNumber() const { return lineNumber_; }
    const char* name() const { return name_; }

private:
    FILE* file_;
    const char* name_;
    long lineNumber_;
};

// Whether `line` opens the block of variable `name` (exact name, case
// included); `afterName` is then the index just past the name.
bool isMarkerOf(const std::string& line, const char* name, size_t& afterName);

// From `pos`, skips blanks and returns the following run of non-blanks (empty
// at the line end); `pos` ends just past it. Only the space separates columns.
std::string nextColumn(const std::string& line, size_t& pos);

// The leading decimal integer of a label, read like atoi (white space, sign,
// digits). False when the label has no digits there.
bool labelNumber(const std::string& token, long& value);

// A LEVEL token read like atof: the lone point GAMS prints for zero reads 0.
double levelValue(const std::string& token);

// Hands every row of every table of `name` to `onRow`, in file order. The
// three lines after a marker line are passed over; a table ends at an empty
// line or the end of the file. Returns whether a marker line of `name` was seen.
bool forEachTableRow(ListingFile& file, const char* name, const std::function<void(const std::string& row)>& onRow);

// Throws the error for a row that does not fit the receiving container.
[[noreturn]] void refuseRow(const ListingFile& file, const char* variable, const std::string& row,
                            const std::string& reason);

#endif

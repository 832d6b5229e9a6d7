// The pieces of a GAMS listing that the listing readers understand: marker
// lines "---- VAR name", the variable tables below them, and their columns.
#ifndef PHA_LISTINGSCAN_H
#define PHA_LISTINGSCAN_H

#include <functional>
#include <string>
#include <string_view>

// A listing read for its lines. The whole file is read when it is opened,
// with a read or two: listings and solution files are read every round, and
// line by line reading cost more than what is done with the lines.
class ListingFile {
public:
    explicit ListingFile(const char* name);  // throws FileNotExists
    ListingFile(const ListingFile&) = delete;
    ListingFile& operator=(const ListingFile&) = delete;

    // The next line without its line feed or carriage return and line feed,
    // so listings written on Windows read like any other; a last line without
    // a line feed counts. False at the end.
    bool next(std::string& line);
    // The same line as a view into the file's text, valid while the ListingFile lives.
    bool next(std::string_view& line);
    long lineNumber() const { return lineNumber_; }
    const char* name() const { return name_; }

private:
    std::string text_;  // the whole file
    size_t position_ = 0;  // where the next line begins
    const char* name_;
    long lineNumber_ = 0;
};

// Whether `line` opens the block of variable `name` (exact name, case
// included); `afterName` is then the index just past the name.
bool isMarkerOf(const std::string& line, const char* name, size_t& afterName);

// From `pos`, skips blanks and returns the following run of non-blanks (empty
// at the line end); `pos` ends just past it. Only the space separates columns.
std::string nextColumn(const std::string& line, size_t& pos);

// The leading decimal integer of a label, read like atoi (white space, sign,
// digits). False when the label has no digits there.
bool labelNumber(std::string_view token, long& value);

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

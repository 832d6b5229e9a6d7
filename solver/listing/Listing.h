// The listing file being written: page headers and the output stream. The
// front end writes the compilation part through it, the engine the solution part.
#ifndef GAMSUB_LISTING_H
#define GAMSUB_LISTING_H

#include <ostream>
#include <string>

namespace gamsub {

class Listing {
public:
    // `title` is the $title text, or empty for the default title line.
    Listing(std::ostream& out, std::string title);

    // Starts a new page: a form feed, the header line with the page number,
    // the title line, the section name and two empty lines.
    void newPage(const std::string& section);

    std::ostream& out() { return out_; }
    // The section of the current page, so that output can join a page of its kind.
    const std::string& section() const { return section_; }
    void setTitle(std::string title) { title_ = std::move(title); }

private:
    std::ostream& out_;
    std::string title_;
    int page_ = 0;
    std::string section_;
};

}  // namespace gamsub

#endif

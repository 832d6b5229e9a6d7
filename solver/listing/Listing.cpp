#include "Listing.h"

#include <ctime>

namespace gamsub {

namespace {

std::string spacedOut(const std::string& text) {
    std::string spaced;
    for (size_t i = 0; i < text.size(); i++) {
        if (i > 0) spaced += ' ';
        spaced += text[i];
    }
    return spaced;
}

std::string timestamp() {
    std::time_t now = std::time(nullptr);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%m/%d/%y %H:%M:%S", std::localtime(&now));
    return buffer;
}

}  // namespace

Listing::Listing(std::ostream& out, std::string title) : out_(out), title_(std::move(title)) {}

void Listing::newPage(const std::string& section) {
    page_++;
    section_ = section;
    out_ << '\f' << "GAMS 24.8.5  Bundled GAMS-subset solver (Ipopt, Clp, CBC, Bonmin)  " << timestamp() << " Page " << page_ << '\n';
    out_ << (title_.empty() ? spacedOut("General Algebraic Modeling System") : title_) << '\n';
    out_ << section << "\n\n\n";
}

}  // namespace gamsub

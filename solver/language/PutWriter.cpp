#include "PutWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

#include "PutFormat.h"

namespace gamsub {

namespace {

Justify justifyOf(double code, Justify byDefault) {
    if (code == 1) return Justify::Right;
    if (code == 2) return Justify::Left;
    if (code == 3) return Justify::Centre;
    return byDefault;
}

int wholeAttribute(double v) {
    if (!std::isfinite(v) || v < 0) return 0;
    return v > 32767 ? 32767 : static_cast<int>(v);
}

}  // namespace

PutWriter::~PutWriter() {
    try {
        closeAll(0);
    } catch (const ExecError&) {
        // nothing left to report to at this point
    }
}

double PutWriter::attribute(int sym, const char* name, double byDefault) const {
    const auto& attrs = st_.symbols[static_cast<size_t>(sym)].fileAttrs;
    auto it = attrs.find(name);
    return it == attrs.end() ? byDefault : it->second;
}

PutWriter::OpenFile& PutWriter::file(int sym, int line) {
    std::unique_ptr<OpenFile>& slot = files_[sym];
    if (!slot) slot = std::make_unique<OpenFile>();
    OpenFile& f = *slot;
    if (!f.out.is_open()) {
        // A file closed by putclose is continued, as is one with .ap = 1.
        bool append = f.wasOpened || attribute(sym, "ap", 0) != 0;
        std::string path = st_.symbols[static_cast<size_t>(sym)].filePath;
        if (!directory_.empty() && !path.empty() && path[0] != '/')
            path = directory_ + (directory_.back() == '/' ? "" : "/") + path;
        // An existing file is written over in place and cut to length on close (see CheckedOutputFile.h).
        f.inPlace = false;
        if (!append) {
            f.out.open(path, std::ios::in | std::ios::out | std::ios::binary);
            f.inPlace = f.out.is_open();
        }
        if (!f.out.is_open()) {
            f.out.clear();
            f.out.open(path, append ? std::ios::app | std::ios::binary : std::ios::trunc | std::ios::binary);
        }
        if (!f.out) throw ExecError{line, "Could not open the put file " + path + " for writing"};
        f.path = path;
        f.wasOpened = true;
    }
    return f;
}

void PutWriter::endLine(int sym, OpenFile& f, int line) {
    size_t width = static_cast<size_t>(wholeAttribute(attribute(sym, "pw", 255)));
    if (width > 0 && f.line.size() > width) f.line.resize(width);  // beyond the page width
    f.out << f.line << '\n';
    f.line.clear();
    if (!f.out) throw ExecError{line, "Could not write the put file " + st_.symbols[static_cast<size_t>(sym)].filePath};
}

void PutWriter::close(int sym, int line) {
    auto it = files_.find(sym);
    if (it == files_.end() || !it->second->out.is_open()) return;
    OpenFile& f = *it->second;
    if (!f.line.empty()) endLine(sym, f, line);
    const std::streamoff length = f.inPlace ? static_cast<std::streamoff>(f.out.tellp()) : -1;
    f.out.close();
    struct stat info;
    const bool cut = length < 0 || stat(f.path.c_str(), &info) != 0 || info.st_size <= length ||
                     truncate(f.path.c_str(), static_cast<off_t>(length)) == 0;
    if (f.out.fail() || !cut)
        throw ExecError{line, "Could not write the put file " + st_.symbols[static_cast<size_t>(sym)].filePath};
}

void PutWriter::closeAll(int line) {
    for (auto& [sym, f] : files_) {
        (void)f;
        close(sym, line);
    }
}

void PutWriter::writeItem(int sym, OpenFile& f, const PutItem& item, Env& env, const Evaluator& ev, int line) {
    auto justify = [&](const char* attr, Justify byDefault) {
        Justify j = justifyOf(attribute(sym, attr, 0), byDefault);
        return item.justify ? justifyOf(item.justify, j) : j;
    };
    switch (item.kind) {
    case PutItem::NewLine:
        endLine(sym, f, line);
        return;
    case PutItem::Column: {
        double at = ev.eval(*item.value, env);
        size_t column = at >= 1 && at <= 32767 ? static_cast<size_t>(at) : 1;
        f.line.resize(column - 1, ' ');
        return;
    }
    case PutItem::Text: {
        int width = item.width >= 0 ? item.width : wholeAttribute(attribute(sym, "tw", 0));
        f.line += fitText(item.text, width, justify("tj", Justify::Left));
        return;
    }
    case PutItem::Label: {
        int label = env.get(item.index);
        if (item.suffix == "te") {  // the element's text is a text item
            const Symbol& set = st_.symbols[static_cast<size_t>(item.set)];
            auto it = set.memberText.find(Tuple{label});
            std::string text = it == set.memberText.end() ? std::string() : it->second;
            int width = item.width >= 0 ? item.width : wholeAttribute(attribute(sym, "tw", 0));
            f.line += fitText(text, width, justify("tj", Justify::Left));
            return;
        }
        int width = item.width >= 0 ? item.width : wholeAttribute(attribute(sym, "lw", 12));
        f.line += fitText(st_.labels.name(label), width, justify("lj", Justify::Left));
        return;
    }
    case PutItem::Number: {
        NumberFormat format;
        format.width = item.width >= 0 ? item.width : wholeAttribute(attribute(sym, "nw", 12));
        format.decimals = item.decimals >= 0 ? item.decimals : wholeAttribute(attribute(sym, "nd", 2));
        format.style = wholeAttribute(attribute(sym, "nr", 1));
        format.zeroTolerance = attribute(sym, "nz", 0.0);
        format.justify = justify("nj", Justify::Right);
        f.line += formatPutNumber(ev.eval(*item.value, env), format);
        return;
    }
    case PutItem::SelectFile:
        return;  // handled by run()
    }
}

void PutWriter::run(const Statement& s, Env& env, const Evaluator& ev) {
    if (s.file >= 0) current_ = s.file;
    if (current_ < 0 && !s.putItems.empty())
        throw ExecError{s.line, "No put file selected: a put statement must name its file first (put f ...)"};
    for (const PutItem& item : s.putItems) {
        if (item.kind == PutItem::SelectFile) {
            current_ = item.file;
            continue;
        }
        writeItem(current_, file(current_, s.line), item, env, ev, s.line);
    }
    if (s.kind == Statement::PutClose) {
        if (current_ >= 0) close(current_, s.line);
    } else if (current_ >= 0) {
        file(current_, s.line);  // `put f;` alone creates the file
    }
}

}  // namespace gamsub

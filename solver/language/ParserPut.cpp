// File declarations and put statements.
#include "Parser.h"
#include "SolverControls.h"

namespace gamsub {

namespace {

// The file attributes GAMS knows; those without an effect here are accepted.
bool isFileAttribute(const std::string& a) {
    static const char* const names[] = {"nw", "nd", "nr", "nz", "nj", "lw", "lj", "sw", "sj", "tw", "tj",
                                        "pw", "ps", "pc", "ap", "bm", "lp", "tm", "cc", "cr", "hdcc", "hdcr",
                                        "tlcc", "tlcr", "ws", "ll", "lb", "tf", "case", "ts", "tl", "te", "tn"};
    for (const char* n : names)
        if (a == n) return true;
    return false;
}

}  // namespace

// File f ['text'] [/ external name /] {, g ...};
void Parser::declareFiles() {
    while (tok_.kind == Tok::Ident) {
        Token nameTok = tok_;
        advance();
        int sym = declareName(SymKind::File, nameTok);
        st_.symbols[static_cast<size_t>(sym)].text = explanatoryText();
        std::string path = nameTok.text + ".put";  // GAMS's default external name
        if (isPunct("/")) {
            beginRawData();
            sc_.skipBlanks();
            char q = sc_.peekChar();
            std::string name;
            if (q == '\'' || q == '"') {
                int col = 0;
                name = readLabel(col);
            } else {
                while (sc_.peekChar() && sc_.peekChar() != '/') name += sc_.getChar();
                while (!name.empty() && name.back() == ' ') name.pop_back();
            }
            sc_.skipBlanks();
            if (sc_.peekChar() != '/')
                throw Failure{sc_.lineNumber(), sc_.position().col + 1, kErrSyntax, "'/' expected to close the file name"};
            sc_.getChar();
            endRawData();
            if (name.empty()) failAt(nameTok, kErrSyntax, "Empty file name for '" + nameTok.text + "'");
            path = name;
        }
        st_.symbols[static_cast<size_t>(sym)].filePath = path;
        if (!nextItem()) break;
    }
    endDeclaration();
}

// f.nd = 15; and the like.
Statement Parser::fileAttribute(int sym, const Token& nameTok, Statement st) {
    if (st.attr.empty()) failAt(nameTok, kErrSyntax, "A file cannot be assigned a value; its attributes can (f.nd = 4)");
    if (!isFileAttribute(st.attr)) failAt(nameTok, kErrSyntax, "Unknown file attribute ." + st.attr);
    st.kind = Statement::FileAttr;
    st.sym = sym;
    if (!isPunct("=")) fail(kErrSyntax, "'=' expected for an assignment");
    advance();
    st.value = expression();
    endStatement("at the end of the assignment");
    return st;
}

// put [file] item ... ;  putclose [file] [item ...];
Statement Parser::putStatement(bool close) {
    Statement st = openStatement(close ? Statement::PutClose : Statement::Put);
    while (!atStatementEnd() && !atStatementKeyword()) {
        if (isPunct(",")) {
            advance();
            continue;
        }
        PutItem item;
        if (isPunct("/")) {
            item.kind = PutItem::NewLine;
            advance();
            st.putItems.push_back(item);
            continue;
        }
        if (isPunct("@") || isPunct("#")) {
            if (isPunct("#")) fail(kErrUnsupported, "Line positioning '#' in put statements is not supported by this solver");
            advance();
            item.kind = PutItem::Column;
            item.value = unaryExpr();
            st.putItems.push_back(item);
            continue;
        }
        if (tok_.kind == Tok::String) {
            item.kind = PutItem::Text;
            item.text = tok_.text;
            if (tok_.number < 0) fail(kErrSyntax, "Closing quote missing");
            advance();
        } else if (tok_.kind == Tok::Ident && st_.find(tok_.text) >= 0 &&
                   st_.symbols[static_cast<size_t>(st_.find(tok_.text))].kind == SymKind::File) {
            int file = st_.find(tok_.text);
            advance();
            if (isPunct(".")) fail(kErrUnsupported, "File attributes cannot be written by put in this solver");
            if (st.putItems.empty() && st.file < 0) {
                st.file = file;  // put f ...: selects the file for this and later puts
                continue;
            }
            item.kind = PutItem::SelectFile;
            item.file = file;
            st.putItems.push_back(item);
            continue;
        } else if (tok_.kind == Tok::Ident && st_.setOf(tok_.text) >= 0) {
            // i.tl (the label of the current element), i.te (its text)
            Token setTok = tok_;
            advance();
            if (!isPunct(".")) failAt(setTok, kErrSyntax, "A set in a put statement needs .tl or .te");
            advance();
            std::string suffix = toLower(expectIdent("tl or te"));
            if (suffix != "tl" && suffix != "te")
                failAt(setTok, kErrUnsupported, "Set attribute ." + suffix + " cannot be written by put in this solver");
            if (!isControlled(setTok.text)) failAt(setTok, kErrUncontrolled, "Uncontrolled set '" + setTok.text + "' in put");
            item.kind = PutItem::Label;
            item.index = toLower(setTok.text);
            item.suffix = suffix;
            item.set = st_.setOf(setTok.text);
            if (isPunct("(")) {  // i.te(i): the element named explicitly
                advance();
                if (tok_.kind != Tok::Ident || toLower(tok_.text) != item.index)
                    fail(kErrUnsupported, "Only the loop's own index is supported in " + setTok.text + "." + suffix + "(...)");
                advance();
                expectPunct(")", "to close the index");
            }
        } else if (tok_.kind == Tok::Ident && toLower(tok_.text) == "system" && st_.find(tok_.text) < 0) {
            // system.lp, system.rmip, system.mip: the solver that runs that model type here.
            Token systemTok = tok_;
            advance();
            if (!isPunct(".")) failAt(systemTok, kErrSyntax, "'.' and a system attribute expected after 'system'");
            advance();
            std::string attr = toLower(expectIdent("a system attribute"));
            const char* solver = solverNameFor(attr);
            if (!solver)
                failAt(systemTok, kErrUnsupported,
                       "system." + attr + " cannot be written by put in this solver (only system.lp, system.rmip and system.mip)");
            item.kind = PutItem::Text;
            item.text = solver;
        } else {
            item.kind = PutItem::Number;
            item.value = unaryExpr();
            if (item.value->hasVar) fail(kErrSyntax, "A variable needs an attribute (.l, .m, ...) in a put statement");
        }
        putItemFormat(item);
        st.putItems.push_back(item);
    }
    endStatement("at the end of the put statement");
    return st;
}

// :width[:decimals] with an optional justification < > <>.
void Parser::putItemFormat(PutItem& item) {
    if (!isPunct(":")) return;
    advance();
    if (isPunct("<>")) {
        item.justify = 3;
        advance();
    } else if (isPunct("<")) {
        item.justify = 2;
        advance();
    } else if (isPunct(">")) {
        item.justify = 1;
        advance();
    }
    auto wholeNumber = [&](const char* what) {
        if (tok_.kind != Tok::Number || tok_.number < 0 || tok_.number > 10000 || tok_.number != static_cast<int>(tok_.number))
            fail(kErrSyntax, std::string("A whole number expected for the ") + what + " of a put item");
        int n = static_cast<int>(tok_.number);
        advance();
        return n;
    };
    item.width = wholeNumber("width");
    if (isPunct(":")) {
        advance();
        item.decimals = wholeNumber("decimals");
    }
}

}  // namespace gamsub

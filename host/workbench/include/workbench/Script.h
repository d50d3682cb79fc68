// Session scripts: one command per line, words separated by blanks, '#'
// starts a comment. A script is read and checked whole before anything runs,
// so a bad line stops the run before any output is written.
#pragma once

#include <istream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace workbench {

struct Line {
    int number = 0;
    std::string text;                // the line as written, comment removed
    std::vector<std::string> words;  // words[0] is the command
};

struct Script {
    std::string file;
    std::vector<Line> lines;
};

// A line that cannot run: "FILE:LINE: what is wrong".
class ScriptError : public std::runtime_error {
public:
    ScriptError(const std::string& file, int line, const std::string& what)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

// Thrown by the argument readers; turned into a ScriptError with the place.
class BadLine : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a command's arguments in order. The same reader serves the check
// before the run and the run itself.
class Args {
public:
    Args(const Line& line, std::set<std::string>& names) : fLine(line), fNames(names) {}

    std::string Word(const char* what);
    double Number(const char* what);
    long Integer(const char* what, long low, long high);
    // One of the given choices; its index.
    int Choice(const char* what, const std::vector<std::string>& choices);
    bool More() const { return fNext < fLine.words.size(); }
    // Takes `keyword` when it comes next.
    bool Keyword(const char* keyword);
    // The rest of the line's words joined by blanks.
    std::string Rest();
    void End();

    // Names of the drawing's layers, groups and objects, as the script
    // creates them: a name is declared once and used only after that.
    std::string NewName();
    std::string KnownName();

private:
    const Line& fLine;
    std::set<std::string>& fNames;
    std::size_t fNext = 1;
};

Script ReadScript(std::istream& in, const std::string& file);

}  // namespace workbench

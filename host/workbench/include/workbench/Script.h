// Session scripts: one command per line, words separated by blanks, '#'
// starts a comment. A script is read and checked whole before anything runs,
// so a bad line stops the run before any output is written.
#pragma once

#include <istream>
#include <map>
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

// A well-formed line that asks for more than the user confirmed (a count
// above kCopyLimit without --yes); its message needs no usage after it.
class Unconfirmed : public BadLine {
public:
    using BadLine::BadLine;
};

// The most copies of each object a script may ask for without --yes: beyond
// it one operation takes seconds and the drawings grow to megabytes.
inline constexpr long kCopyLimit = 10000;

// What the script has set up by a line: the names it declared (and which of
// them are layers or groups), whether a layer exists to draw in, whether the
// tool has been chosen. The check before the run and the run itself keep it
// alike, so a line is refused before anything runs, not half-way.
struct ScriptState {
    std::map<std::string, bool> names;  // name -> is a layer or group
    bool layer = false;
    bool tool = false;
    bool largeCounts = false;  // counts above kCopyLimit confirmed (--yes)
};

// Reads a command's arguments in order. The same reader serves the check
// before the run and the run itself.
class Args {
public:
    Args(const Line& line, ScriptState& state) : fLine(line), fState(state) {}

    std::string Word(const char* what);
    double Number(const char* what);
    long Integer(const char* what, long low, long high);
    // One of the given choices; its index.
    int Choice(const char* what, const std::vector<std::string>& choices);
    bool More() const { return fNext < fLine.words.size(); }
    // The next word, not taken; "" at the end.
    std::string Peek() const { return More() ? fLine.words[fNext] : std::string(); }
    // Takes `keyword` when it comes next.
    bool Keyword(const char* keyword);
    // The rest of the line's words joined by blanks.
    std::string Rest();
    void End();

    // Names of the drawing's layers, groups and objects, as the script
    // creates them: a name is declared once and used only after that.
    std::string NewName(bool container = false);
    std::string KnownName();
    // A declared layer or group.
    std::string KnownContainer();
    // Where a new object goes without "in CONTAINER": there must be a layer.
    void NeedLayer();
    ScriptState& State() { return fState; }

private:
    const Line& fLine;
    ScriptState& fState;
    std::size_t fNext = 1;
};

// Reads the lines; a UTF-8 byte-order mark before the first one is skipped.
Script ReadScript(std::istream& in, const std::string& file);

// A number as the script writes it: decimal or scientific, with an optional
// sign. Throws BadLine for anything else, for nan and inf, and for values
// beyond the range of a double.
double ParseNumber(const std::string& word, const char* what);

}  // namespace workbench

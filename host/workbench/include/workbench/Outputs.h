// The files the workbench writes: checked before the run, so a session is
// not run for nothing, and written whole or not at all.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

namespace workbench {

// An output that cannot be written; what() says which and why.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checks that FILE can be written: not a folder, in a folder that exists,
// writable there. `flag` names the option in the message ("--svg").
void CheckOutputFile(const std::string& file, const char* flag);

// Makes FOLDER when it is missing; refuses a file in its place.
void PrepareOutputFolder(const std::string& folder, const char* flag);

// A file written in pieces that appears whole or not at all: the pieces go
// to FILE.part, and Commit renames it to FILE. Without Commit (a failure on
// the way) the part goes and FILE is left as it was.
class WholeFile {
public:
    explicit WholeFile(std::string file);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    void Write(const std::string& text) { fOut << text; }
    void Commit();

private:
    std::string fFile;
    std::ofstream fOut;
    bool fDone = false;
};

// The same for a file written in one piece.
void WriteWhole(const std::string& file, const std::string& text);

}  // namespace workbench

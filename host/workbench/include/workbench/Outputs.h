// The files the workbench writes: checked before the run, so a session is
// not run for nothing, and written whole or not at all.
#pragma once

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

// Writes FILE.part and renames it to FILE; on any failure the part is
// removed and FILE is left as it was.
void WriteWhole(const std::string& file, const std::string& text);

}  // namespace workbench

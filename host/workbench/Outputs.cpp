#include "workbench/Outputs.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace workbench {

namespace fs = std::filesystem;

namespace {
std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }
}  // namespace

void CheckOutputFile(const std::string& file, const char* flag) {
    const fs::path path(file);
    std::error_code error;
    if (file.empty()) throw OutputError(std::string(flag) + " needs a file name");
    if (fs::is_directory(path, error)) throw OutputError(std::string(flag) + ": " + Quoted(path) + " is a folder");
    const fs::path folder = path.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error))
        throw OutputError(std::string(flag) + ": the folder " + Quoted(folder) + " does not exist");
    // Trying the part file is the one sure test of permissions; it goes again.
    const fs::path part = file + ".part";
    const bool existed = fs::exists(part, error);
    {
        std::ofstream probe(part, std::ios::binary | std::ios::app);
        if (!probe) throw OutputError(std::string(flag) + ": cannot write " + Quoted(path));
    }
    if (!existed) fs::remove(part, error);
}

void PrepareOutputFolder(const std::string& folder, const char* flag) {
    const fs::path path(folder);
    std::error_code error;
    if (folder.empty()) throw OutputError(std::string(flag) + " needs a folder name");
    if (fs::exists(path, error) && !fs::is_directory(path, error))
        throw OutputError(std::string(flag) + ": " + Quoted(path) + " is a file, not a folder");
    fs::create_directories(path, error);
    if (error) throw OutputError(std::string(flag) + ": cannot make the folder " + Quoted(path) + ": " + error.message());
}

WholeFile::WholeFile(std::string file)
    : fFile(std::move(file)), fOut(fFile + ".part", std::ios::binary | std::ios::trunc) {
    if (!fOut) throw OutputError("cannot write '" + fFile + "'");
}

WholeFile::~WholeFile() {
    if (fDone) return;
    fOut.close();
    std::error_code error;
    fs::remove(fFile + ".part", error);
}

void WholeFile::Commit() {
    const fs::path part = fFile + ".part";
    fOut.close();
    if (!fOut) throw OutputError("cannot write '" + fFile + "'");
    std::error_code error;
    fs::rename(part, fFile, error);
    if (error) throw OutputError("cannot write '" + fFile + "': " + error.message());
    fDone = true;
}

void WriteWhole(const std::string& file, const std::string& text) {
    WholeFile out(file);
    out.Write(text);
    out.Commit();
}

}  // namespace workbench

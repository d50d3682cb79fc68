// MoveDuplicateHost: a small Windows host application for the move/duplicate
// tool plug-in. It loads the plug-in DLL and lets a person use the tool with
// the mouse and the keyboard, as in the CAD host, over the substitute host
// library that the workbench uses.
#include <windows.h>

#include <string>
#include <vector>

#include "MainWindow.h"
#include "Options.h"
#include "WideText.h"

namespace {

// Said on the standard error stream when the program has one (started from
// a console or a script), else in a message box.
void Report(const std::string& text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE && GetFileType(error) != FILE_TYPE_UNKNOWN) {
        const std::string line = "MoveDuplicateHost: " + text + (text.empty() || text.back() != '\n' ? "\n" : "");
        DWORD written = 0;
        WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    MessageBoxW(nullptr, window::Utf16(text).c_str(), L"Move/Duplicate Host", MB_OK | MB_ICONERROR);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The plug-in named on the command line; else the one installed beside this
// program, else the one built with it.
std::string PluginPath(const std::string& given) {
    if (!given.empty()) return given;
    const std::string beside = ProgramFolder() + "MoveDuplicate.dll";
    return Exists(beside) ? beside : MOVEDUP_DEFAULT_PLUGIN;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            Report(window::kUsage);
            return 0;
        }
    }
    window::Options options;
    try {
        options = window::ParseOptions(args);
    } catch (const window::UsageError& e) {
        Report(std::string(e.what()) + "\n\n" + window::kUsage);
        return 2;
    }
    const std::string plugin = PluginPath(options.plugin);
    if (!Exists(plugin)) {
        Report("cannot find the plug-in " + plugin);
        return 2;
    }
    window::MainWindow main(options);
    try {
        main.Start(GetModuleHandleW(nullptr), plugin);
    } catch (const window::StartError& e) {
        Report(e.what());
        return 2;
    }
    const int status = main.Run();
    if (!main.Problem().empty()) Report(main.Problem());
    return status;
}

// workbench: runs the move/duplicate tool in the substitute host without the
// real CAD application.
#include <cstring>
#include <iostream>
#include <string>

#include "host/Host.h"
#include "host/Transcript.h"

namespace {

const char* kUsage = R"(usage: workbench demo [--plugin PATH]
       workbench --help

Runs the move/duplicate tool plug-in in the substitute host and prints what
passed between them.

  demo            a short built-in session: the tool is created and set up,
                  the cursor moves with the duplicate key held and the user
                  clicks the first point of a span
  --plugin PATH   the plug-in library to load (default: the one built
                  beside this program)
)";

int Demo(const std::string& plugin) {
    host::Host host;
    host.LoadPlugin(plugin);
    host::Object* layer = host.document.AddLayer("Plan");
    host::Object* box =
        host.document.AddShape(layer, host::Kind::Rectangle, "R1", {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, true);
    host.document.Select(box, true);

    host.SendEvent(1);
    host.SendEvent(3);
    host.keys.first = true;
    host.SendEvent(5);
    host.points.picked.push_back(Point3D(0, 0, 0));
    host.SendEvent(100);
    host.SendEvent(5);
    host::WriteLog(std::cout, host.log, 0);
    host::WriteInterface(std::cout, host);
    host.SendEvent(2);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command;
    std::string plugin = MOVEDUP_DEFAULT_PLUGIN;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--plugin" && i + 1 < argc)
            plugin = argv[++i];
        else if (command.empty())
            command = arg;
        else {
            std::cerr << "workbench: unexpected argument '" << arg << "'\n" << kUsage;
            return 2;
        }
    }
    if (command != "demo") {
        std::cerr << kUsage;
        return 2;
    }
    try {
        return Demo(plugin);
    } catch (const std::exception& e) {
        std::cerr << "workbench: " << e.what() << '\n';
        return 1;
    }
}

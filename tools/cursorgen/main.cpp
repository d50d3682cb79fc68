// cursorgen: turns the tool's cursor art into .cur files and a resource script.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Art.h"
#include "CurFile.h"

namespace {

constexpr int kBadInput = 1;
constexpr int kBadUsage = 2;

constexpr const char* kUsage = R"(usage: cursorgen --out DIR FILE...
       cursorgen --show ID FILE...
       cursorgen --help

Reads cursor art (glyph pictures and cursor lines, in any number of files)
and, with --out, writes DIR/<id>.cur for every cursor and DIR/Cursors.rc,
a resource script naming them; with --show, prints one cursor as text
('#' black, '.' white, ' ' transparent, '~' inverted; a '+' in the frame
marks the hotspot's row and column). Nothing is written when any input is bad.

Art format (see tool/resources/cursors/README.md):
  glyph NAME [anchor X,Y]        followed by picture rows |...|
                                 '#' ink, '.' paper, ' ' transparent, '~' inverted
  cursor ID X,Y black|white LAYER...
                                 X,Y the hotspot; black/white the ink colour
  LAYER: GLYPH@X,Y  GLYPH@hotspot  "TEXT"@X,Y  =ID (the layers of cursor ID)

Exit status: 0 done, 1 bad input (reported as FILE:LINE: what is wrong),
2 bad command line or unreadable/unwritable file.
)";

struct Options {
    std::filesystem::path out;
    std::optional<int32_t> show;
    std::vector<std::string> inputs;
};

int UsageError(const std::string& what) {
    std::cerr << "cursorgen: " << what << "\n(cursorgen --help shows the usage)\n";
    return kBadUsage;
}

void Show(const cursorgen::Cursor& c) {
    std::string frame(cursorgen::kSize + 2, '-');
    frame[0] = frame.back() = '+';
    std::string marked = frame;
    marked[static_cast<size_t>(c.hotspotX + 1)] = '+';
    std::cout << "cursor " << c.id << " hotspot " << c.hotspotX << "," << c.hotspotY << "\n" << marked << "\n";
    for (int y = 0; y < cursorgen::kSize; ++y) {
        const char side = y == c.hotspotY ? '+' : '|';
        std::cout << side;
        for (int x = 0; x < cursorgen::kSize; ++x) std::cout << cursorgen::ShadeChar(c.At(x, y));
        std::cout << side << "\n";
    }
    std::cout << marked << "\n";
}

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) std::cerr << "cursorgen: cannot write " << path.string() << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--out" || arg == "--show") {
            if (i + 1 >= argc) return UsageError(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--out") {
                options.out = value;
            } else {
                try {
                    options.show = std::stoi(value);
                } catch (const std::exception&) {
                    return UsageError("--show needs a cursor id, not '" + value + "'");
                }
            }
        } else if (arg.starts_with("-")) {
            return UsageError("unknown option '" + arg + "'");
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.out.empty() == !options.show) return UsageError("give one of --out DIR and --show ID");
    if (options.inputs.empty()) return UsageError("no art files given");

    std::vector<cursorgen::Cursor> cursors;
    try {
        cursorgen::Art art;
        for (const std::string& name : options.inputs) {
            std::ifstream in(name);
            if (!in) {
                std::cerr << "cursorgen: cannot read " << name << "\n";
                return kBadUsage;
            }
            cursorgen::ParseArt(in, name, art);
        }
        cursors = cursorgen::Compose(art);
    } catch (const cursorgen::InputError& e) {
        std::cerr << e.what() << "\n";
        return kBadInput;
    }
    if (cursors.empty()) {
        std::cerr << "cursorgen: the art defines no cursor\n";
        return kBadInput;
    }

    if (options.show) {
        for (const auto& c : cursors) {
            if (c.id != *options.show) continue;
            Show(c);
            return 0;
        }
        std::cerr << "cursorgen: no cursor " << *options.show << "\n";
        return kBadInput;
    }

    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (ec) {
        std::cerr << "cursorgen: cannot create " << options.out.string() << ": " << ec.message() << "\n";
        return kBadUsage;
    }
    for (const auto& c : cursors) {
        const auto bytes = cursorgen::EncodeCur(c);
        if (!WriteFile(options.out / (std::to_string(c.id) + ".cur"), bytes.data(), bytes.size())) return kBadUsage;
    }
    const std::string rc = cursorgen::ResourceScript(cursors, options.out);
    return WriteFile(options.out / "Cursors.rc", rc.data(), rc.size()) ? 0 : kBadUsage;
}

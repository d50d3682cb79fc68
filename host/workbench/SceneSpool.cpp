#include "workbench/SceneSpool.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <type_traits>

#include "workbench/Outputs.h"

namespace workbench {

namespace fs = std::filesystem;

namespace {

static_assert(std::is_trivially_copyable_v<Point3D> && std::is_trivially_copyable_v<host::Figure>);

// The file is read back by the process that wrote it, so values go in their
// own bytes. Writer and Reader have the same members, so one walk through a
// scene (Transfer) serves both ways.
class Writer {
public:
    explicit Writer(std::FILE* file) : fFile(file) {}
    template <typename T>
    void Value(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        std::fwrite(&value, sizeof value, 1, fFile);
    }
    void Text(const std::string& text) {
        Value(text.size());
        std::fwrite(text.data(), 1, text.size(), fFile);
    }
    template <typename T>
    void Items(const std::vector<T>& items) {
        Value(items.size());
        if (!items.empty()) std::fwrite(items.data(), sizeof(T), items.size(), fFile);
    }
    template <typename T, typename Each>
    void Records(const std::vector<T>& items, Each each) {
        Value(items.size());
        for (const T& item : items) each(*this, item);
    }
    void Optional(const std::optional<double>& value) {
        Value(value.has_value());
        Value(value.value_or(0.0));
    }

private:
    std::FILE* fFile;
};

class Reader {
public:
    explicit Reader(std::FILE* file) : fFile(file) {}
    template <typename T>
    void Value(T& value) {
        if (std::fread(&value, sizeof value, 1, fFile) != 1) Fail();
    }
    void Text(std::string& text) {
        text.resize(Size());
        if (!text.empty() && std::fread(text.data(), 1, text.size(), fFile) != text.size()) Fail();
    }
    template <typename T>
    void Items(std::vector<T>& items) {
        items.resize(Size());
        if (!items.empty() && std::fread(items.data(), sizeof(T), items.size(), fFile) != items.size()) Fail();
    }
    template <typename T, typename Each>
    void Records(std::vector<T>& items, Each each) {
        items.resize(Size());
        for (T& item : items) each(*this, item);
    }
    void Optional(std::optional<double>& value) {
        bool has = false;
        double number = 0.0;
        Value(has);
        Value(number);
        value = has ? std::optional<double>(number) : std::nullopt;
    }

private:
    std::size_t Size() {
        std::size_t size = 0;
        Value(size);
        return size;
    }
    [[noreturn]] static void Fail() { throw OutputError("the frames kept in a temporary file cannot be read back"); }
    std::FILE* fFile;
};

// One walk through a frame for both ways: S is Scene or const Scene.
template <typename Archive, typename S, typename Text>
void Transfer(Archive& a, S& scene, Text& transcript) {
    a.Text(transcript);
    a.Text(scene.caption);
    a.Records(scene.objects, [](Archive& b, auto& o) {
        b.Text(o.name);
        b.Items(o.vertices);
        b.Value(o.height);
        b.Value(o.closed);
        b.Value(o.selected);
    });
    a.Items(scene.feedback);
    a.Items(scene.picked);
    a.Items(scene.lastPicked);
    a.Value(scene.cursor);
    a.Value(scene.cursorId);
    a.Value(scene.mode);
    a.Optional(scene.count);
}

}  // namespace

// A file of its own in the system's temporary folder (tmpfile() on Windows
// wants to write into the drive's root). Where an open file can be removed,
// it goes at once and disappears with the process whatever happens.
SceneSpool::SceneSpool() {
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    if (error) throw OutputError("cannot make a temporary file for the frames: " + error.message());
    std::random_device random;
    for (int attempt = 0; attempt < 16 && fFile == nullptr; ++attempt) {
        const fs::path path = folder / ("workbench-frames-" + std::to_string(random()) + ".tmp");
        if (fs::exists(path, error)) continue;
        fFile = std::fopen(path.string().c_str(), "w+b");
        if (fFile != nullptr && !fs::remove(path, error)) fPath = path.string();
    }
    if (fFile == nullptr)
        throw OutputError("cannot make a temporary file for the frames in " + folder.string() + ": " +
                          std::strerror(errno));
}

SceneSpool::~SceneSpool() {
    std::fclose(fFile);
    if (!fPath.empty()) std::remove(fPath.c_str());
}

void SceneSpool::Put(const Scene& scene, const std::string& transcript) {
    Writer out(fFile);
    Transfer(out, scene, transcript);
    if (std::ferror(fFile)) throw OutputError("cannot keep the frames in a temporary file (is the disk full?)");
    ++fCount;
}

void SceneSpool::ForEach(const std::function<void(const Scene&, const std::string&)>& use) {
    if (std::fflush(fFile) != 0 || std::fseek(fFile, 0, SEEK_SET) != 0)
        throw OutputError("the frames kept in a temporary file cannot be read back");
    Reader in(fFile);
    Scene scene;
    std::string transcript;
    for (std::size_t i = 0; i < fCount; ++i) {
        Transfer(in, scene, transcript);
        use(scene, transcript);
    }
    std::fseek(fFile, 0, SEEK_END);
}

}  // namespace workbench

// Scenes kept in a temporary file while a run goes on, so that a long
// session with many objects holds one scene in memory at a time, not one per
// line. The file goes when the spool does.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "workbench/Scene.h"

namespace workbench {

class SceneSpool {
public:
    // Throws OutputError when no temporary file can be made.
    SceneSpool();
    ~SceneSpool();
    SceneSpool(const SceneSpool&) = delete;
    SceneSpool& operator=(const SceneSpool&) = delete;

    // Keeps a scene and the transcript of its line.
    void Put(const Scene& scene, const std::string& transcript);
    std::size_t Size() const { return fCount; }
    // Reads the scenes back in the order they were put, one at a time.
    void ForEach(const std::function<void(const Scene&, const std::string&)>& use);

private:
    std::FILE* fFile = nullptr;
    std::string fPath;  // the file to remove at the end, where it could not go at once
    std::size_t fCount = 0;
};

}  // namespace workbench

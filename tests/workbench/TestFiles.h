// Files for the workbench's tests: what a file holds, and a fresh scratch
// folder for the test case running.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace workbench_test {

inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An empty folder named after the test case, made anew. A parameterised
// case's name holds a '/', which would leave its parent folder behind.
inline std::filesystem::path ScratchFolder(const std::string& kind) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) /
                                      ("workbench-" + kind + "-" + std::to_string(std::random_device{}()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace workbench_test

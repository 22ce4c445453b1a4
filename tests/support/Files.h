#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Whole files in and out, and the names in a folder, for tests that save.
namespace nktest {

inline std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The names in `folder` that do not start with a dot; none when it is missing.
inline std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
        if (entry.path().filename().string()[0] != '.') names.push_back(entry.path().filename());
    return names;
}

}  // namespace nktest

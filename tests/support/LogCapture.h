#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// Collects what the engine writes to standard output while it lives.
namespace nktest {

class LogCapture {
public:
    LogCapture() { testing::internal::CaptureStdout(); }
    ~LogCapture() { lines(); }
    // The captured lines (each without its line feed); ends the capture.
    std::vector<std::string> lines() {
        if (capturing) text = testing::internal::GetCapturedStdout(), capturing = false;
        std::istringstream in(text);
        std::vector<std::string> out;
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }

private:
    bool capturing = true;
    std::string text;
};

}  // namespace nktest

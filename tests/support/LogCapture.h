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
    ~LogCapture() {
        if (!taken) testing::internal::GetCapturedStdout();
    }
    // The captured lines (each without its line feed); ends the capture.
    std::vector<std::string> lines() {
        if (!taken) text = testing::internal::GetCapturedStdout();
        taken = true;
        std::istringstream in(text);
        std::vector<std::string> out;
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }

private:
    bool taken = false;
    std::string text;
};

}  // namespace nktest

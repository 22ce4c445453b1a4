#pragma once
#include <gtest/gtest.h>

#include <string>

// Every test binary replaces the fatal-error box with a throw of FatalError,
// so a fatal path can be checked without the process ending.
namespace nktest {

struct FatalError {
    std::string heading;
    std::string text;
};

// Runs the statement and returns the fatal error it raised; fails the test
// (and returns an empty error) when it raised none.
template <typename F>
FatalError catchFatal(F&& statement) {
    try {
        statement();
    } catch (const FatalError& e) {
        return e;
    }
    ADD_FAILURE() << "expected a fatal error, none was raised";
    return {};
}

}  // namespace nktest

// EXPECT_FATAL(statement, "message") checks the box text of a fatal error.
#define EXPECT_FATAL(statement, message) \
    EXPECT_EQ(::nktest::catchFatal([&] { statement; }).text, std::string(message))

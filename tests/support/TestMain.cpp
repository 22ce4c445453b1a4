#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/Platform.h"
#include "tests/support/FatalTrap.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    NK::setFatalHandler([](const std::string& heading, const std::string& text) {
        throw nktest::FatalError{heading, text};
    });
    const int result = RUN_ALL_TESTS();
    // A test binary must not hang in Allegro's clean-up at exit either.
    NK::Platform::endWithin(30, result);
    return result;
}

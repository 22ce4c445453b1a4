#include <gtest/gtest.h>

#include "engine/Log.h"
#include "tests/support/FatalTrap.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    NK::setFatalHandler([](const std::string& heading, const std::string& text) {
        throw nktest::FatalError{heading, text};
    });
    return RUN_ALL_TESTS();
}

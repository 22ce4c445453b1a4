# The monkey: the real game under long random input, checked at every step.
# The library is shared by the dovra-monkey tool and the tests.
add_library(dovra_monkey STATIC
    tools/monkey/Census.cpp
    tools/monkey/MonkeyScript.cpp
    tools/monkey/MonkeyRun.cpp
    tools/monkey/MonkeyChecks.cpp
    tools/monkey/MonkeyLifecycle.cpp
    tools/monkey/MonkeyPicker.cpp
    tools/monkey/MonkeyShrink.cpp
    tools/monkey/MonkeyTrace.cpp)
target_include_directories(dovra_monkey PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_monkey PUBLIC dovra_game dovra_screens)

add_executable(dovra-monkey tools/dovra-monkey.cpp)
target_link_libraries(dovra-monkey PRIVATE dovra_monkey)

# Every failing run kept, played again; and a short monkey from a fixed seed.
# Both read the game folder and write only to a temporary copy of it.
file(GLOB DOVRA_MONKEY_REGRESSIONS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/data/monkey/*.txt)
if(DOVRA_MONKEY_REGRESSIONS)
    add_test(NAME monkey_regressions COMMAND dovra-monkey ${DOVRA_MONKEY_REGRESSIONS}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
# The short monkey is traced: what the game is after each action, against
# the trace approved when the game last changed on purpose. The trace holds
# what no rule names (a margin, a default, a frame), so a change that is
# meant needs a new approval: copy the run's trace from the build folder
# over the old one.
add_test(NAME monkey_short
         COMMAND dovra-monkey --seed 3 --actions 1500 --out ${CMAKE_BINARY_DIR}
                 --trace ${CMAKE_SOURCE_DIR}/tests/data/monkey-trace/seed-3.txt
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

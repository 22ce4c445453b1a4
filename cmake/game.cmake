# The game's layers sit on the engine; the executable links the same
# libraries the tests do.
# One library per layer, each linking only what lies below it, so an upward
# call does not link: engine <- map file <- elements <- editor <- game.
set(DOVRA_MAPFILE_SOURCES elements/MapCodec.cpp elements/SurfaceBuilder.cpp elements/WallSeams.cpp)
file(GLOB DOVRA_ELEMENTS_SOURCES CONFIGURE_DEPENDS elements/*.cpp)
list(REMOVE_ITEM DOVRA_ELEMENTS_SOURCES ${CMAKE_SOURCE_DIR}/elements/MapCodec.cpp
     ${CMAKE_SOURCE_DIR}/elements/SurfaceBuilder.cpp ${CMAKE_SOURCE_DIR}/elements/WallSeams.cpp)
file(GLOB DOVRA_EDITOR_SOURCES CONFIGURE_DEPENDS editor/*.cpp)
file(GLOB DOVRA_GAME_SOURCES CONFIGURE_DEPENDS game/*.cpp)
list(REMOVE_ITEM DOVRA_GAME_SOURCES ${CMAKE_SOURCE_DIR}/game/main.cpp)
# The map file's rules and the ground they build, without a window: the
# game, the dovra-map tool and the fuzzer share them.
add_library(dovra_mapfile STATIC ${DOVRA_MAPFILE_SOURCES})
target_include_directories(dovra_mapfile PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_mapfile PUBLIC nk_physics)
add_library(dovra_elements STATIC ${DOVRA_ELEMENTS_SOURCES})
target_include_directories(dovra_elements PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_elements PUBLIC nk_engine dovra_mapfile)
add_library(dovra_editor STATIC ${DOVRA_EDITOR_SOURCES})
target_link_libraries(dovra_editor PUBLIC dovra_elements)
add_library(dovra_game STATIC ${DOVRA_GAME_SOURCES})
target_link_libraries(dovra_game PUBLIC dovra_editor PkgConfig::LIBARCHIVE)

add_executable(dovra game/main.cpp)
target_link_libraries(dovra PRIVATE dovra_game)
# The layers as the includes draw them: one that runs upward fails the suite.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_Interpreter_FOUND)
    add_test(NAME layers COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check-layers.py
             ${CMAKE_SOURCE_DIR})
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/game)
    file(GLOB DOVRA_GAME_TESTS CONFIGURE_DEPENDS tests/game/*.cpp tests/editor/*.cpp)
    if(DOVRA_GAME_TESTS)
        # The census of the game's stores lives with the monkey, which holds
        # the same rule under random hands.
        nk_add_test(test_game LIBS dovra_monkey SOURCES ${DOVRA_GAME_TESTS})
    endif()
endif()
# Starts and shut-downs of the whole game, each in a process of its own.
nk_add_test(test_soak LIBS dovra_game SOURCES tests/game/soak/StartupSoakTest.cpp)
nk_add_test(test_e2e_core LIBS nk_core SOURCES tests/e2e/WindowE2ETest.cpp)
add_dependencies(test_e2e_core dovra)
# A program a test starts is named as a file it needs: ctest then skips the
# test when it is missing, and the mutation runner knows which code it runs.
set_tests_properties(test_e2e_core PROPERTIES REQUIRED_FILES $<TARGET_FILE:dovra>)
nk_add_bench(bench_startup LIBS dovra_game SOURCES bench/bench_startup.cpp)

# Level document, map file and element collections.
file(GLOB DOVRA_ELEMENT_TESTS CONFIGURE_DEPENDS tests/elements/*.cpp)
if(DOVRA_ELEMENT_TESTS)
    nk_add_test(test_elements LIBS dovra_game SOURCES ${DOVRA_ELEMENT_TESTS})
endif()
nk_add_test(test_mapfile LIBS dovra_mapfile SOURCES tests/elements/mapfile/MapCodecTest.cpp
            tests/elements/mapfile/WallSeamsTest.cpp)

# Level authors' and CI's map checker: the game's reader without a window.
add_executable(dovra-map tools/dovra-map.cpp)
target_link_libraries(dovra-map PRIVATE dovra_mapfile)

# make fuzz: every reader a stranger's file reaches (a map, a replay, the
# pack list, a pack file and a .dovrapack) under libFuzzer (clang only), in a build of its own.
if(DOVRA_FUZZ)
    foreach(fuzzer map replay packs packfile)
        add_executable(${fuzzer}_fuzz tools/fuzz/${fuzzer}_fuzz.cpp)
        target_compile_options(${fuzzer}_fuzz PRIVATE -fsanitize=fuzzer)
        target_link_options(${fuzzer}_fuzz PRIVATE -fsanitize=fuzzer)
    endforeach()
    target_link_libraries(map_fuzz PRIVATE dovra_mapfile)
    target_link_libraries(replay_fuzz PRIVATE dovra_game)
    target_link_libraries(packs_fuzz PRIVATE dovra_game)
    target_link_libraries(packfile_fuzz PRIVATE dovra_game)
endif()
# Every input a fuzzer once broke a reader with, kept in
# tests/data/fuzz-regressions/<reader>/, read again by the same target.
foreach(fuzzer map replay packs packfile)
    add_executable(${fuzzer}_regressions tools/fuzz/${fuzzer}_fuzz.cpp tools/fuzz/regressions_main.cpp)
    target_link_libraries(${fuzzer}_regressions PRIVATE $<IF:$<STREQUAL:${fuzzer},map>,dovra_mapfile,dovra_game>)
    add_test(NAME fuzz_regressions_${fuzzer}
             COMMAND ${fuzzer}_regressions ${CMAKE_SOURCE_DIR}/tests/data/fuzz-regressions/${fuzzer})
endforeach()

# Replays: each level we ship, and each rule a replay proves, played to its end.
add_executable(dovra-replay tools/dovra-replay.cpp)
target_link_libraries(dovra-replay PRIVATE dovra_game)
file(GLOB DOVRA_REPLAYS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/data/replays/*.replay)
if(DOVRA_REPLAYS)
    add_test(NAME replays COMMAND dovra-replay ${DOVRA_REPLAYS} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
# The shipped levels are also held to the story cards' rule: none is up while
# the player is hit, in the air or near a gap or a breaking floor.
file(GLOB DOVRA_LEVEL_REPLAYS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/data/levels/*.replay)
if(DOVRA_LEVEL_REPLAYS)
    add_test(NAME level_replays COMMAND dovra-replay --safe-cards ${DOVRA_LEVEL_REPLAYS}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()

# The stress level and the benchmark that plays it.
nk_add_bench(bench_play_stress LIBS dovra_game SOURCES bench/bench_play_stress.cpp)
if(TARGET bench_play_stress)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/stress-map.txt
        COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make-stress-map.py ${CMAKE_BINARY_DIR}/bin/stress-map.txt
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/make-stress-map.py)
    add_custom_target(stress_map DEPENDS ${CMAKE_BINARY_DIR}/bin/stress-map.txt)
    add_dependencies(bench_play_stress stress_map)
endif()
# A pack's way from the designer's editor to a player's browser, through the
# dovra-pack program as both run it.
nk_add_test(test_e2e_pack LIBS dovra_game SOURCES tests/e2e/PackE2ETest.cpp)
add_dependencies(test_e2e_pack dovra-pack)
set_tests_properties(test_e2e_pack PROPERTIES REQUIRED_FILES $<TARGET_FILE:dovra-pack>)
target_compile_definitions(test_e2e_pack PRIVATE NK_PACK_BINARY="${CMAKE_BINARY_DIR}/bin/dovra-pack")

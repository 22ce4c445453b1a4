# Engine core: run loop, window, input, logging, view and primitives.
add_library(nk_core STATIC
    engine/Log.cpp
    engine/Platform.cpp
    engine/WindowLayout.cpp
    engine/View.cpp
    engine/Display.cpp
    engine/Input.cpp
    engine/Gamepad.cpp
    engine/RenderContext.cpp
    engine/Stopwatch.cpp
    engine/GameCore.cpp)
target_include_directories(nk_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(nk_core PUBLIC PkgConfig::ALLEGRO X11::X11 box2d::box2d)
target_link_libraries(nk_engine INTERFACE nk_core)

# Shared by every test binary: Allegro on the virtual display, the fatal-error
# trap, pixel read-back and the end-to-end process helpers.
add_library(nk_testsupport STATIC
    tests/support/AllegroEnvironment.cpp
    tests/support/TestMain.cpp
    tests/support/Pixels.cpp
    tests/support/GameProcess.cpp)
target_include_directories(nk_testsupport PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(nk_testsupport PUBLIC nk_core GTest::gtest X11::X11)
target_compile_definitions(nk_testsupport PUBLIC
    NK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    NK_GAME_BINARY="${CMAKE_BINARY_DIR}/bin/dovra")

# nk_add_test(name LIBS lib... SOURCES file...): one test binary, run by ctest
# from the source folder so that relative resource paths resolve as in the game.
function(nk_add_test name)
    cmake_parse_arguments(T "" "" "LIBS;SOURCES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE nk_testsupport ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endfunction()

# nk_add_bench(name LIBS lib... SOURCES file...): a Google Benchmark binary.
function(nk_add_bench name)
    cmake_parse_arguments(B "" "" "LIBS;SOURCES" ${ARGN})
    if(benchmark_FOUND)
        add_executable(${name} ${B_SOURCES})
        target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
    endif()
endfunction()

nk_add_test(test_core LIBS nk_core SOURCES
    tests/engine/LogTest.cpp
    tests/engine/ViewTest.cpp
    tests/engine/InputTest.cpp
    tests/engine/GamepadTest.cpp)

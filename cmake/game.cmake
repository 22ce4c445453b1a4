# The game layers sit on the engine; the executable links the same libraries
# the tests do.
file(GLOB DOVRA_GAME_SOURCES CONFIGURE_DEPENDS game/*.cpp elements/*.cpp editor/*.cpp)
list(REMOVE_ITEM DOVRA_GAME_SOURCES ${CMAKE_SOURCE_DIR}/game/main.cpp)
add_library(dovra_game STATIC ${DOVRA_GAME_SOURCES})
target_include_directories(dovra_game PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_game PUBLIC nk_engine)

add_executable(dovra game/main.cpp)
target_link_libraries(dovra PRIVATE dovra_game)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/game)
    file(GLOB DOVRA_GAME_TESTS CONFIGURE_DEPENDS tests/game/*.cpp)
    if(DOVRA_GAME_TESTS)
        nk_add_test(test_game LIBS dovra_game SOURCES ${DOVRA_GAME_TESTS})
    endif()
endif()
nk_add_test(test_e2e_core LIBS nk_core SOURCES tests/e2e/WindowE2ETest.cpp)
add_dependencies(test_e2e_core dovra)
nk_add_test(test_e2e_shell LIBS nk_core SOURCES tests/e2e/ShellE2ETest.cpp)
add_dependencies(test_e2e_shell dovra)
nk_add_bench(bench_startup LIBS dovra_game SOURCES bench/bench_startup.cpp)

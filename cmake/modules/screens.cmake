# The screen table (tests/data/screens.txt): what every scene and editor page
# must show in each of its states, and the probe that holds the running game
# to it. The monkey and the tests share the library.
add_library(dovra_screens STATIC tools/screens/ScreenTable.cpp tools/screens/ScreenProbe.cpp)
target_include_directories(dovra_screens PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_screens PUBLIC dovra_game)

file(GLOB DOVRA_SCREEN_TESTS CONFIGURE_DEPENDS tests/screens/*.cpp)
nk_add_test(test_screens LIBS dovra_screens dovra_monkey SOURCES ${DOVRA_SCREEN_TESTS})

# dovra-solve: searches a level for a winning replay through the real game.
# The search lives in a library the tool and dovra-pack share.
file(GLOB DOVRA_SOLVE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/solve/*.cpp)
add_library(dovra_solve STATIC ${DOVRA_SOLVE_SOURCES})
target_include_directories(dovra_solve PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dovra_solve PUBLIC dovra_game)

add_executable(dovra-solve tools/dovra-solve.cpp)
target_link_libraries(dovra-solve PRIVATE dovra_solve)
target_include_directories(dovra-solve PRIVATE ${CMAKE_BINARY_DIR}/generated)

# dovra-pack: level packs made, checked and installed; --solve finds proofs.
add_executable(dovra-pack tools/dovra-pack.cpp)
target_link_libraries(dovra-pack PRIVATE dovra_solve)
target_include_directories(dovra-pack PRIVATE ${CMAKE_BINARY_DIR}/generated)

# Each hostile pack of tests/data/packs/hostile/ refused by dovra-pack install
# for its own fault, in one line, with the game folder left as it was.
add_test(NAME hostile_packs COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/packs/hostile_packs.py
         $<TARGET_FILE:dovra-pack>)
set_tests_properties(hostile_packs PROPERTIES REQUIRED_FILES $<TARGET_FILE:dovra-pack>)

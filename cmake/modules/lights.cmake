# Light pass (shader and keyed lights) and dialog designs and cards.
add_library(nk_lights STATIC
    engine/LightSystemStore.cpp
    engine/LightSystem.cpp
    engine/DialogCard.cpp
    engine/DialogCardStore.cpp)
target_link_libraries(nk_lights PUBLIC nk_stores)
target_link_libraries(nk_engine INTERFACE nk_lights)

nk_add_test(test_lights LIBS nk_lights SOURCES
    tests/engine/lights/LightSystemDrawTest.cpp
    tests/engine/lights/DialogCardStoreTest.cpp)

nk_add_bench(bench_lights LIBS nk_lights SOURCES bench/bench_lights.cpp)

# Bitmap, batch, text-file, font and sound stores.
add_library(nk_stores STATIC
    engine/BitmapStore.cpp
    engine/DecodedImages.cpp
    engine/ImagePrefetch.cpp
    engine/BatchStore.cpp
    engine/TextFileStore.cpp
    engine/FontStore.cpp
    engine/SoundStore.cpp)
find_package(Threads REQUIRED)
target_link_libraries(nk_stores PUBLIC nk_core Threads::Threads)
target_link_libraries(nk_engine INTERFACE nk_stores)

nk_add_test(test_stores LIBS nk_stores SOURCES
    tests/engine/stores/BitmapStoreTest.cpp
    tests/engine/stores/FontStoreTest.cpp
    tests/engine/stores/SoundStoreTest.cpp
    tests/engine/stores/TextFileTest.cpp
    tests/engine/stores/PrefetchExitTest.cpp)
add_executable(prefetch_exit_probe tests/engine/stores/PrefetchExitProbe.cpp)
target_link_libraries(prefetch_exit_probe PRIVATE nk_stores)
target_compile_definitions(test_stores PRIVATE
    PREFETCH_EXIT_PROBE="$<TARGET_FILE:prefetch_exit_probe>")
add_dependencies(test_stores prefetch_exit_probe)

# Every store's remake in one table, so it links every engine library.
nk_add_test(test_store_remake LIBS nk_engine SOURCES tests/engine/stores/StoreRemakeTest.cpp)

# Needs a display: run it through tools/headless.sh.
nk_add_bench(bench_stores LIBS nk_stores SOURCES bench/bench_stores.cpp)

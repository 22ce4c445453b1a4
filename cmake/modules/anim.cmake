# Sprite-sheet animations and extended bitmaps.
add_library(nk_anim STATIC
    engine/AnimationPlay.cpp
    engine/AnimationStore.cpp
    engine/FrameChannel.cpp
    engine/ExtBitmapStore.cpp)
target_link_libraries(nk_anim PUBLIC nk_stores)
target_link_libraries(nk_engine INTERFACE nk_anim)

nk_add_test(test_anim LIBS nk_anim SOURCES
    tests/engine/anim/FrameAdvanceTest.cpp
    tests/engine/anim/AnimationStoreTest.cpp
    tests/engine/anim/SharedImagesTest.cpp)

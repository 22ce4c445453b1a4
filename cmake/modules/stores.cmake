# Bitmap, batch, text-file, font and sound stores.
add_library(nk_stores STATIC
    engine/BitmapStore.cpp
    engine/FontStore.cpp)
target_link_libraries(nk_stores PUBLIC nk_core)
target_link_libraries(nk_engine INTERFACE nk_stores)

# Game assets: the generator that draws and synthesises everything under
# Resources/, Editor/*/Dovra/ and the light shaders (run by `make assets`,
# tools/make-assets.sh). What it draws is held by the screens' approved
# frames and the game's own check of its resources at start.
file(GLOB NK_ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/assetgen/*.cpp)
add_executable(assetgen ${NK_ASSETGEN_SOURCES})
target_include_directories(assetgen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(assetgen PRIVATE PkgConfig::ALLEGRO)

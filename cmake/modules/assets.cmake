# Game assets: the generator that draws and synthesises everything under
# Resources/, Editor/*/Dovra/ and the light shaders (run by `make assets`,
# tools/make-assets.sh), and the test that every file the game loads is there
# with the layout the game expects of it.
file(GLOB NK_ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/assetgen/*.cpp)
add_executable(assetgen ${NK_ASSETGEN_SOURCES})
target_include_directories(assetgen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(assetgen PRIVATE PkgConfig::ALLEGRO)

file(GLOB NK_ASSET_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/assets/*.cpp)
nk_add_test(test_assets SOURCES ${NK_ASSET_TESTS})

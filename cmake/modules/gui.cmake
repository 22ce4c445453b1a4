# GUI widgets: buttons, text labels and text inputs drawn on the widget screen.
add_library(nk_gui STATIC
    engine/TextEntry.cpp
    engine/TextWindow.cpp
    engine/GUIPointer.cpp
    engine/GUISystem.cpp
    engine/GUIText.cpp
    engine/ShownWidgets.cpp)
target_link_libraries(nk_gui PUBLIC nk_anim nk_stores)
target_link_libraries(nk_engine INTERFACE nk_gui)

nk_add_test(test_gui LIBS nk_gui SOURCES
    tests/engine/gui/GUISystemTest.cpp
    tests/engine/gui/TextWindowTest.cpp)
# The shrunk-text test runs in a process of its own. Sharing one with the
# other GUI tests, LeakSanitizer's exit-time scan crashed in about a third of
# runs ("Tracer caught signal 11" while it read a dynamic-TLS block of the
# main thread); either half alone ran clean in every try.
set_tests_properties(test_gui PROPERTIES ENVIRONMENT "GTEST_FILTER=-GUIShrunk.*")
add_test(NAME test_gui_shrunk COMMAND test_gui --gtest_filter=GUIShrunk.*
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

# Renders a panel of every widget kind to docs/gui-panel.png for a look by eye:
# tools/headless.sh build-gui/bin/gui_showcase
add_executable(gui_showcase tools/gui_showcase.cpp)
target_link_libraries(gui_showcase PRIVATE nk_gui)

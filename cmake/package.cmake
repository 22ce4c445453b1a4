# The installed game and its Debian package (`make package`): the programs in
# games/, the read-only data in share/games/dovra, a desktop entry, icons,
# AppStream metadata and manual pages, laid out as Debian's own games are.
set(DOVRA_VERSION 1.0.0)
set(DOVRA_BINDIR games)
set(DOVRA_DATADIR share/games/dovra)
# The programs find the installed data from where they lie, so a copy
# unpacked anywhere (a test's temporary root) finds its own data.
file(RELATIVE_PATH DOVRA_DATA_FROM_PROGRAM /${DOVRA_BINDIR} /${DOVRA_DATADIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/DovraVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/DovraVersion.h @ONLY)
# dovra-pack joins the others once it is built here.
set(DOVRA_PROGRAMS dovra dovra-map dovra-replay dovra-solve)
set(DOVRA_PAGES dovra.6 dovra-map.6 dovra-replay.6 dovra-solve.6)
if(TARGET dovra-pack)
    list(APPEND DOVRA_PROGRAMS dovra-pack)
    list(APPEND DOVRA_PAGES dovra-pack.6)
endif()
foreach(program ${DOVRA_PROGRAMS})
    target_include_directories(${program} PRIVATE ${CMAKE_BINARY_DIR}/generated)
    # Binding every symbol at start makes the whole relocation table read-only.
    target_link_options(${program} PRIVATE -Wl,-z,relro,-z,now)
endforeach()

# `make package` builds what it installs; installing never waits for the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS ${DOVRA_PROGRAMS} RUNTIME DESTINATION ${DOVRA_BINDIR})
# A packaged program is stripped as Debian's own tools strip it: the compiler's
# .comment and .note sections go too.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program ${DOVRA_PROGRAMS})
            execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${DOVRA_BINDIR}/\${program}\")
        endforeach()
    endif()")

# The font is Debian's fonts-clear-sans, reached by a link rather than a copy.
install(DIRECTORY Resources VAZEzadide DESTINATION ${DOVRA_DATADIR}
        PATTERN "NK-ClearSans*" EXCLUDE PATTERN "*.saving" EXCLUDE)
set(DOVRA_FONT_LINK ${CMAKE_BINARY_DIR}/packaging/NK-ClearSans.ttf)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(RELATIVE_PATH DOVRA_FONT_TARGET /${DOVRA_DATADIR}/Resources/Fonts
     /share/fonts/truetype/clear-sans/ClearSans-Regular.ttf)
file(CREATE_LINK ${DOVRA_FONT_TARGET} ${DOVRA_FONT_LINK} SYMBOLIC)
install(FILES ${DOVRA_FONT_LINK} DESTINATION ${DOVRA_DATADIR}/Resources/Fonts)
foreach(folder Backgrounds Boxes Circles)
    install(DIRECTORY Editor/${folder} DESTINATION ${DOVRA_DATADIR}/Editor)
endforeach()
# Only the maps the packs play: a developer's own saved maps stay at home.
file(GLOB DOVRA_PACK_FILES ${CMAKE_SOURCE_DIR}/Resources/LevelPacks/*.txt)
set(DOVRA_SHIPPED_MAPS "")
foreach(pack ${DOVRA_PACK_FILES})
    file(STRINGS ${pack} lines REGEX "^Editor/Levels/")
    foreach(line ${lines})
        string(REGEX REPLACE "[ \t].*" "" map "${line}")
        list(APPEND DOVRA_SHIPPED_MAPS ${map})
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pack})
endforeach()
list(REMOVE_DUPLICATES DOVRA_SHIPPED_MAPS)
install(FILES ${DOVRA_SHIPPED_MAPS} DESTINATION ${DOVRA_DATADIR}/Editor/Levels)

install(FILES packaging/dovra.desktop DESTINATION share/applications)
# Teaches the desktop that a .dovrapack is a level pack, so a file manager
# offers the game for it rather than an archive manager.
install(FILES packaging/dovra-pack.xml DESTINATION share/mime/packages)
install(FILES packaging/dovra.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY packaging/icons/hicolor DESTINATION share/icons)
install(FILES packaging/copyright DESTINATION share/doc/dovra)
install(FILES packaging/lintian-overrides DESTINATION share/lintian/overrides RENAME dovra)

# Manual pages and the changelog go in compressed, without time stamps, as
# Debian wants them.
set(DOVRA_GZIPPED "")
foreach(page ${DOVRA_PAGES} changelog)
    set(source ${CMAKE_SOURCE_DIR}/packaging/${page})
    if(EXISTS ${source}.in)
        # The pages' headers name the version.
        configure_file(${source}.in ${CMAKE_BINARY_DIR}/packaging/${page} @ONLY)
        set(source ${CMAKE_BINARY_DIR}/packaging/${page})
    endif()
    set(gzipped ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
    add_custom_command(OUTPUT ${gzipped} COMMAND gzip -9nc ${source} > ${gzipped}
                       DEPENDS ${source} VERBATIM)
    list(APPEND DOVRA_GZIPPED ${gzipped})
endforeach()
add_custom_target(dovra_gzipped_docs ALL DEPENDS ${DOVRA_GZIPPED})
list(FILTER DOVRA_GZIPPED INCLUDE REGEX "\\.6\\.gz$")
install(FILES ${DOVRA_GZIPPED} DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/dovra)
# Everything the install takes from the build, for make-package.sh to build
# in one step whichever programs this build has.
add_custom_target(dovra_packaged)
add_dependencies(dovra_packaged ${DOVRA_PROGRAMS} dovra_gzipped_docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dovra)
set(CPACK_PACKAGE_VERSION ${DOVRA_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Seed 12feffb4 maintainers <maintainers@users.noreply.c-seed-12feffb4.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries' packages are worked out by dpkg-shlibdeps; only the
# font, which the game opens at run time, is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-clear-sans")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D physics puzzle-platformer with its level editor")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/packaging/description.txt)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# The installed game end to end: the install above into a temporary root, the
# installed dovra-replay started with a temporary HOME (tests/install/).
add_test(NAME installed_game
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/install/installed_game.py ${CMAKE_BINARY_DIR})
set(DOVRA_PROGRAM_FILES)
foreach(program ${DOVRA_PROGRAMS})
    list(APPEND DOVRA_PROGRAM_FILES $<TARGET_FILE:${program}>)
endforeach()
set_tests_properties(installed_game PROPERTIES REQUIRED_FILES "${DOVRA_PROGRAM_FILES}")

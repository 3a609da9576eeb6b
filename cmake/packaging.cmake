# Installation and the Debian package: the game, its desktop entry, the
# saved-game file type, the AppStream metadata, the icon and the man page.
if(NOT TARGET quillon)
    return()
endif()

include(GNUInstallDirs)
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)

set(QUILLON_APP_ID io.github.quillon.Quillon)
set(QUILLON_ICON ${PROJECT_SOURCE_DIR}/resources/icons/quillon.svg)
set(QUILLON_ICON_SIZES 16 32 48 64 128 256)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build_dir ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging_dir}/${QUILLON_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${QUILLON_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/quillon-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillon.xml)
install(FILES ${QUILLON_ICON}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG sizes are rendered from the SVG at build time, with the same SVG
# renderer the game draws its pieces with, so they never fall behind it.
add_executable(quillon_rendericon ${packaging_dir}/rendericon.cpp)
target_link_libraries(quillon_rendericon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_pngs)
foreach(size IN LISTS QUILLON_ICON_SIZES)
    set(png ${packaging_build_dir}/icons/${size}x${size}/quillon.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build_dir}/icons/${size}x${size}
        COMMAND quillon_rendericon ${QUILLON_ICON} ${size} ${png}
        DEPENDS quillon_rendericon ${QUILLON_ICON}
        COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND icon_pngs ${png})
    install(FILES ${png}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian ships man pages compressed.
set(manpage ${packaging_build_dir}/quillon.6.gz)
add_custom_command(OUTPUT ${manpage}
    COMMAND gzip -9 -n -c ${packaging_dir}/quillon.6 > ${manpage}
    DEPENDS ${packaging_dir}/quillon.6
    COMMENT "Compressing the man page")
install(FILES ${manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

add_custom_target(quillon_desktop_files ALL DEPENDS ${icon_pngs} ${manpage})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_CONTACT "The Quillon developers <maintainers@quillon.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess against the computer or a friend")
# Debian wants the long description wrapped; CPack indents each line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quillon is a chess game in a single small window. Play White or Black"
    "against the computer, with a Novice or Expert skill level and a search"
    "depth from 1 to 5, or let two people play at one board. Games can be"
    "saved, opened again and exported as PGN.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

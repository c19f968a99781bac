# The layout of a system package: the commands in <prefix>/bin/, the shipped styles in
# <prefix>/share/tabrix-pro/ (where the program looks when it runs from a bin/ folder), and the
# desktop entry, icons, AppStream metadata and manual pages where the desktop and man look. The
# package manager owns every file: nothing goes into a user's home, no "install.txt" is written,
# and package-removal tells /uninstall which command removes the package.

include(GNUInstallDirs)
set(TABRIX_PACKAGE_REMOVAL "apt remove tabrix-pro"
    CACHE STRING "The command that removes the package, as /uninstall names it")
set(metainfo ${PROJECT_SOURCE_DIR}/data/example.tabrix.TabrixPro.metainfo.xml)

# The package's version and the metadata's latest release are the program's own.
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog changelog_top LIMIT_COUNT 1)
file(READ ${metainfo} metainfo_text)
string(REGEX MATCH "<release version=\"([^\"]*)\"" ignored "${metainfo_text}")
set(release "${CMAKE_MATCH_1}")
if(NOT changelog_top MATCHES "^tabrix-pro \\(${PROJECT_VERSION}\\) "
   OR NOT release STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "debian/changelog and the newest release of ${metainfo} must both "
                        "name version ${PROJECT_VERSION}, the project's")
endif()

set(data_dir ${CMAKE_INSTALL_DATADIR}/tabrix-pro)
install(TARGETS tabrix-pro tabrix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${shipped_styles} DESTINATION ${data_dir})
file(WRITE ${PROJECT_BINARY_DIR}/package/package-removal "${TABRIX_PACKAGE_REMOVAL}\n")
install(FILES ${PROJECT_BINARY_DIR}/package/package-removal DESTINATION ${data_dir})

set(TABRIX_EXEC tabrix-pro)
set(TABRIX_ICON tabrix-pro)
configure_file(${PROJECT_SOURCE_DIR}/data/tabrix-pro.desktop.in
               ${PROJECT_BINARY_DIR}/package/tabrix-pro.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/tabrix-pro.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/man/tabrix-pro.1 ${PROJECT_SOURCE_DIR}/data/man/tabrix-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon theme wants a bitmap of the common size beside the scalable icon.
set(icon_svg ${PROJECT_SOURCE_DIR}/src/app/icons/tabrix-pro.svg)
set(icon_png ${PROJECT_BINARY_DIR}/package/tabrix-pro.png)
find_program(TABRIX_RSVG_CONVERT rsvg-convert REQUIRED)
add_custom_command(OUTPUT ${icon_png}
    COMMAND ${TABRIX_RSVG_CONVERT} --width 48 --height 48 --output ${icon_png} ${icon_svg}
    DEPENDS ${icon_svg} VERBATIM)
add_custom_target(package_icon ALL DEPENDS ${icon_png})
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${icon_svg} DESTINATION ${icons}/scalable/apps)
install(FILES ${icon_png} DESTINATION ${icons}/48x48/apps)

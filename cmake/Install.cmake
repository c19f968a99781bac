# What `cmake --install` (and `make install PREFIX=DIR`) puts in place. Everything the program
# ships goes into one program folder, <prefix>/lib/tabrix-pro/, beside the executables, where the
# program looks for its shipped files whatever the prefix: the installation can be moved.
# InstallFinish.cmake then links the commands into <prefix>/bin/, writes the desktop entry, the
# user's shortcuts and the installed-files list "install.txt" that /uninstall reads.
# A system package (make deb) takes the layout of InstallPackage.cmake instead.

option(TABRIX_PACKAGE "Install in the layout of a system package, whose files the package manager owns" OFF)
if(TABRIX_PACKAGE)
    include(${PROJECT_SOURCE_DIR}/cmake/InstallPackage.cmake)
    return()
endif()

set(TABRIX_PROGRAM_DIR lib/tabrix-pro)
install(TARGETS tabrix-pro tabrix-cli RUNTIME DESTINATION ${TABRIX_PROGRAM_DIR})
install(FILES ${shipped_styles} ${PROJECT_SOURCE_DIR}/src/app/icons/tabrix-pro.svg
        DESTINATION ${TABRIX_PROGRAM_DIR})
install(CODE "set(TABRIX_PROGRAM_DIR \"${TABRIX_PROGRAM_DIR}\")
set(TABRIX_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/data/tabrix-pro.desktop.in\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallFinish.cmake)

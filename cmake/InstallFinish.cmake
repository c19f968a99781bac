# Runs at the end of the install (see Install.cmake) with TABRIX_PROGRAM_DIR and
# TABRIX_DESKTOP_TEMPLATE set. With DESTDIR (a packager's staging install) the user's own
# shortcuts are left alone.

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(program "${prefix}/${TABRIX_PROGRAM_DIR}")
set(staged "$ENV{DESTDIR}${program}")

# A desktop entry quotes the executable's path; these characters would need escapes that
# desktop environments read differently.
if(program MATCHES "[\"`$\\\\%\n]")
    message(FATAL_ERROR "Cannot install into \"${prefix}\": the path holds one of \" ` $ \\ % "
                        "or a line break, which a desktop entry cannot carry. Choose another PREFIX.")
endif()

foreach(command tabrix-pro tabrix-cli)
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${prefix}/bin")
    file(CREATE_LINK "../${TABRIX_PROGRAM_DIR}/${command}" "$ENV{DESTDIR}${prefix}/bin/${command}"
         SYMBOLIC)
endforeach()

set(TABRIX_EXEC "\"${program}/tabrix-pro\"")
set(TABRIX_ICON "${program}/tabrix-pro.svg")
configure_file("${TABRIX_DESKTOP_TEMPLATE}" "${staged}/tabrix-pro.desktop" @ONLY)
message(STATUS "Installing: ${staged}/tabrix-pro.desktop")

if("$ENV{DESTDIR}" STREQUAL "")
    # The program's own idea of the user's folders, so the uninstall finds the shortcuts.
    foreach(folder Programs Desktop)
        execute_process(COMMAND "${program}/tabrix-cli" shell-folder ${folder}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
        if(failed OR path STREQUAL "")
            message(FATAL_ERROR "tabrix-cli could not name the ${folder} folder")
        endif()
        # A missing Desktop folder is not made: the user has chosen to have none.
        if(folder STREQUAL "Programs" OR IS_DIRECTORY "${path}")
            file(MAKE_DIRECTORY "${path}")
            file(COPY_FILE "${staged}/tabrix-pro.desktop" "${path}Tabrix Pro.desktop")
            file(CHMOD "${path}Tabrix Pro.desktop" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                 GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
            message(STATUS "Installing: ${path}Tabrix Pro.desktop")
        endif()
    endforeach()
endif()

# One entry per file and folder below the program folder, the list itself included. Sorted, a
# folder comes before what it holds: the uninstall deletes the files in list order, then the
# folders from the last entry up, so each folder is empty by its turn.
file(TOUCH "${staged}/install.txt")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${staged}" "${staged}/*")
list(SORT entries)
set(listing "")
foreach(entry ${entries})
    if(IS_DIRECTORY "${staged}/${entry}" AND NOT IS_SYMLINK "${staged}/${entry}")
        string(APPEND listing "${entry}/\n")
    else()
        string(APPEND listing "${entry}\n")
    endif()
endforeach()
file(WRITE "${staged}/install.txt" "${listing}")
message(STATUS "Installing: ${staged}/install.txt")

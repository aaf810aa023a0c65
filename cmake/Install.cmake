# Installing both games. The programs read their data files from the working directory, so
# each game is started by a launcher on the PATH that gives every player a folder of their
# own, holding links to the installed data files and the player's "hiscore", and runs the
# program there. The real programs live out of the PATH, beside each other.
include(GNUInstallDirs)

# The launchers go where Debian and the FHS keep games: /usr/games in the package, and
# /usr/local/games for an installation from source (Debian and Ubuntu put both on every
# user's PATH). A distribution that keeps games in bin/ configures with
# -DZEM_INSTALL_GAMESDIR=bin.
set(ZEM_INSTALL_GAMESDIR games CACHE PATH "Folder of the games' launchers, under the prefix")

set(ZEM_PACKAGE_NAME zem-arcade)
set(ZEM_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/${ZEM_PACKAGE_NAME})
set(ZEM_DATA_DIR ${CMAKE_INSTALL_DATADIR}/${ZEM_PACKAGE_NAME})
set(ZEM_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${ZEM_PACKAGE_NAME})
set(ZEM_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ZEM_STAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${ZEM_STAGING_DIR})

# The data files every game reads, beside each game's own (given to zem_add_game); every name
# is a single word (the launcher relies on it).
set(ZEM_COMMON_DATA menubox.bmp background640.jpg impact.ttf arial.ttf)
set(ZEM_ICON_SIZES 16 32 48 64 128 256)

# The launcher finds the program and the data relative to itself, so an installed tree
# works under any prefix (the package's /usr as well as a --prefix given at install time).
function(zem_relative_to_gamesdir var dir)
    set(root /zem-install-root)
    file(RELATIVE_PATH relative ${root}/${ZEM_INSTALL_GAMESDIR} ${root}/${dir})
    set(${var} ${relative} PARENT_SCOPE)
endfunction()
zem_relative_to_gamesdir(ZEM_BIN_TO_PROGRAMS ${ZEM_PROGRAM_DIR})
zem_relative_to_gamesdir(ZEM_BIN_TO_DATA ${ZEM_DATA_DIR})

install(FILES ${GAME_DIR}/menubox.bmp ${GAME_DIR}/background640.jpg DESTINATION ${ZEM_DATA_DIR})

# The fonts stay in their Debian font packages: the installed names are links to them, made
# when the prefix is known (cmake/InstallLink.cmake).
foreach(font ARIAL IMPACT)
    string(TOLOWER ${font}.ttf name)
    install(CODE "
        set(ZEM_LINK ${name})
        set(ZEM_LINK_TARGET ${ZEM_${font}_SOURCE})
        set(ZEM_LINK_DIR ${ZEM_DATA_DIR})
        set(ZEM_LINK_STAGING ${ZEM_STAGING_DIR}/links)
        include(${CMAKE_CURRENT_LIST_DIR}/InstallLink.cmake)")
endforeach()

# What a distribution wants beside the programs: the terms, the history, and what software
# centres show. The version each of them names is the project's.
function(zem_check_version file pattern)
    file(STRINGS ${file} versions REGEX "${pattern}" LIMIT_COUNT 1)
    string(REGEX MATCH "${pattern}" version "${versions}")
    if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${file} names version ${CMAKE_MATCH_1} first, the project "
            "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}.")
    endif()
endfunction()
zem_check_version(${ZEM_PACKAGING_DIR}/changelog "^${ZEM_PACKAGE_NAME} \\(([^)]*)\\)")

# The project's homepage, as the package, the copyright file and the AppStream metadata
# name it; the AppStream ids are its host name turned round.
set(ZEM_HOMEPAGE https://zem-arcade.example.org/)
set(ZEM_APPSTREAM_PREFIX org.example.zem_arcade)
set(changelog ${ZEM_STAGING_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9n < ${ZEM_PACKAGING_DIR}/changelog > ${changelog}
    DEPENDS ${ZEM_PACKAGING_DIR}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(zem_changelog ALL DEPENDS ${changelog})
install(FILES ${ZEM_PACKAGING_DIR}/copyright ${changelog} DESTINATION ${ZEM_DOC_DIR})

foreach(game ${ZEM_GAMES})
    # Linked and stripped as Debian's own programs are: every symbol bound at start, so the
    # relocations can be read-only, and no compiler notes in the installed file.
    target_link_options(${game} PRIVATE LINKER:-z,relro,-z,now)
    install(TARGETS ${game} RUNTIME DESTINATION ${ZEM_PROGRAM_DIR})
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZEM_PROGRAM_DIR}/${game}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()")
    get_property(own_data GLOBAL PROPERTY ZEM_${game}_DATA)
    foreach(data ${own_data})
        install(FILES ${GAME_DIR}/${data} DESTINATION ${ZEM_DATA_DIR})
    endforeach()

    set(GAME ${game})
    set(data_files ${ZEM_COMMON_DATA} ${own_data})
    list(JOIN data_files " " GAME_DATA_FILES)
    set(BIN_TO_PROGRAMS ${ZEM_BIN_TO_PROGRAMS})
    set(BIN_TO_DATA ${ZEM_BIN_TO_DATA})
    configure_file(${ZEM_PACKAGING_DIR}/launcher.sh.in ${ZEM_STAGING_DIR}/bin/${game} @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE)
    install(PROGRAMS ${ZEM_STAGING_DIR}/bin/${game} DESTINATION ${ZEM_INSTALL_GAMESDIR})

    install(FILES ${ZEM_PACKAGING_DIR}/${game}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    set(metainfo ${ZEM_PACKAGING_DIR}/${ZEM_APPSTREAM_PREFIX}.${game}.metainfo.xml)
    zem_check_version(${metainfo} "<release version=\"([^\"]*)\"")
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${ZEM_PACKAGING_DIR}/icons/${game}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size ${ZEM_ICON_SIZES})
        install(FILES ${ZEM_PACKAGING_DIR}/icons/${game}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${game}.png)
    endforeach()

    # Debian keeps manual pages compressed; -n leaves the time out, so the package is the
    # same from one build to the next.
    set(manual ${ZEM_STAGING_DIR}/${game}.6.gz)
    add_custom_command(OUTPUT ${manual}
        COMMAND gzip -9n < ${ZEM_PACKAGING_DIR}/${game}.6 > ${manual}
        DEPENDS ${ZEM_PACKAGING_DIR}/${game}.6
        COMMENT "Compressing the manual page of ${game}")
    add_custom_target(${game}_manual ALL DEPENDS ${manual})
    add_dependencies(games ${game}_manual)
    install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()

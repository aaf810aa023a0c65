# The games. Each is a folder of its own holding its record (game.h: `<name>::GAME`) and a
# CMakeLists.txt that calls zem_add_game(); everything else (the install, the package, the
# tests, the soak, the benchmarks and the scripts) takes the games from this list.
set(ZEM_GAMES brixolan tamu)

# Every game's program (and what an install of it needs): `cmake --build build --target games`.
add_custom_target(games)

# zem_add_game(<name> SOURCES <rules...> [DATA <data files beyond the shared ones...>])
# The game's rules become the library <name>_rules (what the tests and tools link), and
# main.cpp of its folder the program <name> in the game folder.
function(zem_add_game name)
    cmake_parse_arguments(GAME "" "" "SOURCES;DATA" ${ARGN})
    add_library(${name}_rules STATIC ${GAME_SOURCES})
    target_link_libraries(${name}_rules PUBLIC zem_shell)

    add_executable(${name} main.cpp)
    target_link_libraries(${name} PRIVATE zem_entry ${name}_rules)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GAME_DIR})
    add_dependencies(games ${name})
    foreach(data ${GAME_DATA})
        configure_file(${PROJECT_SOURCE_DIR}/data/${data} ${GAME_DIR}/${data} COPYONLY)
    endforeach()
    set_property(GLOBAL PROPERTY ZEM_${name}_DATA ${GAME_DATA})
endfunction()

# After the games' folders: every game's rules in one library, with the list of records in
# the order of ZEM_GAMES (tests/support/all_games.h), for the test and tool programs that
# run any game by name.
function(zem_add_games_library)
    set(includes "")
    set(records "")
    foreach(game ${ZEM_GAMES})
        string(APPEND includes "#include \"${game}/game.h\"\n")
        string(APPEND records "    {\"${game}\", &${game}::GAME},\n")
    endforeach()
    set(source ${CMAKE_BINARY_DIR}/generated/all_games.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT
"// Made by cmake/Games.cmake from the games list.
#include \"tests/support/all_games.h\"

${includes}
const std::vector<NamedGame> ALL_GAMES = {
${records}};
" @ONLY)
    add_library(zem_all_games STATIC ${source})
    target_include_directories(zem_all_games PUBLIC ${PROJECT_SOURCE_DIR})
    list(TRANSFORM ZEM_GAMES APPEND _rules OUTPUT_VARIABLE rules)
    target_link_libraries(zem_all_games PUBLIC ${rules})

    # The list for scripts, one name a line (build/games.txt).
    list(JOIN ZEM_GAMES "\n" lines)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/games.txt CONTENT "${lines}\n" @ONLY)
endfunction()

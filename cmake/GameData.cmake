# Data files of the game folder shared by every game (each game's own come with
# zem_add_game). Pictures and level maps are ours and committed under data/;
# the fonts come from Debian font packages and are copied in at configure time.

function(zem_find_font var file package)
    find_file(${var} ${file}
        PATHS /usr/share/fonts/truetype /usr/share/fonts
        # Debian 13 keeps Liberation 2 in liberation/ (fonts-liberation2 only points there).
        PATH_SUFFIXES liberation2 open-sans truetype/liberation2 truetype/open-sans
        truetype/liberation
        NO_DEFAULT_PATH)
    if(NOT ${var})
        message(FATAL_ERROR
            "The font ${file} was not found. Install the Debian package ${package} "
            "(sudo apt-get install ${package}, or run scripts/install-deps).")
    endif()
endfunction()

zem_find_font(ZEM_ARIAL_SOURCE LiberationSans-Regular.ttf fonts-liberation2)
zem_find_font(ZEM_IMPACT_SOURCE OpenSans-CondBold.ttf fonts-open-sans)

configure_file(${ZEM_ARIAL_SOURCE} ${GAME_DIR}/arial.ttf COPYONLY)
configure_file(${ZEM_IMPACT_SOURCE} ${GAME_DIR}/impact.ttf COPYONLY)
foreach(data menubox.bmp background640.jpg)
    configure_file(${CMAKE_SOURCE_DIR}/data/${data} ${GAME_DIR}/${data} COPYONLY)
endforeach()

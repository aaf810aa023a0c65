#!/bin/bash
# The installed tree and the launchers that start the games for a player.
#
# Installs the build into a scratch prefix whose path holds blanks, then runs the installed
# launchers: once with the real program, and then with the program swapped for a stand-in
# that notes where it ran and what it was given, to check the player's folder, the data
# links, the high score and the environment from the outside.
#
# Usage: launcher_test.sh <cmake> <build folder> <game folder> <launchers' folder>
set -uo pipefail

CMAKE=$1
BUILD_DIR=$2
GAME_DIR=$3
GAMES_DIR=$4

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zem-launcher-XXXXXX")
trap 'chmod -R u+rwx "$SCRATCH"; rm -rf "$SCRATCH"' EXIT
PREFIX="$SCRATCH/install prefix"
LAUNCHERS="$PREFIX/$GAMES_DIR"
FAILURES=0
CURRENT=""

fail() {
    echo "FAIL [$CURRENT]: $*" >&2
    FAILURES=$((FAILURES + 1))
}

expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# A fresh player: an empty home, no XDG_DATA_HOME, started from a folder of its own.
new_player() {
    PLAYER="$SCRATCH/player $1"
    rm -rf "$PLAYER"
    mkdir -p "$PLAYER/home" "$PLAYER/somewhere else"
    export HOME="$PLAYER/home"
    unset XDG_DATA_HOME XDG_CONFIG_HOME
    STUB_LOG="$PLAYER/stand-in.log"
    export STUB_LOG
    rm -f "$STUB_LOG"
}

# Runs an installed launcher from the player's unrelated folder; sets STATUS and ERRORS.
launch() { # launcher, arguments...
    local launcher=$1
    shift
    (cd "$PLAYER/somewhere else" && "$launcher" "$@") >"$PLAYER/out" 2>"$PLAYER/err"
    STATUS=$?
    ERRORS=$(cat "$PLAYER/err")
}

# A folder's path with links resolved, as the launcher sees it; empty when it is missing.
real_path() { (cd "$1" 2>/dev/null && pwd -P); }
# A file's exact text, a final line end included.
text_of() { cat "$1"; echo _; }

# The stand-in's notes: the folder it ran in, the settings folder, then one argument a line.
ran_in() { [ -f "$STUB_LOG" ] && head -n 1 "$STUB_LOG"; }
settings_folder() { [ -f "$STUB_LOG" ] && sed -n 2p "$STUB_LOG"; }
arguments() { [ -f "$STUB_LOG" ] && tail -n +3 "$STUB_LOG"; }

install_tree() {
    CURRENT="installing"
    "$CMAKE" --install "$BUILD_DIR" --prefix "$PREFIX" >"$SCRATCH/install.log" 2>&1 ||
        { cat "$SCRATCH/install.log" >&2; fail "cmake --install failed"; exit 1; }
}

# PNG width and height from the IHDR chunk, as "WxH".
png_size() {
    local words
    read -r -a words < <(od -An -tu1 -j16 -N8 "$1")
    local width=$(((words[0] << 24) + (words[1] << 16) + (words[2] << 8) + words[3]))
    local height=$(((words[4] << 24) + (words[5] << 16) + (words[6] << 8) + words[7]))
    echo "${width}x${height}"
}

test_installed_tree() {
    CURRENT="installed tree"
    local game data
    for game in brixolan tamu; do
        [ -x "$LAUNCHERS/$game" ] || fail "no launcher $GAMES_DIR/$game"
        [ -x "$PREFIX/libexec/zem-arcade/$game" ] || fail "no program libexec/zem-arcade/$game"
        # grep reads to the end: a grep -q leaving early would let gzip die of SIGPIPE,
        # which pipefail counts as a missing page.
        gzip -dc "$PREFIX/share/man/man6/$game.6.gz" 2>/dev/null |
            grep "^\.TH ${game^^} 6" >/dev/null ||
            fail "no readable section 6 manual page for $game"
        [ -f "$PREFIX/share/applications/$game.desktop" ] || fail "no desktop entry for $game"
        grep -qx "Exec=$game" "$PREFIX/share/applications/$game.desktop" ||
            fail "the desktop entry of $game does not start it by name"
        grep -qx "Icon=$game" "$PREFIX/share/applications/$game.desktop" ||
            fail "the desktop entry of $game does not name its icon"
        [ -f "$PREFIX/share/icons/hicolor/scalable/apps/$game.svg" ] ||
            fail "no scalable icon for $game"
        for size in 16 32 48 64 128 256; do
            local icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$game.png"
            if [ -f "$icon" ]; then
                expect_eq "size of the ${size}x${size} icon of $game" "${size}x${size}" \
                    "$(png_size "$icon")"
            else
                fail "no ${size}x${size} icon for $game"
            fi
        done
    done
    for data in menubox.bmp background640.jpg levelmaps impact.ttf arial.ttf; do
        cmp -s "$PREFIX/share/zem-arcade/$data" "$GAME_DIR/$data" ||
            fail "installed $data differs from the game folder's"
    done
    for data in impact.ttf arial.ttf; do
        [ -L "$PREFIX/share/zem-arcade/$data" ] ||
            fail "$data is a copy, not a link to the system's font"
    done
}

# Installed into /usr (as the package is, through DESTDIR), the font links stay within /usr
# and are relative, as Debian wants; elsewhere they are absolute, so a moved tree keeps them.
test_font_links_in_a_usr_tree() {
    CURRENT="font links under /usr"
    local staged="$SCRATCH/staged" data target
    DESTDIR="$staged" "$CMAKE" --install "$BUILD_DIR" --prefix /usr >"$SCRATCH/install.log" 2>&1 ||
        { cat "$SCRATCH/install.log" >&2; fail "cmake --install into /usr failed"; return; }
    for data in impact.ttf arial.ttf; do
        target=$(readlink "$staged/usr/share/zem-arcade/$data")
        [[ "$target" == ../* ]] || fail "the link $data leads to '$target', not a relative path"
        cmp -s "$(realpath -m "/usr/share/zem-arcade/$target")" "$GAME_DIR/$data" ||
            fail "the link $data does not lead to the system's font"
        target=$(readlink "$PREFIX/share/zem-arcade/$data")
        [[ "$target" == /* ]] || fail "outside /usr the link $data is '$target', not absolute"
    done
}

test_real_program_runs_in_the_players_folder() {
    CURRENT="real program"
    local game data
    for game in brixolan tamu; do
        new_player "real $game"
        # No window can open on a driver that doesn't exist: the game itself ends with 1 at
        # once, saying why in one line, and the launcher has nothing to add.
        SDL_VIDEODRIVER=no-such-driver launch "$LAUNCHERS/$game"
        expect_eq "exit status of $game without a window" 1 "$STATUS"
        [[ "$ERRORS" == "$game: cannot start the video driver \"no-such-driver\": "* &&
            "$ERRORS" != *$'\n'* ]] || fail "not the game's one line: $ERRORS"
        for data in menubox.bmp background640.jpg impact.ttf arial.ttf; do
            cmp -s "$HOME/.local/share/$game/$data" "$GAME_DIR/$data" ||
                fail "$game's folder has no working $data"
        done
        [ -z "$(ls -A "$PLAYER/somewhere else")" ] ||
            fail "$game wrote into the folder it was started from"
        if [ "$game" = brixolan ]; then
            cmp -s "$HOME/.local/share/$game/levelmaps" "$GAME_DIR/levelmaps" ||
                fail "brixolan's folder has no working levelmaps"
        else
            [ -e "$HOME/.local/share/$game/levelmaps" ] && fail "$game's folder got the level maps"
        fi
    done
}

# Answers and refusals, from the real program through the launcher, leave the disk as it was.
test_answers_make_nothing() {
    CURRENT="answers make nothing"
    local game words
    for game in brixolan tamu; do
        for words in --help --version --frob "--scale 9" play; do
            new_player "answer $game"
            # shellcheck disable=SC2086 # the words are split on purpose
            launch "$LAUNCHERS/$game" $words
            case $words in
            --help | --version) expect_eq "exit status of $game $words" 0 "$STATUS" ;;
            *) expect_eq "exit status of $game $words" 2 "$STATUS" ;;
            esac
            [ -z "$(ls -A "$HOME")$(ls -A "$PLAYER/somewhere else")" ] ||
                fail "$game $words left files: $(ls -AR "$HOME")"
        done
    done
    new_player "help"
    launch "$LAUNCHERS/tamu" --help
    grep -q '^  M  ' "$PLAYER/out" || fail "no M in the help: $(cat "$PLAYER/out")"
    grep -q 'XDG_CONFIG_HOME/tamu' "$PLAYER/out" || fail "the help does not say where settings are"
}

swap_in_stand_ins() {
    local game
    for game in brixolan tamu; do
        cat >"$PREFIX/libexec/zem-arcade/$game" <<'EOF'
#!/bin/sh
# Asked only whether the game would start: it would.
[ -n "${ZEM_COMMAND_LINE_ONLY-}" ] && exit 3
{ pwd -P; echo "$ZEM_SETTINGS_FOLDER"; for argument in "$@"; do printf '%s\n' "$argument"; done; } >"$STUB_LOG"
exit "${STUB_STATUS:-0}"
EOF
        chmod +x "$PREFIX/libexec/zem-arcade/$game"
    done
}

test_folder_and_links() {
    CURRENT="player's folder"
    new_player "first run"
    launch "$LAUNCHERS/brixolan" --ignored "two words"
    expect_eq "exit status" 0 "$STATUS"
    local folder="$HOME/.local/share/brixolan"
    expect_eq "folder the game ran in" "$(real_path "$folder")" "$(ran_in)"
    expect_eq "arguments handed on" "$(printf '%s\n' --ignored "two words")" "$(arguments)"
    expect_eq "settings folder" "$HOME/.config/brixolan" "$(settings_folder)"
    [ -d "$HOME/.config/brixolan" ] || fail "no settings folder"
    [ -e "$folder/hiscore" ] && fail "the launcher made up a high score file"
    local data
    for data in menubox.bmp background640.jpg impact.ttf arial.ttf levelmaps; do
        [ -L "$folder/$data" ] || fail "no link for $data"
    done

    CURRENT="exit status"
    STUB_STATUS=3 launch "$LAUNCHERS/tamu"
    expect_eq "the game's own exit status" 3 "$STATUS"
}

test_high_score_kept() {
    CURRENT="existing high score"
    new_player "returning"
    local folder="$HOME/.local/share/brixolan"
    mkdir -p "$folder"
    printf '  1234\n' >"$folder/hiscore"
    launch "$LAUNCHERS/brixolan"
    expect_eq "exit status" 0 "$STATUS"
    expect_eq "high score file" "$(printf '  1234\n_')" "$(text_of "$folder/hiscore")"
    [ -L "$folder/hiscore" ] && fail "the high score became a link"
    launch "$LAUNCHERS/brixolan"
    expect_eq "high score file after a second start" "$(printf '  1234\n_')" \
        "$(text_of "$folder/hiscore")"
}

test_links_renewed_but_own_files_kept() {
    CURRENT="renewing links"
    new_player "after a move"
    local folder="$HOME/.local/share/brixolan"
    mkdir -p "$folder"
    # Links an install elsewhere left: one leads nowhere now, one to the other copy.
    ln -s "/nowhere/old install/share/zem-arcade/menubox.bmp" "$folder/menubox.bmp"
    ln -s "$SCRATCH/old copy/zem-arcade/impact.ttf" "$folder/impact.ttf"
    # The player's own: a file, and links to a picture and to level maps of theirs.
    printf 'my own font' >"$folder/arial.ttf"
    ln -s "$GAME_DIR/background640.jpg" "$folder/background640.jpg"
    ln -s "$PLAYER/my levels" "$folder/levelmaps"
    launch "$LAUNCHERS/brixolan"
    expect_eq "exit status" 0 "$STATUS"
    local installed
    installed=$(real_path "$PREFIX/share/zem-arcade")
    cmp -s "$folder/menubox.bmp" "$GAME_DIR/menubox.bmp" || fail "a dangling link was not renewed"
    expect_eq "link to another install's font" "$installed/impact.ttf" \
        "$(readlink "$folder/impact.ttf")"
    expect_eq "the player's own arial.ttf" "my own font" "$(cat "$folder/arial.ttf")"
    expect_eq "the player's own link to a background" "$GAME_DIR/background640.jpg" \
        "$(readlink "$folder/background640.jpg")"
    expect_eq "the player's own link to level maps" "$PLAYER/my levels" \
        "$(readlink "$folder/levelmaps")"
}

test_data_home_choice() {
    CURRENT="XDG_DATA_HOME"
    new_player "xdg"
    export XDG_DATA_HOME="$PLAYER/my data home"
    launch "$LAUNCHERS/tamu"
    expect_eq "folder under XDG_DATA_HOME" "$(real_path "$XDG_DATA_HOME/tamu")" "$(ran_in)"
    [ -e "$HOME/.local/share/tamu" ] && fail "the folder under HOME was made as well"

    CURRENT="XDG_CONFIG_HOME"
    new_player "xdg config"
    export XDG_CONFIG_HOME="$PLAYER/my config"
    launch "$LAUNCHERS/tamu"
    expect_eq "settings folder under XDG_CONFIG_HOME" "$XDG_CONFIG_HOME/tamu" "$(settings_folder)"
    [ -e "$HOME/.config" ] && fail "the settings folder under HOME was made as well"

    CURRENT="relative XDG_DATA_HOME"
    new_player "relative xdg"
    export XDG_DATA_HOME="relative/data"
    launch "$LAUNCHERS/tamu"
    expect_eq "folder the game ran in" "$(real_path "$HOME/.local/share/tamu")" "$(ran_in)"
    [ -e "$PLAYER/somewhere else/relative" ] && fail "a relative XDG_DATA_HOME was used"

    CURRENT="empty XDG_DATA_HOME"
    new_player "empty xdg"
    export XDG_DATA_HOME=""
    launch "$LAUNCHERS/tamu"
    expect_eq "folder the game ran in" "$(real_path "$HOME/.local/share/tamu")" "$(ran_in)"
}

test_started_through_a_link() {
    CURRENT="launcher reached through a link"
    new_player "games folder"
    mkdir -p "$PLAYER/games"
    ln -s "$LAUNCHERS/brixolan" "$PLAYER/games/brixolan"
    launch "$PLAYER/games/brixolan"
    expect_eq "exit status" 0 "$STATUS"
    cmp -s "$HOME/.local/share/brixolan/levelmaps" "$GAME_DIR/levelmaps" ||
        fail "the data links lead nowhere"
}

test_unusable_folder() {
    CURRENT="folder cannot be made"
    new_player "blocked"
    mkdir -p "$HOME/.local"
    printf 'not a folder' >"$HOME/.local/share"
    launch "$LAUNCHERS/brixolan"
    expect_eq "exit status" 1 "$STATUS"
    [[ "$ERRORS" == "brixolan: "*"$HOME/.local/share/brixolan"* ]] ||
        fail "no message naming the folder: $ERRORS"
    [ -z "$(ran_in)" ] || fail "the game was started anyway"

    CURRENT="no home"
    new_player "homeless"
    (unset HOME && launch "$LAUNCHERS/brixolan" && exit "$STATUS")
    expect_eq "exit status without HOME" 1 "$?"
    [ -z "$(ran_in)" ] || fail "the game was started anyway"
}

install_tree
test_installed_tree
test_font_links_in_a_usr_tree
test_real_program_runs_in_the_players_folder
test_answers_make_nothing
swap_in_stand_ins
test_folder_and_links
test_high_score_kept
test_links_renewed_but_own_files_kept
test_data_home_choice
test_started_through_a_link
test_unusable_folder

if [ "$FAILURES" -ne 0 ]; then
    echo "$FAILURES check(s) failed" >&2
    exit 1
fi
echo "all launcher checks passed"

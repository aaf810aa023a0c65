#pragma once

#include <cstdint>
#include <string>

// The command line. A plain start takes no arguments; "--help" and "--version" answer and
// end the program; anything else is refused with the usage on standard error. Each option is
// one row of the table in command_line.cpp.

// What TakeCommandLine gives when the game is to start.
const int RUN_THE_GAME = -1;

// Exit statuses of a command line that ends the program.
const int ANSWERED = 0;
const int BAD_COMMAND_LINE = 2;

// The installed launcher asks whether the game would start before it makes the player's folders,
// so that an answer or a refusal leaves the disk as it was: with this variable set, the program
// only takes its command line, and ends with COMMAND_LINE_FITS where the game would start.
const char* const COMMAND_LINE_ONLY_VARIABLE = "ZEM_COMMAND_LINE_ONLY";
const int COMMAND_LINE_FITS = 3;

// What the options chose for this run, beside what the "settings" file remembers.
struct CommandLineChoices {
    bool mute = false;        // "--mute": no sound this run
    int scale = 0;            // "--scale N"; 0 when not given
    bool fullScreen = false;  // "--fullscreen"
    std::string levels;       // "--levels FILE": a level set of the player's own; empty if not
    int computer = -1;        // "--computer[=LEVEL]": 0 easy, 1 normal, 2 hard; -1 not asked
    bool demo = false;        // "--demo": the computer plays both paddles, no menu first
    bool host = false;        // "--host[=ADDRESS]": wait for an opponent on the network
    std::string hostAddress;  // the address to listen on; empty: every address
    std::string joinHost;     // "--join HOST[:PORT]": the host to play against; empty if not
    std::uint16_t port = 0;   // "--port N", or the PORT of --join; 0: the default port
};
extern CommandLineChoices chosenOnCommandLine;

// Reads the arguments into chosenOnCommandLine and carries out the options. RUN_THE_GAME, or the
// status to end with.
int TakeCommandLine(int argc, char* argv[]);

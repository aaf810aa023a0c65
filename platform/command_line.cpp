#include "platform/command_line.h"

#include <cstdio>
#include <string>

#include "net/link.h"
#include "platform/display_options.h"
#include "platform/host.h"
#include "platform/hotkeys.h"
#include "platform/report.h"

namespace {

enum class OptionOutcome {
    KEEP_GOING,  // the option is noted; the game starts when all are read
    END_RUN,     // the option said all it had to: the program ends with ANSWERED
    BAD_VALUE,   // the value makes no sense (the option has said why)
};

struct CommandLineOption {
    const char* name;         // as typed, with its dashes
    const char* valueName;    // shown in the usage ("N"); null for an option without a value
    const char* description;  // one line of the usage
    bool valueOptional;       // the value may be left out, and is then given only after "="
    OptionOutcome (*take)(const char* value);  // value is null for an option without one
    bool PlatformHost::*offeredIf = nullptr;   // the game's flag that offers it; null: every game
};

OptionOutcome ShowHelp(const char*);
OptionOutcome ShowVersion(const char*);
OptionOutcome Mute(const char*);
OptionOutcome Scale(const char* value);
OptionOutcome FullScreen(const char*);
OptionOutcome Levels(const char* value);
OptionOutcome Computer(const char* value);
OptionOutcome Demo(const char*);
OptionOutcome HostDuel(const char* value);
OptionOutcome Join(const char* value);
OptionOutcome Port(const char* value);

const CommandLineOption OPTIONS[] = {
    {"--help", nullptr, "show this help and the keys, then end", false, ShowHelp},
    {"--version", nullptr, "show the version, then end", false, ShowVersion},
    {"--scale", "N", "open a window N times as large (1 to 4)", false, Scale},
    {"--fullscreen", nullptr, "start in full screen (F11 switches)", false, FullScreen},
    {"--mute", nullptr, "start without sound (for this run; M switches it)", false, Mute},
    {"--levels", "FILE", "play the level set in FILE instead of \"levelmaps\"", false, Levels,
     &PlatformHost::playsLevelSets},
    {"--computer", "[=LEVEL]",
     "play the duel against the computer: easy, normal (the default) or hard", true, Computer,
     &PlatformHost::hasComputerPlayers},
    {"--demo", nullptr, "the computer plays itself, no menu first (Left or Right takes over)",
     false, Demo, &PlatformHost::hasComputerPlayers},
    {"--host", "[=ADDRESS]",
     "wait for an opponent from the network (on every address of this machine, or ADDRESS)", true,
     HostDuel, &PlatformHost::playsOverNetwork},
    {"--join", "HOST[:PORT]", "play against the host at HOST (a name or an IPv4 address)", false,
     Join, &PlatformHost::playsOverNetwork},
    {"--port", "N", "the UDP port to host on or to join (default " DEFAULT_DUEL_PORT_TEXT ")",
     false, Port, &PlatformHost::playsOverNetwork},
};

// Whether this game takes the option.
bool Offered(const CommandLineOption& option) {
    return option.offeredIf == nullptr || (Host() != nullptr && Host()->*option.offeredIf);
}

// Keys every game has, after the game's own from its help screen.
const char* const SHELL_KEYS[][2] = {
    {"Escape", "Pause"},
    {"Up, Down", "Move in the menus"},
    {"Enter", "Choose in the menus"},
    {"Mouse", "Steer the bottom paddle once moved in play; point and click in the menus"},
};

// An answer that could not be written (a full disk, a closed pipe) is a failure.
const int ANSWER_LOST = 1;

const int KEY_COLUMN = 14;
const int OPTION_COLUMN = 16;

std::string Trimmed(const std::string& text) {
    const char* const blanks = " \t";
    const std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void PrintColumns(std::FILE* out, int width, const std::string& left, const std::string& right) {
    std::fprintf(out, "  %-*s %s\n", width - 1, left.c_str(), right.c_str());
}

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "Usage: %s [OPTION]...\n", ProgramName().c_str());
    std::fprintf(out, "Starts %s in a window.\n\n", Host()->caption);
    if (Host()->playsLevelSets) {
        std::fprintf(out,
                     "The levels are read from \"levelmaps\"; a set of your own (--levels) "
                     "keeps its\nhigh score apart, in \"hiscore-NAME\" (NAME the set's "
                     "file name).\n\n");
    }
    std::fprintf(out, "Options:\n");
    for (const CommandLineOption& option : OPTIONS) {
        if (!Offered(option)) {
            continue;
        }
        std::string shown = option.name;
        if (option.valueName != nullptr) {
            shown += option.valueOptional ? std::string(option.valueName)
                                          : std::string(" ") + option.valueName;
        }
        PrintColumns(out, OPTION_COLUMN, shown, option.description);
    }
}

// Where the files are, for both ways of starting the game.
void PrintFiles() {
    const std::string name = ProgramName();
    std::printf(
        "\nFiles:\n"
        "  Started in place, the game reads its pictures and fonts from the working\n"
        "  directory and keeps \"hiscore\" and \"settings\" there.\n"
        "  Started by the installed launcher, it runs in $XDG_DATA_HOME/%s\n"
        "  (~/.local/share/%s), which holds links to the installed pictures and\n"
        "  fonts and the player's \"hiscore\"; \"settings\" is kept in\n"
        "  $XDG_CONFIG_HOME/%s (~/.config/%s).\n",
        name.c_str(), name.c_str(), name.c_str(), name.c_str());
}

void PrintHotkey(const char* keyName, const char* what) {
    PrintColumns(stdout, KEY_COLUMN, keyName, what);
}

// The help screen's lines read "keys  =  what they do".
void PrintKeys() {
    std::printf("\nKeys:\n");
    for (const char* line : *Host()->helpLines) {
        const std::string text = line;
        const std::string::size_type equals = text.find('=');
        if (equals == std::string::npos) {
            std::printf("  %s\n", Trimmed(text).c_str());
        } else {
            PrintColumns(stdout, KEY_COLUMN, Trimmed(text.substr(0, equals)),
                         Trimmed(text.substr(equals + 1)));
        }
    }
    for (const auto& key : SHELL_KEYS) {
        PrintColumns(stdout, KEY_COLUMN, key[0], key[1]);
    }
    ListHotkeys(PrintHotkey);
}

OptionOutcome ShowHelp(const char*) {
    PrintUsage(stdout);
    PrintKeys();
    PrintFiles();
    return OptionOutcome::END_RUN;
}

OptionOutcome ShowVersion(const char*) {
    std::printf("%s %s\n", ProgramName().c_str(), ZEM_VERSION);
    return OptionOutcome::END_RUN;
}

OptionOutcome Mute(const char*) {
    chosenOnCommandLine.mute = true;
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome Scale(const char* value) {
    chosenOnCommandLine.scale = ReadScale(value);
    if (chosenOnCommandLine.scale == 0) {
        Report(BadScale(value));
        return OptionOutcome::BAD_VALUE;
    }
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome FullScreen(const char*) {
    chosenOnCommandLine.fullScreen = true;
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome Levels(const char* value) {
    chosenOnCommandLine.levels = value;
    return OptionOutcome::KEEP_GOING;
}

const char* const COMPUTER_LEVELS[] = {"easy", "normal", "hard"};
const int NORMAL_LEVEL = 1;

OptionOutcome Computer(const char* value) {
    if (value == nullptr) {
        chosenOnCommandLine.computer = NORMAL_LEVEL;
        return OptionOutcome::KEEP_GOING;
    }
    for (int level = 0; level < 3; ++level) {
        if (std::string(value) == COMPUTER_LEVELS[level]) {
            chosenOnCommandLine.computer = level;
            return OptionOutcome::KEEP_GOING;
        }
    }
    Report(std::string("unknown computer level '") + value + "' (easy, normal or hard)");
    return OptionOutcome::BAD_VALUE;
}

OptionOutcome Demo(const char*) {
    chosenOnCommandLine.demo = true;
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome HostDuel(const char* value) {
    chosenOnCommandLine.host = true;
    chosenOnCommandLine.hostAddress = value != nullptr ? value : "";
    if (value != nullptr && chosenOnCommandLine.hostAddress.empty()) {
        Report("--host= needs an address after the '='");
        return OptionOutcome::BAD_VALUE;
    }
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome Join(const char* value) {
    std::uint16_t port = 0;
    if (!SplitHostAndPort(value, chosenOnCommandLine.joinHost, port)) {
        Report(std::string("--join takes HOST or HOST:PORT (PORT from 1 to 65535), not \"") +
               value + "\"");
        return OptionOutcome::BAD_VALUE;
    }
    if (std::string(value).find(':') != std::string::npos) {
        chosenOnCommandLine.port = port;
    }
    return OptionOutcome::KEEP_GOING;
}

OptionOutcome Port(const char* value) {
    chosenOnCommandLine.port = ReadPort(value);
    if (chosenOnCommandLine.port == 0) {
        Report(std::string("--port takes a whole number from 1 to 65535, not \"") + value + "\"");
        return OptionOutcome::BAD_VALUE;
    }
    return OptionOutcome::KEEP_GOING;
}

// What can't go together, once every option is read; null when all fits.
const char* Clash() {
    const CommandLineChoices& chosen = chosenOnCommandLine;
    const bool overNetwork = chosen.host || !chosen.joinHost.empty();
    if (chosen.host && !chosen.joinHost.empty()) {
        return "--host and --join can't go together: one end hosts, the other joins";
    }
    if (chosen.port != 0 && !overNetwork) {
        return "--port needs --host or --join";
    }
    if (overNetwork && (chosen.demo || chosen.computer >= 0)) {
        return "a network duel is between two players: no --computer or --demo with it";
    }
    return nullptr;
}

int Refuse(const std::string& why) {
    Report(why);
    PrintUsage(stderr);
    return BAD_COMMAND_LINE;
}

const CommandLineOption* FindOption(const std::string& name) {
    for (const CommandLineOption& option : OPTIONS) {
        if (name == option.name && Offered(option)) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

CommandLineChoices chosenOnCommandLine;

int TakeCommandLine(int argc, char* argv[]) {
    chosenOnCommandLine = CommandLineChoices();
    SetProgramName(argc, argv);
    for (int at = 1; at < argc; ++at) {
        // "--name value" or "--name=value".
        const std::string argument = argv[at];
        const std::string::size_type equals = argument.find('=');
        const CommandLineOption* option = FindOption(argument.substr(0, equals));
        if (option == nullptr) {
            return Refuse((argument[0] == '-' ? "unknown option '" : "unexpected argument '") +
                          argument + "'");
        }
        const char* value = nullptr;
        if (equals != std::string::npos) {
            value = argv[at] + equals + 1;
        }
        if (option->valueName == nullptr && value != nullptr) {
            return Refuse(std::string("option '") + option->name + "' takes no value");
        }
        if (option->valueName != nullptr && value == nullptr && !option->valueOptional) {
            if (at + 1 == argc) {
                return Refuse(std::string("option '") + option->name + "' needs a value");
            }
            value = argv[++at];
        }
        const OptionOutcome outcome = option->take(value);
        if (outcome == OptionOutcome::BAD_VALUE) {
            PrintUsage(stderr);
            return BAD_COMMAND_LINE;
        }
        if (outcome == OptionOutcome::END_RUN) {
            return std::fflush(stdout) == 0 ? ANSWERED : ANSWER_LOST;
        }
    }
    if (const char* clash = Clash()) {
        return Refuse(clash);
    }
    return RUN_THE_GAME;
}

// The command line, through the program's entry: "--help" and "--version" answer on
// standard output and end the program before anything starts; anything else is refused with
// the usage on standard error.

#include "platform/command_line.h"

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "shell/game.h"
#include "tests/support/fake_game.h"
#include "tests/support/scratch_dir.h"

namespace {

struct Answer {
    int status;
    std::string output;
    std::string errors;
};

Answer RunWith(std::vector<std::string> arguments, const ZemGame& theGame = FAKE_GAME) {
    arguments.insert(arguments.begin(), "/some/folder/testbed");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = ZEM_RunGame(theGame, static_cast<int>(arguments.size()), argv.data());
    std::string output = testing::internal::GetCapturedStdout();
    return {status, output, testing::internal::GetCapturedStderr()};
}

}  // namespace

TEST(CommandLine, HelpAndVersionAnswerAndEndBeforeAnythingStarts) {
    ScratchDir dir;
    const Answer help = RunWith({"--help"});
    EXPECT_EQ(help.status, ANSWERED);
    EXPECT_EQ(help.errors, "");
    EXPECT_EQ(help.output.rfind("Usage: testbed [OPTION]...\n", 0), 0u) << help.output;
    // Each key of the game's help screen with what it does, and the menu keys.
    for (const char* key : {"Arrows +Move", "Z and X +Other", "P +Pause", "Escape +Pause",
                            "Up, Down +Move in the menus", "Enter +Choose in the menus",
                            "M +Sound off and on", "F11 +Window or full screen",
                            "Mouse +Steer the bottom paddle once moved in play; point and click "
                            "in the menus"}) {
        EXPECT_TRUE(std::regex_search(help.output, std::regex(std::string("\n  ") + key + "\n")))
            << key << " in\n"
            << help.output;
    }
    for (const char* option : {"--help", "--version", "--scale N", "--fullscreen", "--mute"}) {
        EXPECT_NE(help.output.find(std::string("\n  ") + option + " "), std::string::npos);
    }
    // Where the files are, in place and for the installed launcher.
    for (const char* place : {"working\n  directory", "$XDG_DATA_HOME/testbed",
                              "$XDG_CONFIG_HOME/testbed (~/.config/testbed)"}) {
        EXPECT_NE(help.output.find(place), std::string::npos) << place;
    }

    const Answer version = RunWith({"--version"});
    EXPECT_EQ(version.status, ANSWERED);
    EXPECT_EQ(version.output, "testbed " ZEM_VERSION "\n");
    EXPECT_EQ(version.errors, "");

    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u) << "no window for an answer";
    EXPECT_FALSE(dir.Exists("hiscore"));
}

TEST(CommandLine, AnythingElseIsRefusedWithTheUsageOnStandardErrorAndStatusTwo) {
    ScratchDir dir;
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{"--frob"}, "testbed: unknown option '--frob'\n"},
        {{"-h"}, "testbed: unknown option '-h'\n"},
        {{"play"}, "testbed: unexpected argument 'play'\n"},
        {{"--help=yes"}, "testbed: option '--help' takes no value\n"},
        {{"--mute=1"}, "testbed: option '--mute' takes no value\n"},
        {{"--scale", "5"}, "testbed: --scale takes a whole number from 1 to 4, not \"5\"\n"},
        {{"--scale=0"}, "testbed: --scale takes a whole number from 1 to 4, not \"0\"\n"},
        {{"--scale", "2x"}, "testbed: --scale takes a whole number from 1 to 4, not \"2x\"\n"},
        {{"--scale"}, "testbed: option '--scale' needs a value\n"},
        {{"--frob", "--help"}, "testbed: unknown option '--frob'\n"},
        // A game without computer players doesn't take their options.
        {{"--computer"}, "testbed: unknown option '--computer'\n"},
        {{"--demo"}, "testbed: unknown option '--demo'\n"},
        // Nor one that isn't played over the network the network's.
        {{"--host"}, "testbed: unknown option '--host'\n"},
        {{"--join", "h"}, "testbed: unknown option '--join'\n"},
        {{"--port", "47600"}, "testbed: unknown option '--port'\n"},
    };
    ZemGame withComputers = FAKE_GAME;
    withComputers.hasComputerPlayers = true;
    const std::pair<std::vector<std::string>, std::string> computerRefusals[] = {
        {{"--computer=expert"},
         "testbed: unknown computer level 'expert' (easy, normal or hard)\n"},
        {{"--computer="}, "testbed: unknown computer level '' (easy, normal or hard)\n"},
        {{"--demo=1"}, "testbed: option '--demo' takes no value\n"},
    };
    ZemGame overNetwork = FAKE_GAME;
    overNetwork.playsOverNetwork = true;
    overNetwork.hasComputerPlayers = true;
    const std::pair<std::vector<std::string>, std::string> networkRefusals[] = {
        {{"--port", "0", "--host"},
         "testbed: --port takes a whole number from 1 to 65535, not \"0\"\n"},
        {{"--host", "--port=65536"},
         "testbed: --port takes a whole number from 1 to 65535, not \"65536\"\n"},
        {{"--join", "h:x"},
         "testbed: --join takes HOST or HOST:PORT (PORT from 1 to 65535), not \"h:x\"\n"},
        {{"--join=:47600"},
         "testbed: --join takes HOST or HOST:PORT (PORT from 1 to 65535), not \":47600\"\n"},
        {{"--join"}, "testbed: option '--join' needs a value\n"},
        {{"--host="}, "testbed: --host= needs an address after the '='\n"},
        {{"--host", "--join", "h"},
         "testbed: --host and --join can't go together: one end hosts, the other joins\n"},
        {{"--port", "47600"}, "testbed: --port needs --host or --join\n"},
        {{"--host", "--demo"},
         "testbed: a network duel is between two players: no --computer or --demo with it\n"},
    };
    std::vector<std::pair<const ZemGame*, std::pair<std::vector<std::string>, std::string>>> cases;
    for (const auto& refusal : refusals) {
        cases.push_back({&FAKE_GAME, refusal});
    }
    for (const auto& refusal : computerRefusals) {
        cases.push_back({&withComputers, refusal});
    }
    for (const auto& refusal : networkRefusals) {
        cases.push_back({&overNetwork, refusal});
    }
    for (const auto& [theGame, refusal] : cases) {
        const auto& [arguments, said] = refusal;
        const Answer refused = RunWith(arguments, *theGame);
        EXPECT_EQ(refused.status, BAD_COMMAND_LINE) << said;
        EXPECT_EQ(refused.output, "");
        EXPECT_EQ(refused.errors.rfind(said + "Usage: testbed [OPTION]...\n", 0), 0u)
            << refused.errors;
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
    EXPECT_FALSE(dir.Exists("hiscore"));
}

// The window's options are taken for the run; each given one is noted, the others stay unset.
TEST(CommandLine, WindowAndSoundOptionsAreNotedForTheRun) {
    const struct {
        std::vector<std::string> words;
        int scale;
        bool fullScreen;
        bool mute;
    } rows[] = {
        {{}, 0, false, false},
        {{"--scale", "2"}, 2, false, false},
        {{"--fullscreen", "--scale=4", "--mute"}, 4, true, true},
    };
    for (auto row : rows) {
        row.words.insert(row.words.begin(), "testbed");
        std::vector<char*> argv;
        for (std::string& word : row.words) {
            argv.push_back(word.data());
        }
        EXPECT_EQ(TakeCommandLine(static_cast<int>(argv.size()), argv.data()), RUN_THE_GAME);
        EXPECT_EQ(chosenOnCommandLine.scale, row.scale);
        EXPECT_EQ(chosenOnCommandLine.fullScreen, row.fullScreen);
        EXPECT_EQ(chosenOnCommandLine.mute, row.mute);
    }
}

// The ends of a network duel: which end, and where; no port given is the default one (0).
TEST(CommandLine, TheNetworkEndsAreNotedForTheRun) {
    ZemGame overNetwork = FAKE_GAME;
    overNetwork.playsOverNetwork = true;
    ZEM_UseGame(overNetwork);
    const struct {
        std::vector<std::string> words;
        bool host;
        const char* hostAddress;
        const char* joinHost;
        int port;
    } rows[] = {
        {{"--host"}, true, "", "", 0},
        {{"--host=127.0.0.1", "--port", "47601"}, true, "127.0.0.1", "", 47601},
        {{"--join", "127.0.0.1"}, false, "", "127.0.0.1", 0},
        {{"--join=far.example:5000"}, false, "", "far.example", 5000},
        {{"--port=6000", "--join", "far.example"}, false, "", "far.example", 6000},
    };
    for (auto row : rows) {
        row.words.insert(row.words.begin(), "testbed");
        std::vector<char*> argv;
        for (std::string& word : row.words) {
            argv.push_back(word.data());
        }
        EXPECT_EQ(TakeCommandLine(static_cast<int>(argv.size()), argv.data()), RUN_THE_GAME)
            << row.words[1];
        EXPECT_EQ(chosenOnCommandLine.host, row.host) << row.words[1];
        EXPECT_EQ(chosenOnCommandLine.hostAddress, row.hostAddress) << row.words[1];
        EXPECT_EQ(chosenOnCommandLine.joinHost, row.joinHost) << row.words[1];
        EXPECT_EQ(chosenOnCommandLine.port, row.port) << row.words[1];
    }
    const Answer help = RunWith({"--help"}, overNetwork);
    for (const char* option : {"--host[=ADDRESS]", "--join HOST[:PORT]", "--port N", "47623"}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
}

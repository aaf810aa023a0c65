#pragma once

#include <string>
#include <vector>

// What a game hands to the shared shell: everything in which the two programs differ. The
// shell never asks which game it runs; it reads this record.
struct ZemGame {
    // The window caption, also the main menu's header.
    const char* caption;
    // The header lines of the help screen, top to bottom.
    std::vector<const char*> helpLines;
    // Whether the pause screen saves the game picture and puts it back when it closes (a
    // playfield that is never redrawn whole needs it).
    bool pauseSavesScreen;
    // The paddles' top steering speed, in pixels per frame.
    int paddleSpeedLimit;
    // Prepares a new game; called by the main menu right before it pushes PlayState.
    void (*PrePlay)();
    // One frame of play.
    void (*PlayState)();
    // Called after every state function: holds each pass of the main loop to the game's pace.
    void (*CapFrameRate)();
    // Whether the game plays level sets, and so takes "--levels FILE".
    bool playsLevelSets = false;
    // Whether a computer may play a paddle, and so the game takes "--computer" and "--demo".
    bool hasComputerPlayers = false;
    // Whether two machines may play it, and so the game takes "--host", "--join" and "--port".
    bool playsOverNetwork = false;

    // A game that two machines play looks after the link between them here; all null in a
    // game without one, and each does nothing while no link was asked for.
    // Before the window opens: false ends the start with status 1 (it has said why).
    bool (*OpenLink)() = nullptr;
    // On every pass of the main menu and of the help, pause and lose screens: true when the
    // other machine started a game, which the main menu then starts here too and a waiting
    // screen gives way to.
    bool (*ServeLink)() = nullptr;
    // The line about the link shown under the main menu and in the caption; empty for none.
    std::string (*LinkLine)() = nullptr;
    // Whether "Play" on the main menu may start a game now (the end that waits for the other
    // to start, or for an opponent, may not).
    bool (*MayStartPlay)() = nullptr;
};

// The game the shell is running; set by ZEM_RunGame (or by a test's driver).
extern const ZemGame* game;

// Makes this the game the shell runs: the record and the paddles' speed limit.
void ZEM_UseGame(const ZemGame& theGame);

// The program's steps, which ZEM_RunGame takes in turn and a tool may take one by one:
// start-up with the choices of the command line already taken, up to the main menu on the
// state stack (false when it
// failed, with everything left as it stands), and the shut-down after the main loop (the menu
// object freed, the pictures and fonts let go, the high score written, the libraries shut down).
bool ZEM_StartGame(const ZemGame& theGame);
void ZEM_EndGame();

// The whole program for this game: the command line, start-up, the main loop over the state
// stack, shut-down. 0 after a normal end or an answered "--help" or "--version", 1 when
// start-up failed, 2 for a command line it refuses.
int ZEM_RunGame(const ZemGame& theGame, int argc, char* argv[]);

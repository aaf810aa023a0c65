// Plays points of the duel headless between computer players, on the game's own play code,
// and prints a table: how often each side wins a point, how many hits a rally has, and how
// often the computer turns from one key to the other.
//
//   measure_opponent [--points N] [--seed S]
//
// Game time is one frame per 1/90 s. A rally still going after two minutes is not counted.

#include <stdlib.h>

#include <cstdio>
#include <string>

#include "SDL.h"
#include "shell/globals.h"
#include "tamu/constants.h"
#include "tamu/game.h"

using namespace tamu;

namespace {

const int REFERENCE = 3;
const char* const NAMES[] = {"easy", "normal", "hard", "reference"};
const int LONGEST_RALLY_FRAMES = 2 * 60 * FRAMES_PER_SECOND;

struct Pairing {
    int top;     // a computer level
    int bottom;  // a computer level or the reference player
};

const Pairing PAIRINGS[] = {
    {1, 0}, {2, 1}, {2, 0}, {0, 0}, {1, 1}, {2, 2}, {0, REFERENCE}, {1, REFERENCE}, {2, REFERENCE},
};

void PlaceForDuel() {
    myPaddle.SetBothPos(PADDLE_START_X, MY_PADDLE_START_Y);
    otherPaddle.SetBothPos(PADDLE_START_X, OTHER_PADDLE_START_Y);
    myPaddle.SetBothVel(0, 0);
    otherPaddle.SetBothVel(0, 0);
    myPaddle.SetBothSize(PADDLE_WIDTH, PADDLE_HEIGHT);
    otherPaddle.SetBothSize(PADDLE_WIDTH, PADDLE_HEIGHT);
    theBall.SetBothPos(BALL_START_X, BALL_START_Y);
    theBall.SetBothVel(0, OPENING_SERVE_Y_VEL);
    theBall.SetBothSize(BALL_SIZE, BALL_SIZE);
    myScore = 0;
    otherScore = 0;
}

void Measure(const Pairing& pairing, int points, unsigned seed) {
    PlaceForDuel();
    ChooseComputerLevels(pairing.top, pairing.bottom, seed);
    long frames = 0;
    long hits = 0;
    int rallies = 0;
    int unfinished = 0;
    int rallyFrames = 0;
    int lastYVel = theBall.GetYVel();
    while (myScore + otherScore + unfinished < points) {
        const int before = myScore + otherScore;
        PlayState();
        ++frames;
        ++rallyFrames;
        const int yVel = theBall.GetYVel();
        if (myScore + otherScore != before) {
            ++rallies;
            rallyFrames = 0;
        } else if ((yVel < 0) != (lastYVel < 0)) {
            ++hits;
        }
        lastYVel = theBall.GetYVel();
        if (rallyFrames > LONGEST_RALLY_FRAMES) {
            ++unfinished;
            rallyFrames = 0;
            theBall.SetBothPos(BALL_START_X, BALL_START_Y);
            theBall.SetBothVel(0, POINT_SERVE_SPEED);
        }
    }
    const double seconds = static_cast<double>(frames) / FRAMES_PER_SECOND;
    const int played = myScore + otherScore;
    const double topShare = played > 0 ? 100.0 * otherScore / played : 0.0;
    const double changesTop = ComputerDirectionChanges(true) / seconds;
    const double changesBottom =
        pairing.bottom == REFERENCE ? 0.0 : ComputerDirectionChanges(false) / seconds;
    std::printf("| %s | %s | %d | %.0f%% | %.1f | %.2f | %.2f | %d |\n", NAMES[pairing.top],
                NAMES[pairing.bottom], played, topShare,
                rallies > 0 ? static_cast<double>(hits) / rallies : 0.0, changesTop, changesBottom,
                unfinished);
}

int Usage(const char* name) {
    std::fprintf(stderr, "Usage: %s [--points N] [--seed S]\n", name);
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    int points = 200;
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--points" && i + 1 < argc) {
            points = std::atoi(argv[++i]);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<unsigned>(std::atoi(argv[++i]));
        } else {
            return Usage(argv[0]);
        }
    }
    if (points < 1) {
        return Usage(argv[0]);
    }
    // Nobody watches: the dummy driver and a window of one pixel.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ZEM_UseGame(GAME);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "measure_opponent: %s\n", SDL_GetError());
        return 1;
    }
    screen = SDL_SetVideoMode(1, 1, 32, SDL_SWSURFACE);
    if (screen == nullptr) {
        std::fprintf(stderr, "measure_opponent: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    std::printf("%d points a pairing, seed %u\n\n", points, seed);
    std::printf(
        "| top | bottom | points | top wins | hits per rally | top turns/s | "
        "bottom turns/s | rallies cut |\n|---|---|---|---|---|---|---|---|\n");
    for (const Pairing& pairing : PAIRINGS) {
        Measure(pairing, points, seed);
    }
    SDL_Quit();
    return 0;
}

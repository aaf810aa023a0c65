#include "platform/quit_request.h"

#include <signal.h>

namespace {

const int QUIT_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t quitRequested = 0;

void NoteQuitSignal(int) {
    quitRequested = 1;
}

}  // namespace

void CatchQuitSignals() {
    quitRequested = 0;
    struct sigaction action = {};
    action.sa_handler = NoteQuitSignal;
    sigemptyset(&action.sa_mask);
    // Whatever SDL or the X library was waiting for goes on waiting: the flag is read at the
    // next pass or the next look at the event queue.
    action.sa_flags = SA_RESTART;
    for (int signalNumber : QUIT_SIGNALS) {
        sigaction(signalNumber, &action, nullptr);
    }
}

bool QuitRequested() {
    return quitRequested != 0;
}

bool TakeQuitRequest() {
    if (!QuitRequested()) {
        return false;
    }
    // Acted on: the request is used up.
    quitRequested = 0;
    return true;
}

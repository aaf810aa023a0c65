#include "tests/support/fake_clock.h"

#include "framework/clock.h"

namespace {

Uint32 now = 0;
Uint32 stepPerRead = 0;
std::vector<Uint32> delays;
std::function<void(Uint32)> delayHook;

Uint32 FakeTicks() {
    Uint32 reading = now;
    now += stepPerRead;
    return reading;
}

void FakeDelay(Uint32 milliseconds) {
    delays.push_back(milliseconds);
    now += milliseconds;
    if (delayHook) {
        delayHook(milliseconds);
    }
}

}  // namespace

FakeClock::FakeClock(Uint32 start) {
    now = start;
    stepPerRead = 0;
    delays.clear();
    delayHook = nullptr;
    ZEM_SetClock(FakeTicks, FakeDelay);
}

FakeClock::~FakeClock() {
    ZEM_SetClock(nullptr, nullptr);
    delayHook = nullptr;
}

Uint32 FakeClock::Now() {
    return now;
}

void FakeClock::Advance(Uint32 milliseconds) {
    now += milliseconds;
}

void FakeClock::Set(Uint32 milliseconds) {
    now = milliseconds;
}

const std::vector<Uint32>& FakeClock::Delays() {
    return delays;
}

void FakeClock::ClearDelays() {
    delays.clear();
}

void FakeClock::OnDelay(std::function<void(Uint32)> hook) {
    delayHook = std::move(hook);
}

void FakeClock::AdvanceOnEachRead(Uint32 milliseconds) {
    stepPerRead = milliseconds;
}

#pragma once

#include <stack>

// A game state is a function run once per pass of the main loop while it is on top.
struct StateStruct {
    void (*statePointer)();
};

extern std::stack<StateStruct> StateStack;

// Pushes the state with this function on top of the stack.
void PushState(void (*statePointer)());

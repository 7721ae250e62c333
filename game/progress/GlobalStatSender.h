#pragma once

#include <string>

#include "ofThread.h"

// Sends one global counter to the score server on its own thread.
// Placeholder: it is never started and its body sends nothing.
class GlobalStatSender : public ofThread {
public:
    void threadedFunction() override {}

    std::string statName;
    int value = 0;
    float version = 0;
    std::string fromSteam;
};

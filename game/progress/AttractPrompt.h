#pragma once

// The attract prompt of the arcade-cabinet build, which is off.
class AttractPrompt {
public:
    void updateIdle(float frameTime);

    float idleTime = 0;
    bool resetRequest = false;
};

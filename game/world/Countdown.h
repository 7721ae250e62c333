#pragma once

// A small timer: update counts the remaining seconds down and marks done at
// or below 0; restart copies the start back in.
class Countdown {
public:
    Countdown() = default;
    Countdown(float startSeconds, float remainingSeconds, bool isDone)
        : start(startSeconds), remaining(remainingSeconds), done(isDone) {}

    void update(float dt);
    void restart();

    float start = 0.0f;
    float remaining = 0.0f;
    bool done = false;
};

#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Polls until `done` holds or the limit passes; the limit only bounds a
// failing test, it never decides a result.
inline bool waitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

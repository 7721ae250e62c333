#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <SDL.h>

// One SDL audio device fed from a callback with 16-bit stereo at the mixer's
// rate. When the configured driver cannot open a device it falls back to
// SDL's dummy driver, whose thread still consumes audio in real time. The
// sound libraries' own error printing is kept off standard error.
class FmodOutput {
public:
    using Fill = std::function<void(int16_t* out, size_t frames)>;

    FmodOutput() = default;
    ~FmodOutput();

    // The fill function runs on SDL's audio thread. Any thread may open and
    // close outputs; SDL's audio set-up is serialised between them.
    bool open(Fill fill);
    // Stops the callback thread and closes the device; safe to call twice.
    void close();
    bool isOpen() const { return device != 0; }
    const std::string& driverName() const { return driver; }
    // No device opened and the output went to the silent dummy driver.
    bool fellBack() const { return dummyFallback; }

private:
    FmodOutput(const FmodOutput&) = delete;
    FmodOutput& operator=(const FmodOutput&) = delete;

    static void callback(void* userData, Uint8* stream, int len);
    bool openDevice();

    SDL_AudioDeviceID device = 0;
    bool dummyFallback = false;
    std::string driver;
    Fill fill;
};

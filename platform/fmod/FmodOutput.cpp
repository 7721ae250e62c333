#include "FmodOutput.h"

#include <cstring>

#include "FmodMixer.h"

FmodOutput::~FmodOutput() {
    close();
}

bool FmodOutput::open(Fill newFill) {
    close();
    fill = std::move(newFill);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (openDevice()) return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        // Another device still uses the driver: switching it would cut that one off.
        if (SDL_WasInit(SDL_INIT_AUDIO) != 0) return false;
    }
    // No usable device: the dummy driver keeps playback time moving.
    if (SDL_AudioInit("dummy") != 0) return false;
    dummyFallback = true;
    if (openDevice()) return true;
    SDL_AudioQuit();
    dummyFallback = false;
    return false;
}

bool FmodOutput::openDevice() {
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = FmodMixer::outputRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &FmodOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have;
    // No changes allowed: SDL converts to whatever the device really takes.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) return false;
    const char* name = SDL_GetCurrentAudioDriver();
    driver = name ? name : "";
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void FmodOutput::close() {
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    if (dummyFallback) {
        SDL_AudioQuit();
    } else {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    dummyFallback = false;
    driver.clear();
}

void FmodOutput::callback(void* userData, Uint8* stream, int len) {
    auto* self = static_cast<FmodOutput*>(userData);
    const size_t frames = static_cast<size_t>(len) / (2 * sizeof(int16_t));
    if (self->fill) {
        self->fill(reinterpret_cast<int16_t*>(stream), frames);
    } else {
        std::memset(stream, 0, static_cast<size_t>(len));
    }
}

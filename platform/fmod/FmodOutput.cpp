#include "FmodOutput.h"

#include <dlfcn.h>

#include <cstring>
#include <mutex>

#include "FmodMixer.h"

namespace {

std::mutex& audioSetUp() {
    static std::mutex* m = new std::mutex;
    return *m;
}

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints each step of a failed device look-up to standard error (eight
// or nine lines on a machine without a sound card) before SDL moves on. SDL
// loads this same library, so its one process-wide error handler silences
// it for SDL too.
void silenceAlsa() {
    static std::once_flag once;
    std::call_once(once, [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW);
        if (!alsa) return;  // no ALSA, nothing to silence; kept loaded for good
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
        if (setHandler) setHandler(&ignoreAlsaError);
    });
}

}  // namespace

FmodOutput::~FmodOutput() {
    close();
}

bool FmodOutput::open(Fill newFill) {
    close();
    std::lock_guard<std::mutex> lock(audioSetUp());
    silenceAlsa();
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
    std::lock_guard<std::mutex> lock(audioSetUp());
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

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "FmodSoundData.h"

// The software mixer: a fixed set of voices summed into interleaved 16-bit
// stereo at one output rate. It holds no lock; its owner serialises calls.
class FmodMixer {
public:
    static constexpr int outputRate = 44100;
    static constexpr int maxVoices = 4096;

    explicit FmodMixer(int voices);

    int voiceCount() const { return static_cast<int>(voices.size()); }

    // Starts a sound on voice `index`, or on a free voice when index is
    // negative, stealing the oldest when none is free. The voice takes
    // `generation`, which callers use to tell one use of a voice from the next.
    // Its settings usually follow in separate calls, so it joins the mix at
    // startPending, or after sitting out one block when none comes first; a
    // sound not yet ready holds the voice at its start until it is.
    // Returns the voice used.
    int play(std::shared_ptr<const FmodSoundData> sound, bool loop, bool paused, uint64_t generation, int index = -1);

    // True when the voice is in use by that generation (paused counts).
    bool isLive(int index, uint64_t generation) const;
    void startPending();
    void stop(int index);
    void stopAll();
    void stopSound(const FmodSoundData* sound);

    void setPaused(int index, bool paused);
    void setVolume(int index, float volume);
    void setPan(int index, float pan);
    void setFrequency(int index, float frequency);
    float getFrequency(int index) const;
    void setLoop(int index, bool loop);
    // Refuses a frame at or past the end of the sound.
    bool setPositionFrames(int index, unsigned frame);
    unsigned getPositionFrames(int index) const;
    const FmodSoundData& soundOf(int index) const;

    // Mixes the next `frames` stereo frames into `out` (2 x frames values);
    // non-looping voices that reach their end are freed here.
    void mix(int16_t* out, size_t frames);

private:
    struct Voice {
        std::shared_ptr<const FmodSoundData> sound;
        uint64_t generation = 0;
        bool active = false;
        bool paused = false;
        bool loop = false;
        bool starting = false;  // started since the last startPending
        float volume = 1.0f;
        float pan = 0.0f;
        float frequency = 0.0f;
        uint64_t position = 0;  // frames in 32.32 fixed point
        uint64_t step = 0;      // advance per output frame, 32.32
    };

    void mixVoice(Voice& v, size_t frames);

    std::vector<Voice> voices;
    std::vector<float> accumulator;
};

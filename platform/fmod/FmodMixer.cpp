#include "FmodMixer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double fixedOne = 4294967296.0;
// Far above any rate the player asks for; keeps the 32.32 step from overflowing.
constexpr float maxFrequency = 4.0e6f;

float sanitise(float value, float lo, float hi) {
    if (!(value >= lo)) return lo;  // also catches NaN
    return value > hi ? hi : value;
}

}  // namespace

FmodMixer::FmodMixer(int voiceCount)
    : voices(static_cast<size_t>(std::clamp(voiceCount, 1, maxVoices))) {}

int FmodMixer::play(std::shared_ptr<const FmodSoundData> sound, bool loop, bool paused, uint64_t generation,
                    int index) {
    if (index < 0 || index >= voiceCount()) {
        index = -1;
        uint64_t oldest = UINT64_MAX;
        int oldestIndex = 0;
        for (int i = 0; i < voiceCount(); ++i) {
            const Voice& v = voices[static_cast<size_t>(i)];
            if (!v.active) {
                index = i;
                break;
            }
            if (v.generation < oldest) {
                oldest = v.generation;
                oldestIndex = i;
            }
        }
        if (index < 0) index = oldestIndex;
    }
    Voice& v = voices[static_cast<size_t>(index)];
    v = Voice();
    v.sound = std::move(sound);
    v.generation = generation;
    v.active = true;
    v.starting = true;
    v.paused = paused;
    v.loop = loop;
    setFrequency(index, static_cast<float>(v.sound->rate));
    return index;
}

bool FmodMixer::isLive(int index, uint64_t generation) const {
    if (index < 0 || index >= voiceCount()) return false;
    const Voice& v = voices[static_cast<size_t>(index)];
    return v.active && v.generation == generation;
}

void FmodMixer::startPending() {
    for (Voice& v : voices) v.starting = false;
}

void FmodMixer::stop(int index) {
    Voice& v = voices[static_cast<size_t>(index)];
    v.active = false;
    v.sound.reset();
}

void FmodMixer::stopAll() {
    for (int i = 0; i < voiceCount(); ++i) stop(i);
}

void FmodMixer::stopSound(const FmodSoundData* sound) {
    for (int i = 0; i < voiceCount(); ++i) {
        if (voices[static_cast<size_t>(i)].sound.get() == sound) stop(i);
    }
}

void FmodMixer::setPaused(int index, bool paused) {
    voices[static_cast<size_t>(index)].paused = paused;
}

void FmodMixer::setVolume(int index, float volume) {
    // Kept as given; the mix clamps it.
    voices[static_cast<size_t>(index)].volume = volume;
}

void FmodMixer::setPan(int index, float pan) {
    voices[static_cast<size_t>(index)].pan = std::isnan(pan) ? 0.0f : std::clamp(pan, -1.0f, 1.0f);
}

void FmodMixer::setFrequency(int index, float frequency) {
    Voice& v = voices[static_cast<size_t>(index)];
    v.frequency = sanitise(frequency, 0.0f, maxFrequency);
    v.step = static_cast<uint64_t>(std::llround(static_cast<double>(v.frequency) / outputRate * fixedOne));
}

float FmodMixer::getFrequency(int index) const {
    return voices[static_cast<size_t>(index)].frequency;
}

void FmodMixer::setLoop(int index, bool loop) {
    voices[static_cast<size_t>(index)].loop = loop;
}

bool FmodMixer::setPositionFrames(int index, unsigned frame) {
    Voice& v = voices[static_cast<size_t>(index)];
    if (frame >= v.sound->frames()) return false;
    v.position = static_cast<uint64_t>(frame) << 32;
    return true;
}

unsigned FmodMixer::getPositionFrames(int index) const {
    return static_cast<unsigned>(voices[static_cast<size_t>(index)].position >> 32);
}

const FmodSoundData& FmodMixer::soundOf(int index) const {
    return *voices[static_cast<size_t>(index)].sound;
}

void FmodMixer::mix(int16_t* out, size_t frames) {
    accumulator.assign(frames * 2, 0.0f);
    for (Voice& v : voices) {
        if (!v.active) continue;
        if (v.starting) {
            v.starting = false;
            continue;
        }
        mixVoice(v, frames);
    }
    for (size_t i = 0; i < frames * 2; ++i) {
        float s = std::nearbyint(accumulator[i]);
        out[i] = static_cast<int16_t>(std::clamp(s, -32768.0f, 32767.0f));
    }
}

void FmodMixer::mixVoice(Voice& v, size_t frames) {
    const FmodSoundData& sound = *v.sound;
    if (!sound.ready) return;
    const uint64_t length = sound.frames();
    if (length == 0) {  // nothing to play, nor to loop
        v.active = false;
        v.sound.reset();
        return;
    }
    if (v.paused || v.step == 0) return;

    // Balance pan: the centre keeps full level on both sides.
    const float volume = sanitise(v.volume, 0.0f, 1.0f);
    const float left = volume * std::min(1.0f, 1.0f - v.pan);
    const float right = volume * std::min(1.0f, 1.0f + v.pan);
    const uint64_t end = length << 32;
    const int16_t* data = sound.samples.data();
    const bool stereo = sound.channels == 2;
    float* acc = accumulator.data();

    for (size_t f = 0; f < frames; ++f) {
        const uint64_t i = v.position >> 32;
        const float frac = static_cast<float>(v.position & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
        const uint64_t next = i + 1 < length ? i + 1 : (v.loop ? 0 : i);
        if (stereo) {
            const float l0 = data[2 * i], l1 = data[2 * next];
            const float r0 = data[2 * i + 1], r1 = data[2 * next + 1];
            acc[2 * f] += (l0 + (l1 - l0) * frac) * left;
            acc[2 * f + 1] += (r0 + (r1 - r0) * frac) * right;
        } else {
            const float s0 = data[i], s1 = data[next];
            const float s = s0 + (s1 - s0) * frac;
            acc[2 * f] += s * left;
            acc[2 * f + 1] += s * right;
        }
        v.position += v.step;
        if (v.position >= end) {
            if (!v.loop) {
                v.active = false;
                v.sound.reset();
                return;
            }
            v.position %= end;
        }
    }
}

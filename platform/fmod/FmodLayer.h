#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Controls of the sound layer beside its library calls: where systems send
// their mix, and a record of every call for diagnostics and tests.
namespace FmodLayer {

enum class Output {
    Device,  // SDL audio, falling back to SDL's dummy driver
    Manual   // no device: the mix advances only through mixManually
};

// Applies to systems initialised from now on.
void setOutput(Output output);
Output getOutput();

// Advances every open manual-output system by `frames` stereo frames at the
// mixer rate. When `out` is given the summed mix is appended to it.
void mixManually(size_t frames, std::vector<int16_t>* out = nullptr);

// Receives one line per library call, e.g.
// "FMOD_Channel_SetVolume(channel#7.0, 0.5)" or
// "FMOD_Channel_Stop(null) = FMOD_ERR_INVALID_HANDLE". Handles print as
// system#N, sound#N and channel#G.V (generation, voice); outputs follow "->".
void setCallObserver(std::function<void(const std::string&)> observer);

const char* resultName(int result);

// The SDL driver of the most recently opened device output ("" when none).
// Devices open on each system's worker; this waits for them.
std::string deviceDriver();

// Blocks until every open system's worker has opened its device and decoded
// every stream queued so far. Never from a call observer: it holds the lock.
void waitForWorkers();

// Runs on a system's worker before each block of a stream it decodes; a hook
// that blocks holds the decode there (a seam for tests).
void setDecodeHook(std::function<void()> hook);

// Runs once per device-output system, on its worker, when no audio device
// could be opened and the system plays into the silent dummy driver.
void setSilentOutputHandler(std::function<void()> handler);

}  // namespace FmodLayer

#include "fmod.h"

#include <algorithm>
#include <cinttypes>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "FmodLayer.h"
#include "FmodMixer.h"
#include "FmodOutput.h"
#include "FmodSoundData.h"

namespace {

struct DecodeJob {
    uint64_t sound = 0;
    std::string path;
    std::shared_ptr<FmodSoundData> target;  // shared with the sound's entry and its voices
};

struct SystemState {
    uint64_t id = 0;
    bool open = false;
    bool manual = false;
    std::unique_ptr<FmodMixer> mixer;
    std::unique_ptr<FmodOutput> output;
    // Opening a device and decoding streams take long: the system's worker
    // does both, so that no caller waits. Joined by FMOD_System_Close.
    std::thread worker;
    bool outputPending = false;
    std::deque<DecodeJob> decodes;
    bool decoding = false;
    bool stopping = false;
};

struct SoundEntry {
    uint64_t system = 0;
    FMOD_MODE mode = 0;
    std::shared_ptr<const FmodSoundData> data;
    unsigned streamFrames = 0;  // a stream's length from its header, until decoded
};

// The whole layer's state. One lock guards it, taken by every call and by the
// audio callback. Never destroyed: sounds may be released from static teardown.
struct Layer {
    std::recursive_mutex lock;
    std::map<uint64_t, std::unique_ptr<SystemState>> systems;  // closed ones stay, so their handles stay harmless
    std::map<uint64_t, SoundEntry> sounds;
    uint64_t nextSystem = 1;
    uint64_t nextSound = 1;
    uint64_t nextGeneration = 1;
    FmodLayer::Output output = FmodLayer::Output::Device;
    std::string lastDriver;
    std::function<void(const std::string&)> observer;
    std::function<void()> decodeHook;
    std::function<void()> silentOutputHandler;
    // Signalled whenever a worker has work or finishes some.
    std::condition_variable_any changed;
};

Layer& layer() {
    static Layer* l = new Layer;
    return *l;
}

using Guard = std::lock_guard<std::recursive_mutex>;

constexpr int voiceBits = 12;
constexpr uint64_t voiceMask = (uint64_t(1) << voiceBits) - 1;

uint64_t idOf(const void* handle) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

template <class T>
T* handleOf(uint64_t id) {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(id));
}

// ---- call records ----

std::string text(const FMOD_SYSTEM* s) {
    return s ? "system#" + std::to_string(idOf(s)) : "null";
}
std::string text(const FMOD_SOUND* s) {
    return s ? "sound#" + std::to_string(idOf(s)) : "null";
}
std::string text(const FMOD_CHANNEL* c) {
    if (!c) return "null";
    uint64_t v = idOf(c);
    return "channel#" + std::to_string(v >> voiceBits) + "." + std::to_string(v & voiceMask);
}
std::string text(const char* s) {
    return s ? std::string("\"") + s + "\"" : "null";
}
std::string text(float f) {
    char buf[48];
    std::snprintf(buf, sizeof(buf), "%g", static_cast<double>(f));
    return buf;
}
std::string text(int i) {
    return std::to_string(i);
}
std::string text(unsigned u) {
    return std::to_string(u);
}
std::string hex(unsigned u) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "0x%x", u);
    return buf;
}
std::string text(const void* p) {
    return p ? "data" : "null";
}

template <class... Args>
std::string call(const char* name, const Args&... args) {
    std::string line = name;
    line += '(';
    bool first = true;
    ((line += (first ? "" : ", "), line += args, first = false), ...);
    line += ')';
    return line;
}

FMOD_RESULT done(FMOD_RESULT result, const std::string& line, const std::string& out = std::string()) {
    Layer& l = layer();
    if (l.observer) {
        std::string full = line;
        if (result != FMOD_OK) {
            full += " = ";
            full += FmodLayer::resultName(result);
        } else if (!out.empty()) {
            full += " -> ";
            full += out;
        }
        l.observer(full);
    }
    return result;
}

// ---- handle look-up (lock held) ----

SystemState* findSystem(FMOD_SYSTEM* system) {
    if (!system) return nullptr;
    auto it = layer().systems.find(idOf(system));
    return it == layer().systems.end() ? nullptr : it->second.get();
}

SoundEntry* findSound(FMOD_SOUND* sound) {
    if (!sound) return nullptr;
    auto it = layer().sounds.find(idOf(sound));
    return it == layer().sounds.end() ? nullptr : &it->second;
}

struct ChannelRef {
    FmodMixer* mixer = nullptr;
    int voice = -1;
};

// A channel handle is live only while its voice still runs the same
// generation; generations are never reused, across systems too.
FMOD_RESULT findChannel(FMOD_CHANNEL* channel, ChannelRef& ref) {
    if (!channel) return FMOD_ERR_INVALID_HANDLE;
    const uint64_t value = idOf(channel);
    const uint64_t generation = value >> voiceBits;
    const int voice = static_cast<int>(value & voiceMask);
    for (auto& entry : layer().systems) {
        SystemState& s = *entry.second;
        if (s.open && s.mixer->isLive(voice, generation)) {
            ref.mixer = s.mixer.get();
            ref.voice = voice;
            return FMOD_OK;
        }
    }
    return FMOD_ERR_INVALID_HANDLE;
}

void fillFrom(SystemState* state, int16_t* out, size_t frames) {
    Guard g(layer().lock);
    if (state->open && state->mixer) {
        state->mixer->mix(out, frames);
    } else {
        std::memset(out, 0, frames * 2 * sizeof(int16_t));
    }
}

bool busy(const SystemState& s) {
    return s.open && (s.outputPending || s.decoding || !s.decodes.empty());
}

void openOutput(SystemState* s, std::unique_lock<std::recursive_mutex>& g) {
    Layer& l = layer();
    auto output = std::make_unique<FmodOutput>();
    const std::function<void()> silent = l.silentOutputHandler;
    g.unlock();
    const bool opened = output->open([s](int16_t* out, size_t frames) { fillFrom(s, out, frames); });
    if (opened && output->fellBack() && silent) silent();
    g.lock();
    // A device that cannot open at all leaves the system open and silent, its voices held.
    if (opened) {
        l.lastDriver = output->driverName();
        s->output = std::move(output);
    }
    s->outputPending = false;
}

std::shared_ptr<FmodSoundData> decodeStream(SystemState* s, const std::string& path) {
    FMOD_RESULT error = FMOD_OK;
    return FmodSoundData::decode(path, error, [s] {
        std::function<void()> hook;
        {
            Guard g(layer().lock);
            hook = layer().decodeHook;
        }
        if (hook) hook();
        Guard g(layer().lock);
        return !s->stopping;
    });
}

void runWorker(SystemState* s) {
    Layer& l = layer();
    std::unique_lock<std::recursive_mutex> g(l.lock);
    if (s->outputPending && !s->stopping) {
        openOutput(s, g);
        l.changed.notify_all();
    }
    for (;;) {
        l.changed.wait(g, [s] { return s->stopping || !s->decodes.empty(); });
        if (s->stopping) return;
        DecodeJob job = std::move(s->decodes.front());
        s->decodes.pop_front();
        s->decoding = true;
        g.unlock();
        std::shared_ptr<FmodSoundData> data = decodeStream(s, job.path);
        g.lock();
        s->decoding = false;
        // A stream that fails midway becomes an empty sound: its voices end.
        if (data) {
            job.target->channels = data->channels;
            job.target->rate = data->rate;
            job.target->samples = std::move(data->samples);
        }
        job.target->ready = true;
        l.changed.notify_all();
    }
}

// Lock held.
void startWorker(SystemState& s) {
    if (!s.worker.joinable()) s.worker = std::thread(runWorker, &s);
    layer().changed.notify_all();
}

// Rounds up, so the frame reads back as the same millisecond.
uint64_t msToFrames(unsigned ms, int rate) {
    return (static_cast<uint64_t>(ms) * static_cast<uint64_t>(rate) + 999u) / 1000u;
}

unsigned framesToMs(uint64_t frames, int rate) {
    return static_cast<unsigned>(frames * 1000u / static_cast<uint64_t>(rate));
}

}  // namespace

// ---- layer controls ----

namespace FmodLayer {

void setOutput(Output output) {
    Guard g(layer().lock);
    layer().output = output;
}

Output getOutput() {
    Guard g(layer().lock);
    return layer().output;
}

void mixManually(size_t frames, std::vector<int16_t>* out) {
    Guard g(layer().lock);
    std::vector<int32_t> sum(out ? frames * 2 : 0, 0);
    std::vector<int16_t> block(frames * 2);
    for (auto& entry : layer().systems) {
        SystemState& s = *entry.second;
        if (!s.open || !s.manual) continue;
        s.mixer->mix(block.data(), frames);
        if (out) {
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += block[i];
        }
    }
    if (out) {
        for (int32_t v : sum) out->push_back(static_cast<int16_t>(std::clamp(v, -32768, 32767)));
    }
}

void setCallObserver(std::function<void(const std::string&)> observer) {
    Guard g(layer().lock);
    layer().observer = std::move(observer);
}

const char* resultName(int result) {
    switch (result) {
        case FMOD_OK: return "FMOD_OK";
        case FMOD_ERR_INVALID_HANDLE: return "FMOD_ERR_INVALID_HANDLE";
        case FMOD_ERR_INVALID_PARAM: return "FMOD_ERR_INVALID_PARAM";
        case FMOD_ERR_INVALID_POSITION: return "FMOD_ERR_INVALID_POSITION";
        case FMOD_ERR_UNINITIALIZED: return "FMOD_ERR_UNINITIALIZED";
        case FMOD_ERR_INITIALIZED: return "FMOD_ERR_INITIALIZED";
        case FMOD_ERR_FILE_NOTFOUND: return "FMOD_ERR_FILE_NOTFOUND";
        case FMOD_ERR_FORMAT: return "FMOD_ERR_FORMAT";
        case FMOD_ERR_MEMORY: return "FMOD_ERR_MEMORY";
        case FMOD_ERR_OUTPUT_INIT: return "FMOD_ERR_OUTPUT_INIT";
        default: return "FMOD_ERR_UNKNOWN";
    }
}

std::string deviceDriver() {
    waitForWorkers();
    Guard g(layer().lock);
    return layer().lastDriver;
}

void waitForWorkers() {
    Layer& l = layer();
    std::unique_lock<std::recursive_mutex> g(l.lock);
    l.changed.wait(g, [&l] {
        return std::none_of(l.systems.begin(), l.systems.end(), [](const auto& entry) { return busy(*entry.second); });
    });
}

void setDecodeHook(std::function<void()> hook) {
    Guard g(layer().lock);
    layer().decodeHook = std::move(hook);
}

void setSilentOutputHandler(std::function<void()> handler) {
    Guard g(layer().lock);
    layer().silentOutputHandler = std::move(handler);
}

}  // namespace FmodLayer

// ---- system ----

FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system) {
    Layer& l = layer();
    Guard g(l.lock);
    const std::string line = call("FMOD_System_Create");
    if (!system) return done(FMOD_ERR_INVALID_PARAM, line);
    auto state = std::make_unique<SystemState>();
    state->id = l.nextSystem++;
    *system = handleOf<FMOD_SYSTEM>(state->id);
    l.systems[state->id] = std::move(state);
    return done(FMOD_OK, line, text(*system));
}

FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData) {
    Layer& l = layer();
    Guard g(l.lock);
    const std::string line = call("FMOD_System_Init", text(system), text(maxChannels), hex(flags), text(extraDriverData));
    SystemState* s = findSystem(system);
    if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (s->open) return done(FMOD_ERR_INITIALIZED, line);
    if (maxChannels < 1 || maxChannels > FmodMixer::maxVoices) return done(FMOD_ERR_INVALID_PARAM, line);
    s->mixer = std::make_unique<FmodMixer>(maxChannels);
    s->manual = l.output == FmodLayer::Output::Manual;
    s->stopping = false;
    s->open = true;
    // Voices played before the device opens wait for it.
    if (!s->manual) {
        // The audio library asks for a session bus as it starts. With none
        // named, the bus library forks a launcher; forked from the worker of
        // a busy process the child can hang before its exec, and with it the
        // worker and quitting. Sound needs no bus: ask it for none (set here,
        // on the caller's thread, since the environment is not thread-safe).
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        s->outputPending = true;
        startWorker(*s);
    }
    return done(FMOD_OK, line);
}

FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* system) {
    Layer& l = layer();
    SystemState* s = nullptr;
    std::thread worker;
    FMOD_RESULT result;
    {
        Guard g(l.lock);
        const std::string line = call("FMOD_System_Close", text(system));
        s = findSystem(system);
        if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
        if (!s->open) return done(FMOD_ERR_UNINITIALIZED, line);
        s->mixer->stopAll();
        s->open = false;
        for (auto it = l.sounds.begin(); it != l.sounds.end();) {
            it = it->second.system == s->id ? l.sounds.erase(it) : std::next(it);
        }
        s->stopping = true;
        s->decodes.clear();
        worker = std::move(s->worker);
        l.changed.notify_all();
        result = done(FMOD_OK, line);
    }
    // A decode stops at its next block; a device being opened finishes opening.
    if (worker.joinable()) worker.join();
    std::unique_ptr<FmodOutput> output;
    {
        Guard g(l.lock);
        output = std::move(s->output);
        s->outputPending = false;
    }
    // Joins SDL's audio thread, which may be waiting for the lock.
    if (output) output->close();
    Guard g(l.lock);
    if (!s->open) s->mixer.reset();
    return result;
}

FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_System_Update", text(system));
    SystemState* s = findSystem(system);
    if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (!s->open) return done(FMOD_ERR_UNINITIALIZED, line);
    // Voices are freed by the mix as they end; what is left is to let the
    // channels started since the last update sound, their settings now made.
    s->mixer->startPending();
    return done(FMOD_OK, line);
}

FMOD_RESULT FMOD_System_GetMasterChannelGroup(FMOD_SYSTEM* system, FMOD_CHANNELGROUP** group) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_System_GetMasterChannelGroup", text(system));
    SystemState* s = findSystem(system);
    if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (!s->open) return done(FMOD_ERR_UNINITIALIZED, line);
    if (!group) return done(FMOD_ERR_INVALID_PARAM, line);
    // The group has no controls of its own; its handle names the system.
    *group = handleOf<FMOD_CHANNELGROUP>(s->id);
    return done(FMOD_OK, line, "group#" + std::to_string(s->id));
}

FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* name, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exInfo, FMOD_SOUND** sound) {
    Layer& l = layer();
    const std::string line = call("FMOD_System_CreateSound", text(system), text(name), hex(mode),
                                  text(static_cast<const void*>(exInfo)));
    {
        Guard g(l.lock);
        if (sound) *sound = nullptr;
        SystemState* s = findSystem(system);
        if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
        if (!s->open) return done(FMOD_ERR_UNINITIALIZED, line);
        if (!name || !sound || exInfo) return done(FMOD_ERR_INVALID_PARAM, line);
        if ((mode & FMOD_LOOP_OFF) && (mode & FMOD_LOOP_NORMAL)) return done(FMOD_ERR_INVALID_PARAM, line);
    }
    // Decoding takes a while; the audio thread must not wait for it. A
    // stream's header is read here and the rest on the system's worker.
    const bool stream = (mode & FMOD_CREATESTREAM) != 0;
    FMOD_RESULT error = FMOD_OK;
    unsigned streamFrames = 0;
    std::shared_ptr<FmodSoundData> data;
    if (stream) {
        data = std::make_shared<FmodSoundData>();
        data->ready = false;
        error = FmodSoundData::probe(name, *data, streamFrames);
        if (error != FMOD_OK) data.reset();
    } else {
        data = FmodSoundData::decode(name, error);
    }
    Guard g(l.lock);
    if (!data) return done(error, line);
    SystemState* s = findSystem(system);
    if (!s || !s->open) return done(FMOD_ERR_UNINITIALIZED, line);
    const uint64_t id = l.nextSound++;
    l.sounds[id] = SoundEntry{s->id, mode, data, streamFrames};
    if (stream) {
        s->decodes.push_back(DecodeJob{id, name, data});
        startWorker(*s);
    }
    *sound = handleOf<FMOD_SOUND>(id);
    return done(FMOD_OK, line, text(*sound));
}

FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_CHANNELINDEX channelId, FMOD_SOUND* sound,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channel) {
    Layer& l = layer();
    Guard g(l.lock);
    const std::string line = call("FMOD_System_PlaySound", text(system), text(channelId), text(sound), text(paused));
    if (channel) *channel = nullptr;
    SystemState* s = findSystem(system);
    if (!s) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (!s->open) return done(FMOD_ERR_UNINITIALIZED, line);
    SoundEntry* entry = findSound(sound);
    if (!entry || entry->system != s->id) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (channelId != FMOD_CHANNEL_FREE && (channelId < 0 || channelId >= s->mixer->voiceCount())) {
        return done(FMOD_ERR_INVALID_PARAM, line);
    }
    // A stream asked for before it is decoded goes to the head of the queue.
    auto queued = std::find_if(s->decodes.begin(), s->decodes.end(),
                               [sound](const DecodeJob& job) { return job.sound == idOf(sound); });
    if (queued != s->decodes.end()) std::rotate(s->decodes.begin(), queued, std::next(queued));
    const uint64_t generation = l.nextGeneration++;
    const int voice = s->mixer->play(entry->data, (entry->mode & FMOD_LOOP_NORMAL) != 0, paused != 0, generation,
                                     channelId);
    FMOD_CHANNEL* handle = handleOf<FMOD_CHANNEL>((generation << voiceBits) | static_cast<uint64_t>(voice));
    if (channel) *channel = handle;
    return done(FMOD_OK, line, text(handle));
}

// ---- sound ----

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound) {
    Layer& l = layer();
    Guard g(l.lock);
    const std::string line = call("FMOD_Sound_Release", text(sound));
    SoundEntry* entry = findSound(sound);
    if (!entry) return done(FMOD_ERR_INVALID_HANDLE, line);
    SystemState* s = l.systems.at(entry->system).get();
    if (s->open) s->mixer->stopSound(entry->data.get());
    auto& queue = s->decodes;
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [sound](const DecodeJob& job) { return job.sound == idOf(sound); }),
                queue.end());
    l.sounds.erase(idOf(sound));
    return done(FMOD_OK, line);
}

FMOD_RESULT FMOD_Sound_GetLength(FMOD_SOUND* sound, unsigned int* length, FMOD_TIMEUNIT lengthType) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Sound_GetLength", text(sound), hex(lengthType));
    SoundEntry* entry = findSound(sound);
    if (!entry) return done(FMOD_ERR_INVALID_HANDLE, line);
    if (!length) return done(FMOD_ERR_INVALID_PARAM, line);
    const FmodSoundData& data = *entry->data;
    const unsigned frames = data.ready ? data.frames() : entry->streamFrames;
    if (lengthType == FMOD_TIMEUNIT_PCM) {
        *length = frames;
    } else if (lengthType == FMOD_TIMEUNIT_MS) {
        *length = framesToMs(frames, data.rate);
    } else {
        return done(FMOD_ERR_INVALID_PARAM, line);
    }
    return done(FMOD_OK, line, text(*length));
}

// ---- channel ----

namespace {

// The channel setters share one shape: record the call, find the live voice
// behind the handle, change it only when the handle is still valid.
template <class Act, class... Args>
FMOD_RESULT onChannel(const char* name, FMOD_CHANNEL* channel, Act act, Args... args) {
    Guard g(layer().lock);
    const std::string line = call(name, text(channel), text(args)...);
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    if (r == FMOD_OK) act(c);
    return done(r, line);
}

}  // namespace

FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel) {
    return onChannel("FMOD_Channel_Stop", channel, [](ChannelRef& c) { c.mixer->stop(c.voice); });
}

FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* channel, FMOD_BOOL paused) {
    return onChannel("FMOD_Channel_SetPaused", channel,
                     [&](ChannelRef& c) { c.mixer->setPaused(c.voice, paused != 0); }, paused);
}

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume) {
    return onChannel("FMOD_Channel_SetVolume", channel,
                     [&](ChannelRef& c) { c.mixer->setVolume(c.voice, volume); }, volume);
}

FMOD_RESULT FMOD_Channel_SetPan(FMOD_CHANNEL* channel, float pan) {
    return onChannel("FMOD_Channel_SetPan", channel, [&](ChannelRef& c) { c.mixer->setPan(c.voice, pan); }, pan);
}

FMOD_RESULT FMOD_Channel_SetFrequency(FMOD_CHANNEL* channel, float frequency) {
    return onChannel("FMOD_Channel_SetFrequency", channel,
                     [&](ChannelRef& c) { c.mixer->setFrequency(c.voice, frequency); }, frequency);
}

FMOD_RESULT FMOD_Channel_GetFrequency(FMOD_CHANNEL* channel, float* frequency) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Channel_GetFrequency", text(channel));
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    if (r != FMOD_OK) return done(r, line);
    if (!frequency) return done(FMOD_ERR_INVALID_PARAM, line);
    *frequency = c.mixer->getFrequency(c.voice);
    return done(FMOD_OK, line, text(*frequency));
}

FMOD_RESULT FMOD_Channel_SetMode(FMOD_CHANNEL* channel, FMOD_MODE mode) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Channel_SetMode", text(channel), hex(mode));
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    if (r != FMOD_OK) return done(r, line);
    if ((mode & FMOD_LOOP_OFF) && (mode & FMOD_LOOP_NORMAL)) return done(FMOD_ERR_INVALID_PARAM, line);
    if (mode & FMOD_LOOP_NORMAL) c.mixer->setLoop(c.voice, true);
    if (mode & FMOD_LOOP_OFF) c.mixer->setLoop(c.voice, false);
    return done(FMOD_OK, line);
}

FMOD_RESULT FMOD_Channel_SetPosition(FMOD_CHANNEL* channel, unsigned int position, FMOD_TIMEUNIT unit) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Channel_SetPosition", text(channel), text(position), hex(unit));
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    if (r != FMOD_OK) return done(r, line);
    uint64_t frame;
    if (unit == FMOD_TIMEUNIT_PCM) {
        frame = position;
    } else if (unit == FMOD_TIMEUNIT_MS) {
        frame = msToFrames(position, c.mixer->soundOf(c.voice).rate);
    } else {
        return done(FMOD_ERR_INVALID_PARAM, line);
    }
    if (frame > UINT32_MAX || !c.mixer->setPositionFrames(c.voice, static_cast<unsigned>(frame))) {
        return done(FMOD_ERR_INVALID_POSITION, line);
    }
    return done(FMOD_OK, line);
}

FMOD_RESULT FMOD_Channel_GetPosition(FMOD_CHANNEL* channel, unsigned int* position, FMOD_TIMEUNIT unit) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Channel_GetPosition", text(channel), hex(unit));
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    if (r != FMOD_OK) return done(r, line);
    if (!position) return done(FMOD_ERR_INVALID_PARAM, line);
    const unsigned frame = c.mixer->getPositionFrames(c.voice);
    if (unit == FMOD_TIMEUNIT_PCM) {
        *position = frame;
    } else if (unit == FMOD_TIMEUNIT_MS) {
        *position = framesToMs(frame, c.mixer->soundOf(c.voice).rate);
    } else {
        return done(FMOD_ERR_INVALID_PARAM, line);
    }
    return done(FMOD_OK, line, text(*position));
}

FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* isPlaying) {
    Guard g(layer().lock);
    const std::string line = call("FMOD_Channel_IsPlaying", text(channel));
    if (!isPlaying) return done(FMOD_ERR_INVALID_PARAM, line);
    ChannelRef c;
    FMOD_RESULT r = findChannel(channel, c);
    // A channel that ended reports not playing along with the stale-handle error.
    *isPlaying = r == FMOD_OK ? 1 : 0;
    return done(r, line, text(*isPlaying));
}

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <future>
#include <iterator>

#include "FmodSoundData.h"
#include "FmodTestSupport.h"
#include "fmod.h"

using fmodtest::ScratchDir;
using fmodtest::writeConstant;
using fmodtest::writeSound;

namespace {

// A manually mixed system with 32 voices.
class FmodLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        FmodLayer::setOutput(FmodLayer::Output::Manual);
        ASSERT_EQ(FMOD_OK, FMOD_System_Create(&sys));
        ASSERT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
    }
    void TearDown() override { FMOD_System_Close(sys); }

    FMOD_SOUND* load(const std::string& path) {
        FMOD_SOUND* s = nullptr;
        EXPECT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, path.c_str(), FMOD_SOFTWARE, nullptr, &s));
        return s;
    }
    FMOD_SOUND* constant(const std::string& name, int rate, unsigned frames, int16_t level) {
        EXPECT_TRUE(writeConstant(dir.file(name), rate, frames, level));
        return load(dir.file(name));
    }
    FMOD_CHANNEL* play(FMOD_SOUND* s, bool paused = false) {
        FMOD_CHANNEL* c = nullptr;
        EXPECT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, paused, &c));
        FMOD_System_Update(sys);  // as the player does after setting the channel up
        return c;
    }
    static bool playing(FMOD_CHANNEL* c) {
        FMOD_BOOL p = 0;
        FMOD_Channel_IsPlaying(c, &p);
        return p != 0;
    }
    static unsigned position(FMOD_CHANNEL* c, FMOD_TIMEUNIT unit = FMOD_TIMEUNIT_PCM) {
        unsigned p = 12345;
        EXPECT_EQ(FMOD_OK, FMOD_Channel_GetPosition(c, &p, unit));
        return p;
    }
    static unsigned length(FMOD_SOUND* s, FMOD_TIMEUNIT unit) {
        unsigned l = 0;
        EXPECT_EQ(FMOD_OK, FMOD_Sound_GetLength(s, &l, unit));
        return l;
    }
    static float frequency(FMOD_CHANNEL* c) {
        float f = 0.0f;
        EXPECT_EQ(FMOD_OK, FMOD_Channel_GetFrequency(c, &f));
        return f;
    }
    // One mixed frame as (left, right).
    static std::pair<int, int> mixFrame() {
        std::vector<int16_t> out;
        FmodLayer::mixManually(1, &out);
        return {out[0], out[1]};
    }

    ScratchDir dir;
    FMOD_SYSTEM* sys = nullptr;
};

TEST_F(FmodLayerTest, StaleChannelHandlesFailAndTouchNothing) {
    FMOD_SOUND* s = constant("a.wav", 44100, 1000, 10000);
    FMOD_CHANNEL* first = play(s);
    EXPECT_EQ(FMOD_OK, FMOD_Channel_Stop(first));
    EXPECT_FALSE(playing(first));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_Stop(first));

    // The next play takes the same voice; the old handle must not reach it.
    FMOD_CHANNEL* second = play(s);
    EXPECT_NE(first, second);
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetVolume(first, 0.0f));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetPaused(first, 1));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_Stop(first));
    EXPECT_EQ(std::make_pair(10000, 10000), mixFrame());
}

TEST_F(FmodLayerTest, NullHandlesGiveErrors) {
    float f = 1.0f;
    unsigned u = 7;
    FMOD_BOOL b = 1;
    FMOD_SOUND* sound = nullptr;
    FMOD_CHANNEL* channel = nullptr;
    FMOD_CHANNELGROUP* group = nullptr;
    for (FMOD_RESULT r :
         {FMOD_Channel_Stop(nullptr), FMOD_Channel_SetPaused(nullptr, 1), FMOD_Channel_SetVolume(nullptr, 1.0f),
          FMOD_Channel_SetPan(nullptr, 1.0f), FMOD_Channel_SetFrequency(nullptr, 1.0f),
          FMOD_Channel_GetFrequency(nullptr, &f), FMOD_Channel_SetMode(nullptr, FMOD_LOOP_NORMAL),
          FMOD_Channel_SetPosition(nullptr, 0, FMOD_TIMEUNIT_PCM),
          FMOD_Channel_GetPosition(nullptr, &u, FMOD_TIMEUNIT_PCM), FMOD_Channel_IsPlaying(nullptr, &b),
          FMOD_Sound_Release(nullptr), FMOD_Sound_GetLength(nullptr, &u, FMOD_TIMEUNIT_PCM),
          FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, nullptr, 0, &channel),
          FMOD_System_PlaySound(nullptr, FMOD_CHANNEL_FREE, nullptr, 0, &channel),
          FMOD_System_CreateSound(nullptr, "x.wav", FMOD_SOFTWARE, nullptr, &sound),
          FMOD_System_Init(nullptr, 32, 0, nullptr), FMOD_System_Update(nullptr), FMOD_System_Close(nullptr),
          FMOD_System_GetMasterChannelGroup(nullptr, &group)}) {
        EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, r);
    }
    EXPECT_EQ(0, b);
    EXPECT_EQ(nullptr, channel);
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_Create(nullptr));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_CreateSound(sys, nullptr, FMOD_SOFTWARE, nullptr, &sound));

    // Missing output pointers on a live channel.
    FMOD_CHANNEL* c = play(constant("a.wav", 44100, 10, 1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_GetFrequency(c, nullptr));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_GetPosition(c, nullptr, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_IsPlaying(c, nullptr));
}

TEST_F(FmodLayerTest, SoundEndsWhenItsFramesRunOutAtItsPlaybackRate) {
    // 2205 frames at 22050 Hz: 0.1 s, so 4410 output frames at the file's rate.
    FMOD_SOUND* s = constant("tenth.wav", 22050, 2205, 100);
    FMOD_CHANNEL* c = play(s);
    EXPECT_EQ(22050.0f, frequency(c));
    FmodLayer::mixManually(4409);
    EXPECT_TRUE(playing(c));
    EXPECT_EQ(2204u, position(c));
    FmodLayer::mixManually(1);
    EXPECT_FALSE(playing(c));
    EXPECT_EQ(std::make_pair(0, 0), mixFrame());

    // Twice the file's rate halves the time.
    c = play(s);
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 44100.0f));
    FmodLayer::mixManually(2204);
    EXPECT_TRUE(playing(c));
    FmodLayer::mixManually(1);
    EXPECT_FALSE(playing(c));

    // Frequency 0 holds the voice where it is, silently.
    c = play(s);
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 0.0f));
    EXPECT_EQ(std::make_pair(0, 0), mixFrame());
    FmodLayer::mixManually(10000);
    EXPECT_TRUE(playing(c));
    EXPECT_EQ(0u, position(c));
}

TEST_F(FmodLayerTest, ResamplingInterpolatesBetweenFrames) {
    // Frame i holds 2i; at half the output rate each frame is heard twice,
    // the second time halfway to the next.
    std::vector<int16_t> ramp(100);
    for (int i = 0; i < 100; ++i) ramp[static_cast<size_t>(i)] = static_cast<int16_t>(2 * i);
    ASSERT_TRUE(writeSound(dir.file("ramp.wav"), 22050, 1, ramp));
    FMOD_CHANNEL* c = play(load(dir.file("ramp.wav")));
    std::vector<int16_t> out;
    FmodLayer::mixManually(6, &out);
    EXPECT_EQ((std::vector<int16_t>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}), out);

    // A quarter of the output rate.
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 11025.0f));
    out.clear();
    FmodLayer::mixManually(4, &out);
    // 6, 6.5, 7, 7.5: halves round to even.
    EXPECT_EQ((std::vector<int16_t>{6, 6, 6, 6, 7, 7, 8, 8}), out);
}

TEST_F(FmodLayerTest, PausedChannelCountsAsPlayingAndHoldsItsPlace) {
    FMOD_CHANNEL* c = play(constant("a.wav", 44100, 1000, 3000));
    FmodLayer::mixManually(300);
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPaused(c, 1));
    FmodLayer::mixManually(5000);
    EXPECT_TRUE(playing(c));
    EXPECT_EQ(300u, position(c));
    EXPECT_EQ(std::make_pair(0, 0), mixFrame());
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPaused(c, 0));
    FmodLayer::mixManually(700);
    EXPECT_FALSE(playing(c));

    // Started paused: silent and still until resumed.
    c = play(constant("b.wav", 44100, 10, 3000), true);
    EXPECT_EQ(std::make_pair(0, 0), mixFrame());
    EXPECT_TRUE(playing(c));
    FMOD_Channel_SetPaused(c, 0);
    EXPECT_EQ(std::make_pair(3000, 3000), mixFrame());
}

TEST_F(FmodLayerTest, FreeTakesAFreeVoiceElseStealsTheOldest) {
    FMOD_SOUND* s = constant("a.wav", 44100, 100000, 1);
    std::vector<FMOD_CHANNEL*> channels;
    for (int i = 0; i < 32; ++i) channels.push_back(play(s));

    // A stopped voice is free again, so nothing is stolen for the next play.
    FMOD_Channel_Stop(channels[5]);
    FMOD_CHANNEL* reused = play(s);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(i != 5, playing(channels[static_cast<size_t>(i)])) << i;

    // All busy: the oldest (the first started) goes, then the next oldest.
    FMOD_CHANNEL* stealer = play(s);
    EXPECT_FALSE(playing(channels[0]));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetVolume(channels[0], 0.5f));
    play(s);
    EXPECT_FALSE(playing(channels[1]));
    EXPECT_TRUE(playing(channels[2]));
    EXPECT_TRUE(playing(reused));
    EXPECT_TRUE(playing(stealer));

    // A named voice replaces whatever it plays.
    FMOD_CHANNEL* named = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, 2, s, 0, &named));
    EXPECT_FALSE(playing(channels[2]));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_PlaySound(sys, 32, s, 0, &named));
}

TEST_F(FmodLayerTest, PositionsInFramesAndMillisecondsPastTheEndRefused) {
    FMOD_SOUND* s = constant("a.wav", 8000, 8000, 1);
    EXPECT_EQ(8000u, length(s, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(1000u, length(s, FMOD_TIMEUNIT_MS));

    FMOD_CHANNEL* c = play(s);
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPosition(c, 500, FMOD_TIMEUNIT_MS));
    EXPECT_EQ(4000u, position(c));
    EXPECT_EQ(500u, position(c, FMOD_TIMEUNIT_MS));
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPosition(c, 7999, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 8000, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 1000, FMOD_TIMEUNIT_MS));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 0xFFFFFFFFu, FMOD_TIMEUNIT_MS));
    EXPECT_EQ(7999u, position(c));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_SetPosition(c, 0, 4));
    // 8000 Hz in a 44100 Hz mix: the last frame lasts 5.5 output frames.
    FmodLayer::mixManually(5);
    EXPECT_TRUE(playing(c));
    FmodLayer::mixManually(1);
    EXPECT_FALSE(playing(c));
}

TEST_F(FmodLayerTest, MixAppliesClampedVolumeAndBalancePan) {
    FMOD_SOUND* s = constant("a.wav", 44100, 1000, 16000);
    FMOD_CHANNEL* c = play(s);
    EXPECT_EQ(std::make_pair(16000, 16000), mixFrame());
    FMOD_Channel_SetVolume(c, 0.5f);
    EXPECT_EQ(std::make_pair(8000, 8000), mixFrame());
    FMOD_Channel_SetPan(c, -1.0f);
    EXPECT_EQ(std::make_pair(8000, 0), mixFrame());
    FMOD_Channel_SetPan(c, 0.5f);
    EXPECT_EQ(std::make_pair(4000, 8000), mixFrame());
    FMOD_Channel_SetPan(c, 7.0f);  // beyond the right edge
    EXPECT_EQ(std::make_pair(0, 8000), mixFrame());
    FMOD_Channel_SetPan(c, 0.0f);
    FMOD_Channel_SetVolume(c, 3.0f);
    EXPECT_EQ(std::make_pair(16000, 16000), mixFrame());
    FMOD_Channel_SetVolume(c, -1.0f);
    EXPECT_EQ(std::make_pair(0, 0), mixFrame());

    // Voices add up and the sum saturates.
    FMOD_Channel_SetVolume(c, 1.0f);
    play(s);
    play(s);
    EXPECT_EQ(std::make_pair(32767, 32767), mixFrame());
}

TEST_F(FmodLayerTest, StereoSoundKeepsItsSides) {
    ASSERT_TRUE(writeSound(dir.file("st.wav"), 44100, 2, {1000, -2000, 1000, -2000, 1000, -2000}));
    FMOD_SOUND* s = load(dir.file("st.wav"));
    EXPECT_EQ(3u, length(s, FMOD_TIMEUNIT_PCM));
    FMOD_CHANNEL* c = play(s);
    EXPECT_EQ(std::make_pair(1000, -2000), mixFrame());
    FMOD_Channel_SetPan(c, 0.5f);
    EXPECT_EQ(std::make_pair(500, -2000), mixFrame());
}

TEST_F(FmodLayerTest, ReleasingASoundStopsItsVoicesFirst) {
    FMOD_SOUND* s = constant("a.wav", 44100, 1000, 700);
    FMOD_CHANNEL* a = play(s);
    FMOD_CHANNEL* b = play(s);
    FMOD_CHANNEL* other = play(constant("b.wav", 44100, 1000, 50));
    ASSERT_EQ(FMOD_OK, FMOD_Sound_Release(s));
    EXPECT_FALSE(playing(a));
    EXPECT_FALSE(playing(b));
    EXPECT_TRUE(playing(other));
    EXPECT_EQ(std::make_pair(50, 50), mixFrame());
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Sound_Release(s));
    FMOD_CHANNEL* c = reinterpret_cast<FMOD_CHANNEL*>(1);
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 0, &c));
    EXPECT_EQ(nullptr, c);
}

TEST_F(FmodLayerTest, ClosingStopsEverythingAndANewSystemWorks) {
    FMOD_SOUND* s = constant("a.wav", 44100, 1000, 700);
    FMOD_CHANNEL* c = play(s);
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(sys));
    EXPECT_FALSE(playing(c));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FMOD_System_Close(sys));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FMOD_System_Update(sys));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 0, &c));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Sound_Release(s));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_Stop(c));

    FMOD_SYSTEM* second = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_Create(&second));
    ASSERT_EQ(FMOD_OK, FMOD_System_Init(second, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ(FMOD_ERR_INITIALIZED, FMOD_System_Init(second, 32, FMOD_INIT_NORMAL, nullptr));
    // Sounds belong to their system.
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_System_PlaySound(second, FMOD_CHANNEL_FREE, s, 0, &c));
    FMOD_SOUND* s2 = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(second, dir.file("a.wav").c_str(), FMOD_SOFTWARE, nullptr, &s2));
    FMOD_CHANNEL* c2 = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(second, FMOD_CHANNEL_FREE, s2, 0, &c2));
    FMOD_System_Update(second);
    EXPECT_EQ(std::make_pair(700, 700), mixFrame());
    EXPECT_EQ(FMOD_OK, FMOD_System_Close(second));
}

TEST_F(FmodLayerTest, MissingOrUndecodableFilesGiveAnErrorAndANullHandle) {
    std::ofstream(dir.file("junk.wav")) << "RIFF this is not a sound file at all, just words.";
    std::ofstream(dir.file("empty.wav")).close();
    const std::pair<std::string, FMOD_RESULT> cases[] = {{dir.file("none.wav"), FMOD_ERR_FILE_NOTFOUND},
                                                         {dir.path, FMOD_ERR_FILE_NOTFOUND},
                                                         {dir.file("junk.wav"), FMOD_ERR_FORMAT},
                                                         {dir.file("empty.wav"), FMOD_ERR_FORMAT}};
    for (const auto& c : cases) {
        FMOD_SOUND* s = reinterpret_cast<FMOD_SOUND*>(1);
        EXPECT_EQ(c.second, FMOD_System_CreateSound(sys, c.first.c_str(), FMOD_SOFTWARE, nullptr, &s)) << c.first;
        EXPECT_EQ(nullptr, s) << c.first;
    }
}

TEST_F(FmodLayerTest, Mp3DecodesToPcmAtItsRate) {
    // A 1 kHz tone at 10000 peak, one second long, encoded by libsndfile.
    std::vector<int16_t> tone(44100);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(std::lround(10000.0 * std::sin(2.0 * M_PI * 1000.0 * double(i) / 44100.0)));
    }
    ASSERT_TRUE(writeSound(dir.file("tone.mp3"), 44100, 1, tone, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III));
    FMOD_SOUND* s = load(dir.file("tone.mp3"));
    ASSERT_NE(nullptr, s);
    // Encoder padding may add up to two granules.
    EXPECT_GE(length(s, FMOD_TIMEUNIT_PCM), 44100u);
    EXPECT_LE(length(s, FMOD_TIMEUNIT_PCM), 44100u + 2304u);
    EXPECT_EQ(44100.0f, frequency(play(s)));
    std::vector<int16_t> out;
    FmodLayer::mixManually(44100, &out);
    double energy = 0.0;
    for (size_t i = 8820; i < 2 * 44100 - 8820; i += 2) energy += double(out[i]) * out[i];
    const double rms = std::sqrt(energy / double(44100 - 8820));
    EXPECT_NEAR(7071.0, rms, 350.0);
}

}  // namespace

namespace {

// Writes float or double WAV samples exactly as given.
bool writeFloats(const std::string& path, int subFormat, const std::vector<double>& samples) {
    SF_INFO info = {};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | subFormat;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    sf_count_t written = sf_writef_double(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
    return written == static_cast<sf_count_t>(samples.size());
}

// A variable-bit-rate MP3 whose length header is gone: one loud second of
// noise (large frames) then five silent ones (small frames), so a length
// guessed from the first frame's size falls far short.
std::vector<unsigned char> vbrMp3WithoutLengthHeader(const std::string& path, unsigned frames) {
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return {};
    int mode = SF_BITRATE_MODE_VARIABLE;
    sf_command(f, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    std::vector<int16_t> samples(frames, 0);
    unsigned state = 1;
    for (unsigned i = 0; i < 44100; ++i) {
        state = state * 1103515245u + 12345u;
        samples[i] = static_cast<int16_t>(static_cast<int>((state >> 16) & 0x7FFF) - 16384);
    }
    sf_writef_short(f, samples.data(), frames);
    sf_close(f);

    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The first frame of an MPEG-1 layer III stream carries the "Xing" length header.
    static const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int rates[4] = {44100, 48000, 32000, 0};
    if (bytes.size() < 64 || bytes[0] != 0xFF || (bytes[1] & 0xFE) != 0xFA) return {};
    size_t frameBytes = static_cast<size_t>(144000 * kbps[bytes[2] >> 4] / rates[(bytes[2] >> 2) & 3] + ((bytes[2] >> 1) & 1));
    std::string head(bytes.begin(), bytes.begin() + 64);
    if (head.find("Xing") == std::string::npos) return {};
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<long>(frameBytes));
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                  static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

}  // namespace

TEST_F(FmodLayerTest, FloatWavsAreScaledAndClampedTo16Bits) {
    const std::vector<double> given = {0.5, -0.25, 1.0, -1.0, 1.5, -2.0, 1.0 / 32768, 0.0, 0.999, -0.0001};
    const std::vector<int16_t> expected = {16384, -8192, 32767, -32768, 32767, -32768, 1, 0, 32735, -3};
    for (int sub : {SF_FORMAT_FLOAT, SF_FORMAT_DOUBLE}) {
        SCOPED_TRACE(sub == SF_FORMAT_FLOAT ? "32-bit" : "64-bit");
        std::string path = dir.file(sub == SF_FORMAT_FLOAT ? "f32.wav" : "f64.wav");
        ASSERT_TRUE(writeFloats(path, sub, given));
        FMOD_RESULT error = FMOD_ERR_MEMORY;
        std::shared_ptr<const FmodSoundData> data = FmodSoundData::decode(path, error);
        ASSERT_EQ(FMOD_OK, error);
        ASSERT_NE(nullptr, data);
        EXPECT_EQ(22050, data->rate);
        EXPECT_EQ(expected, data->samples);
    }
    // Not a number is silence.
    EXPECT_EQ(0, FmodSoundData::toPcm16(std::nan("")));
    EXPECT_EQ(32767, FmodSoundData::toPcm16(HUGE_VAL));
    EXPECT_EQ(-32768, FmodSoundData::toPcm16(-HUGE_VAL));

    // Through the layer: the channel sounds at the file's level.
    ASSERT_TRUE(writeFloats(dir.file("level.wav"), SF_FORMAT_FLOAT, std::vector<double>(64, 0.25)));
    play(load(dir.file("level.wav")));
    EXPECT_EQ(std::make_pair(8192, 8192), mixFrame());
}

TEST_F(FmodLayerTest, VariableBitRateMp3WithoutLengthHeaderPlaysToItsEnd) {
    const unsigned frames = 6 * 44100;
    ASSERT_FALSE(vbrMp3WithoutLengthHeader(dir.file("vbr.mp3"), frames).empty());
    // The trap this guards against: the decoder's first guess is far short.
    SF_INFO info = {};
    SNDFILE* probe = sf_open(dir.file("vbr.mp3").c_str(), SFM_READ, &info);
    ASSERT_NE(nullptr, probe);
    sf_close(probe);
    ASSERT_LT(info.frames, frames / 2);

    FMOD_SOUND* s = load(dir.file("vbr.mp3"));
    ASSERT_NE(nullptr, s);
    // Without the header the decoder delay and padding stay: up to three frames of 1152.
    EXPECT_GE(length(s, FMOD_TIMEUNIT_PCM), frames);
    EXPECT_LE(length(s, FMOD_TIMEUNIT_PCM), frames + 3 * 1152u);
    EXPECT_GE(length(s, FMOD_TIMEUNIT_MS), 6000u);

    // A stream knows the same length before a single block is decoded.
    std::promise<void> release;
    FmodLayer::setDecodeHook([held = release.get_future().share()] { held.wait(); });
    FMOD_SOUND* stream = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("vbr.mp3").c_str(), FMOD_SOFTWARE | FMOD_CREATESTREAM,
                                               nullptr, &stream));
    EXPECT_EQ(length(s, FMOD_TIMEUNIT_PCM), length(stream, FMOD_TIMEUNIT_PCM));
    release.set_value();
}

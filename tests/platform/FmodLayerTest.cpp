#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>

#include "FmodSoundData.h"
#include "FmodTestSupport.h"
#include "fmod.h"

using fmodtest::writeConstant;
using fmodtest::writeSound;
using Frame = std::pair<int, int>;

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

    FMOD_SOUND* load(const std::string& path, FMOD_MODE mode = FMOD_SOFTWARE) {
        FMOD_SOUND* s = nullptr;
        EXPECT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, path.c_str(), mode, nullptr, &s));
        return s;
    }
    FMOD_SOUND* constant(int rate, unsigned frames, int16_t level) {
        const std::string name = dir.file(std::to_string(++made) + ".wav");
        EXPECT_TRUE(writeConstant(name, rate, frames, level));
        return load(name);
    }
    FMOD_CHANNEL* play(FMOD_SOUND* s, bool paused = false, FMOD_SYSTEM* on = nullptr) {
        FMOD_CHANNEL* c = nullptr;
        EXPECT_EQ(FMOD_OK, FMOD_System_PlaySound(on ? on : sys, FMOD_CHANNEL_FREE, s, paused, &c));
        FMOD_System_Update(on ? on : sys);  // as the player does after setting the channel up
        return c;
    }
    static bool playing(FMOD_CHANNEL* c) {
        FMOD_BOOL p = 0;
        return FMOD_Channel_IsPlaying(c, &p), p != 0;
    }
    static unsigned position(FMOD_CHANNEL* c, FMOD_TIMEUNIT unit = FMOD_TIMEUNIT_PCM) {
        unsigned p = 12345;
        EXPECT_EQ(FMOD_OK, FMOD_Channel_GetPosition(c, &p, unit));
        return p;
    }
    static unsigned length(FMOD_SOUND* s, FMOD_TIMEUNIT unit = FMOD_TIMEUNIT_PCM) {
        unsigned l = 0;
        EXPECT_EQ(FMOD_OK, FMOD_Sound_GetLength(s, &l, unit));
        return l;
    }
    static std::vector<int16_t> mixed(size_t frames) {
        std::vector<int16_t> out;
        return FmodLayer::mixManually(frames, &out), out;
    }
    static Frame frame() {
        const std::vector<int16_t> out = mixed(1);
        return {out[0], out[1]};
    }

    fmodtest::ScratchDir dir;
    FMOD_SYSTEM* sys = nullptr;
    int made = 0;
};

}  // namespace

TEST_F(FmodLayerTest, StaleChannelHandlesFailAndTouchNothing) {
    FMOD_SOUND* s = constant(44100, 1000, 10000);
    FMOD_CHANNEL* first = play(s);
    EXPECT_TRUE(FMOD_Channel_Stop(first) == FMOD_OK && !playing(first));
    // The next play takes the same voice; the old handle must not reach it.
    FMOD_CHANNEL* second = play(s);
    EXPECT_NE(first, second);
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetVolume(first, 0.0f));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetPaused(first, 1));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_Stop(first));
    EXPECT_EQ(Frame(10000, 10000), frame());
}

TEST_F(FmodLayerTest, NullHandlesAndMissingOutputsGiveErrors) {
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
          FMOD_Channel_SetPosition(nullptr, 0, FMOD_TIMEUNIT_PCM), FMOD_Channel_GetPosition(nullptr, &u, FMOD_TIMEUNIT_PCM),
          FMOD_Channel_IsPlaying(nullptr, &b), FMOD_Sound_Release(nullptr), FMOD_Sound_GetLength(nullptr, &u, FMOD_TIMEUNIT_PCM),
          FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, nullptr, 0, &channel),
          FMOD_System_PlaySound(nullptr, FMOD_CHANNEL_FREE, nullptr, 0, &channel),
          FMOD_System_CreateSound(nullptr, "x.wav", FMOD_SOFTWARE, nullptr, &sound), FMOD_System_Init(nullptr, 32, 0, nullptr),
          FMOD_System_Update(nullptr), FMOD_System_Close(nullptr), FMOD_System_GetMasterChannelGroup(nullptr, &group)})
        EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, r);
    EXPECT_TRUE(b == 0 && channel == nullptr);
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_Create(nullptr));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_CreateSound(sys, nullptr, FMOD_SOFTWARE, nullptr, &sound));
    FMOD_CHANNEL* c = play(constant(44100, 10, 1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_GetFrequency(c, nullptr));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_GetPosition(c, nullptr, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_IsPlaying(c, nullptr));
}

TEST_F(FmodLayerTest, ASoundResampledAtItsRateEndsWhenItsFramesRunOutAndAPauseHoldsItsPlace) {
    // Frame i holds 2i at 22050 Hz: each is heard twice, the second time halfway to the next.
    std::vector<int16_t> ramp(2205);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(2 * i);
    ASSERT_TRUE(writeSound(dir.file("ramp.wav"), 22050, 1, ramp));
    FMOD_SOUND* s = load(dir.file("ramp.wav"));
    FMOD_CHANNEL* c = play(s);
    EXPECT_EQ((std::vector<int16_t>{0, 0, 1, 1, 2, 2, 3, 3}), mixed(4));
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 11025.0f));  // 4, 4.5, 5, 5.5: halves round to even
    EXPECT_EQ((std::vector<int16_t>{4, 4, 4, 4, 5, 5, 6, 6}), mixed(4));
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 22050.0f));
    FmodLayer::mixManually(4403);  // into the last frame's second half
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPaused(c, 1));
    FmodLayer::mixManually(5000);
    EXPECT_TRUE(playing(c));  // a paused channel counts as playing, silent where it is
    EXPECT_EQ(Frame(0, 0), frame());
    EXPECT_EQ(2204u, position(c));
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPaused(c, 0));
    FmodLayer::mixManually(1);
    EXPECT_TRUE(!playing(c) && frame() == Frame(0, 0));
    c = play(s);  // frequency 0 holds the voice where it is, silently
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetFrequency(c, 0.0f));
    FmodLayer::mixManually(10000);
    EXPECT_EQ(Frame(0, 0), frame());
    EXPECT_TRUE(playing(c) && position(c) == 0);
}

TEST_F(FmodLayerTest, MixAppliesClampedVolumeAndBalancePanAndVoicesAddUpSaturated) {
    FMOD_SOUND* s = constant(44100, 1000, 16000);
    FMOD_CHANNEL* c = play(s);
    const struct {
        float volume, pan;
        Frame expected;
    } steps[] = {{1, 0, {16000, 16000}}, {0.5f, 0, {8000, 8000}}, {0.5f, -1, {8000, 0}}, {0.5f, 0.5f, {4000, 8000}},
                 {0.5f, 7, {0, 8000}},  {3, 0, {16000, 16000}},    {-1, 0, {0, 0}}};
    for (const auto& step : steps) {
        FMOD_Channel_SetVolume(c, step.volume);
        FMOD_Channel_SetPan(c, step.pan);
        EXPECT_EQ(step.expected, frame()) << step.volume << " " << step.pan;
    }
    FMOD_Channel_SetVolume(c, 1.0f);
    FMOD_CHANNEL* more[] = {play(s), play(s)};
    EXPECT_EQ(Frame(32767, 32767), frame());
    for (FMOD_CHANNEL* voice : {c, more[0], more[1]}) FMOD_Channel_Stop(voice);
    ASSERT_TRUE(writeSound(dir.file("st.wav"), 44100, 2, {1000, -2000, 1000, -2000}));  // stereo keeps its sides
    FMOD_Channel_SetPan(play(load(dir.file("st.wav"))), 0.5f);
    EXPECT_EQ(Frame(500, -2000), frame());
}

TEST_F(FmodLayerTest, FreeTakesAFreeVoiceElseStealsTheOldest) {
    FMOD_SOUND* s = constant(44100, 100000, 1);
    std::vector<FMOD_CHANNEL*> channels;
    for (int i = 0; i < 32; ++i) channels.push_back(play(s));
    FMOD_Channel_Stop(channels[5]);  // a stopped voice is free again: nothing is stolen
    FMOD_CHANNEL* reused = play(s);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(i != 5, playing(channels[static_cast<size_t>(i)])) << i;
    FMOD_CHANNEL* stealer = play(s);  // all busy: the oldest goes, then the next oldest
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Channel_SetVolume(channels[0], 0.5f));
    play(s);
    EXPECT_FALSE(playing(channels[1]));
    EXPECT_TRUE(playing(channels[2]) && playing(reused) && playing(stealer));
    FMOD_CHANNEL* named = nullptr;  // a named voice replaces whatever it plays
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, 2, s, 0, &named));
    EXPECT_FALSE(playing(channels[2]));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_System_PlaySound(sys, 32, s, 0, &named));
}

TEST_F(FmodLayerTest, PositionsInFramesAndMillisecondsPastTheEndRefused) {
    FMOD_SOUND* s = constant(8000, 8000, 1);
    EXPECT_EQ("8000 1000", std::to_string(length(s)) + " " + std::to_string(length(s, FMOD_TIMEUNIT_MS)));
    FMOD_CHANNEL* c = play(s);
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPosition(c, 500, FMOD_TIMEUNIT_MS));
    EXPECT_EQ("4000 500", std::to_string(position(c)) + " " + std::to_string(position(c, FMOD_TIMEUNIT_MS)));
    ASSERT_EQ(FMOD_OK, FMOD_Channel_SetPosition(c, 7999, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 8000, FMOD_TIMEUNIT_PCM));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 1000, FMOD_TIMEUNIT_MS));
    EXPECT_EQ(FMOD_ERR_INVALID_POSITION, FMOD_Channel_SetPosition(c, 0xFFFFFFFFu, FMOD_TIMEUNIT_MS));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FMOD_Channel_SetPosition(c, 0, 4));
    EXPECT_EQ(7999u, position(c));
    FmodLayer::mixManually(5);  // 8000 Hz in a 44100 Hz mix: the last frame lasts 5.5 output frames
    EXPECT_TRUE(playing(c));
    FmodLayer::mixManually(1);
    EXPECT_FALSE(playing(c));
}

TEST_F(FmodLayerTest, ReleasingASoundOrClosingTheSystemStopsItsVoicesAndStaleHandlesFail) {
    FMOD_SOUND* s = constant(44100, 1000, 700);
    FMOD_CHANNEL* a = play(s);
    FMOD_CHANNEL* other = play(constant(44100, 1000, 50));
    ASSERT_EQ(FMOD_OK, FMOD_Sound_Release(s));
    EXPECT_TRUE(!playing(a) && playing(other));
    EXPECT_EQ(Frame(50, 50), frame());
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Sound_Release(s));
    FMOD_CHANNEL* c = reinterpret_cast<FMOD_CHANNEL*>(1);
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 0, &c));
    EXPECT_EQ(nullptr, c);

    s = constant(44100, 1000, 700);
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(sys));
    EXPECT_FALSE(playing(other));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FMOD_System_Close(sys));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 0, &c));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_Sound_Release(s));
    FMOD_SYSTEM* second = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_Create(&second));
    ASSERT_EQ(FMOD_OK, FMOD_System_Init(second, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ(FMOD_ERR_INITIALIZED, FMOD_System_Init(second, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ(FMOD_ERR_INVALID_HANDLE, FMOD_System_PlaySound(second, FMOD_CHANNEL_FREE, s, 0, &c));  // not its sound
    FMOD_SOUND* s2 = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(second, dir.file("3.wav").c_str(), FMOD_SOFTWARE, nullptr, &s2));
    play(s2, false, second);
    EXPECT_EQ(Frame(700, 700), frame());
    EXPECT_EQ(FMOD_OK, FMOD_System_Close(second));
}

TEST_F(FmodLayerTest, MissingOrUndecodableFilesGiveAnErrorAndANullHandle) {
    std::ofstream(dir.file("junk.wav")) << "RIFF this is not a sound file at all, just words.";
    std::ofstream(dir.file("empty.wav")).close();
    const std::pair<std::string, FMOD_RESULT> cases[] = {{dir.file("none.wav"), FMOD_ERR_FILE_NOTFOUND}, {dir.path, FMOD_ERR_FILE_NOTFOUND},
                                                         {dir.file("junk.wav"), FMOD_ERR_FORMAT}, {dir.file("empty.wav"), FMOD_ERR_FORMAT}};
    for (const auto& c : cases) {
        FMOD_SOUND* s = reinterpret_cast<FMOD_SOUND*>(1);
        EXPECT_EQ(c.second, FMOD_System_CreateSound(sys, c.first.c_str(), FMOD_SOFTWARE, nullptr, &s)) << c.first;
        EXPECT_EQ(nullptr, s) << c.first;
    }
}

TEST_F(FmodLayerTest, FloatWavsAreScaledAndClampedTo16Bits) {
    const std::vector<double> given = {0.5, -0.25, 1.0, -1.0, 1.5, -2.0, 1.0 / 32768, 0.0, 0.999, -0.0001};
    const std::vector<int16_t> expected = {16384, -8192, 32767, -32768, 32767, -32768, 1, 0, 32735, -3};
    for (int sub : {SF_FORMAT_FLOAT, SF_FORMAT_DOUBLE}) {
        const std::string path = dir.file(std::to_string(sub) + ".wav");
        SF_INFO info = {0, 22050, 1, SF_FORMAT_WAV | sub, 0, 0};
        SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(nullptr, f);
        sf_writef_double(f, given.data(), static_cast<sf_count_t>(given.size()));
        sf_close(f);
        FMOD_RESULT error = FMOD_ERR_MEMORY;
        std::shared_ptr<const FmodSoundData> data = FmodSoundData::decode(path, error);
        ASSERT_TRUE(error == FMOD_OK && data) << sub;
        EXPECT_EQ(expected, data->samples) << sub;
        play(load(path));
        EXPECT_EQ(Frame(16384, 16384), frame());  // through the layer: at the file's level
        FmodLayer::mixManually(100);
    }
    EXPECT_EQ(0, FmodSoundData::toPcm16(std::nan("")));  // not a number is silence
    EXPECT_EQ(32767, FmodSoundData::toPcm16(HUGE_VAL));
    EXPECT_EQ(-32768, FmodSoundData::toPcm16(-HUGE_VAL));
}

// A variable-bit-rate MP3 whose length header is gone: one loud second of
// noise (large frames) then five silent ones (small frames), so a length
// guessed from the first frame's size falls far short.
TEST_F(FmodLayerTest, VariableBitRateMp3WithoutLengthHeaderPlaysToItsEnd) {
    const unsigned frames = 6 * 44100;
    std::vector<int16_t> samples(frames, 0);
    unsigned state = 1;
    for (unsigned i = 0; i < 44100; ++i) {
        state = state * 1103515245u + 12345u;
        samples[i] = static_cast<int16_t>(static_cast<int>((state >> 16) & 0x7FFF) - 16384);
    }
    const std::string path = dir.file("vbr.mp3");
    SF_INFO info = {0, 44100, 1, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 0, 0};
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(nullptr, f);
    int mode = SF_BITRATE_MODE_VARIABLE;
    sf_command(f, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    sf_writef_short(f, samples.data(), frames);
    sf_close(f);
    // Drop the first frame of the MPEG-1 layer III stream: it carries the "Xing" length header.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    ASSERT_TRUE(bytes.size() > 64 && bytes[0] == '\xFF' && (bytes[1] & 0xFE) == 0xFA && bytes.find("Xing") < 64);
    const auto header = static_cast<unsigned char>(bytes[2]);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(144000 * kbps[header >> 4] / 44100 + ((header >> 1) & 1));
    ASSERT_EQ(0, sf_close(sf_open(path.c_str(), SFM_READ, &info)));
    ASSERT_LT(info.frames, frames / 2);  // the trap: the decoder's first guess is far short

    FMOD_SOUND* s = load(path);
    // Without the header the decoder delay and padding stay: up to three frames of 1152.
    EXPECT_GE(length(s), frames);
    EXPECT_LE(length(s), frames + 3 * 1152u);
    EXPECT_GE(length(s, FMOD_TIMEUNIT_MS), 6000u);
    // A stream knows the same length before a single block is decoded.
    std::promise<void> release;
    FmodLayer::setDecodeHook([held = release.get_future().share()] { held.wait(); });
    EXPECT_EQ(length(s), length(load(path, FMOD_SOFTWARE | FMOD_CREATESTREAM)));
    release.set_value();
}

// Every failed call is recorded with its result's name; results no call here
// can produce are named by the same table.
TEST_F(FmodLayerTest, FailedCallsAreRecordedWithTheirResultsNames) {
    std::ofstream(dir.file("junk.wav")) << "RIFF this is not a sound file at all, just words.";
    FMOD_CHANNEL* c = play(constant(8000, 8000, 1));
    FMOD_SYSTEM* idle = nullptr;  // created, never initialised; the layer owns it
    ASSERT_EQ(FMOD_OK, FMOD_System_Create(&idle));
    FMOD_SOUND* s = nullptr;
    const struct {
        std::function<FMOD_RESULT()> call;
        const char* ending;
    } calls[] = {
        {[&] { return FMOD_Channel_SetPosition(c, 8000, FMOD_TIMEUNIT_PCM); }, " = FMOD_ERR_INVALID_POSITION"},
        {[&] { return FMOD_Channel_Stop(nullptr); }, " = FMOD_ERR_INVALID_HANDLE"},
        {[&] { return FMOD_System_CreateSound(sys, nullptr, FMOD_SOFTWARE, nullptr, &s); }, " = FMOD_ERR_INVALID_PARAM"},
        {[&] { return FMOD_System_Update(idle); }, " = FMOD_ERR_UNINITIALIZED"},
        {[&] { return FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr); }, " = FMOD_ERR_INITIALIZED"},
        {[&] { return FMOD_System_CreateSound(sys, dir.file("none.wav").c_str(), FMOD_SOFTWARE, nullptr, &s); },
         " = FMOD_ERR_FILE_NOTFOUND"},
        {[&] { return FMOD_System_CreateSound(sys, dir.file("junk.wav").c_str(), FMOD_SOFTWARE, nullptr, &s); },
         " = FMOD_ERR_FORMAT"},
        {[&] { return FMOD_Channel_SetPosition(c, 10, FMOD_TIMEUNIT_PCM); }, ""},
    };
    std::vector<std::string> lines;
    FmodLayer::setCallObserver([&lines](const std::string& line) { lines.push_back(line); });
    for (const auto& k : calls) {
        lines.clear();
        const FMOD_RESULT result = k.call();
        ASSERT_EQ(lines.size(), 1u) << k.ending;
        EXPECT_EQ(lines[0].substr(lines[0].rfind(')') + 1), k.ending) << lines[0];
        EXPECT_EQ(result == FMOD_OK, *k.ending == 0) << lines[0];
    }
    FmodLayer::setCallObserver(nullptr);
    const std::pair<int, const char*> names[] = {{FMOD_OK, "FMOD_OK"},
                                                 {FMOD_ERR_MEMORY, "FMOD_ERR_MEMORY"},
                                                 {FMOD_ERR_OUTPUT_INIT, "FMOD_ERR_OUTPUT_INIT"},
                                                 {FMOD_ERR_OUTPUT_INIT + 1, "FMOD_ERR_UNKNOWN"},
                                                 {-1, "FMOD_ERR_UNKNOWN"}};
    for (const auto& n : names) EXPECT_STREQ(FmodLayer::resultName(n.first), n.second);
}

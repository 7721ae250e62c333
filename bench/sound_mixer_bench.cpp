// CPU time to mix one second of 32 simultaneous resampled voices at 44.1 kHz
// stereo. "fraction_of_realtime" is CPU seconds per second of audio.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cmath>
#include <cstdio>

#include "FmodMixer.h"

namespace {

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::shared_ptr<const FmodSoundData> makeSound(int channels, int rate, unsigned frames) {
    auto data = std::make_shared<FmodSoundData>();
    data->channels = channels;
    data->rate = rate;
    data->samples.resize(static_cast<size_t>(frames) * static_cast<size_t>(channels));
    for (size_t i = 0; i < data->samples.size(); ++i) {
        data->samples[i] = static_cast<int16_t>(8000.0 * std::sin(0.01 * static_cast<double>(i)));
    }
    return data;
}

void BM_MixOneSecondOf32Voices(benchmark::State& state) {
    FmodMixer mixer(32);
    auto mono = makeSound(1, 22050, 22050 * 2);
    auto stereo = makeSound(2, 48000, 48000 * 2);
    for (int v = 0; v < 32; ++v) {
        const int voice = mixer.play(v % 2 ? stereo : mono, true, false, static_cast<uint64_t>(v + 1));
        // Every voice resamples, at a rate of its own.
        mixer.setFrequency(voice, (v % 2 ? 48000.0f : 22050.0f) * (0.75f + 0.03f * static_cast<float>(v)));
        mixer.setVolume(voice, 0.05f);
        mixer.setPan(voice, static_cast<float>(v) / 16.0f - 1.0f);
    }
    mixer.startPending();
    std::vector<int16_t> out(2 * 1024);
    const size_t second = FmodMixer::outputRate;
    const double start = threadCpuSeconds();
    for (auto _ : state) {
        // In device-sized blocks, as the audio callback asks for them.
        for (size_t done = 0; done < second; done += 1024) {
            mixer.mix(out.data(), std::min<size_t>(1024, second - done));
        }
        benchmark::DoNotOptimize(out.data());
    }
    // A label, as a counter would print the fraction as a time or with an SI
    // prefix.
    const double cpu = threadCpuSeconds() - start;
    char label[64];
    std::snprintf(label, sizeof label, "fraction_of_realtime=%.5f", cpu / static_cast<double>(state.iterations()));
    state.SetLabel(label);
}
BENCHMARK(BM_MixOneSecondOf32Voices)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

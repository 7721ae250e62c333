// Synthesises every sound and music file the game loads into <data folder>/audio/.
// Usage: soundgen <data folder>    or    soundgen --list
#include <functional>
#include <future>
#include <iostream>
#include <string>
#include <vector>

#include "EffectSounds.h"
#include "MusicTracks.h"
#include "SoundFile.h"

namespace {

struct Output {
    std::string path;  // relative to the data folder
    std::function<dsp::Buffer()> make;
    bool music = false;
};

std::vector<Output> outputs() {
    using namespace effects;
    std::vector<Output> list = {
        {"audio/playerDeath/playerDeath4.wav", playerDeath},
        {"audio/missionCrush/pewpewZoom.wav", missionCrush},
        {"audio/startGame/start3.wav", startGame},
        {"audio/foeKill/splode2noclip.wav", foeKill},
        {"audio/foeKillPowered/foeCap.wav", foeKillPowered},
        {"audio/multikillEnd/powerDownTemp.wav", multikillEnd},
        {"audio/thrust/basslessThruster.wav", thrustLoop},
        {"audio/menuReturn/UI.wav", menuReturn},
        {"audio/menuBeep/UI3.wav", menuBeep},
        {"audio/wayPoint/wayPoint_MASTER.wav", wayPoint},
        {"audio/missionComplete/feedback.wav", missionComplete},
        {"audio/missionCongrats/funkYeah3.wav", missionCongrats},
        {"audio/missionFailed/techFail.wav", missionFailed},
        {"audio/unlock/foeKillPowerEnd2.wav", unlock},
        {"audio/error/error3.wav", error},
        {"audio/gameOver/grind_MASTER.wav", gameOver},
        {"audio/multiplayerComplete/awkwardFail.wav", multiplayerComplete},
        {"audio/multiplayerGrind/grindA.wav", grindLoop},
    };
    for (int n = 1; n <= 4; ++n)
        list.push_back({"audio/multiplayerDeath/multiplayerdeath" + std::to_string(n) + ".wav",
                        [n] { return multiplayerDeath(n); }});
    for (int n = 0; n <= 3; ++n)
        list.push_back({"audio/rockSmash/Meteors" + std::to_string(n) + "_MASTER.wav", [n] { return rockSmash(n); }});
    list.push_back({"audio/music/easy/trailblazer.mp3", music::easy, true});
    list.push_back({"audio/music/hard/throughbarriers.mp3", music::hard, true});
    list.push_back({"audio/music/mission/missionloop.mp3", music::mission, true});
    list.push_back({"audio/music/asteroid/ambientloop.mp3", music::asteroid, true});
    list.push_back({"audio/music/multiplayer/vsloop.mp3", music::versus, true});
    list.push_back({"audio/music/multiplayer/vstooloop.mp3", music::versusToo, true});
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: soundgen <data folder> | --list\n";
        return 2;
    }
    const std::vector<Output> list = outputs();
    const std::string arg = argv[1];
    if (arg == "--list") {
        for (const Output& o : list) std::cout << o.path << "\n";
        return 0;
    }
    // Each file is independent; the music encodes slowly, so all run at once.
    std::vector<std::future<bool>> jobs;
    for (const Output& o : list) {
        const std::string path = arg + "/" + o.path;
        jobs.push_back(std::async(std::launch::async, [&o, path] {
            const dsp::Buffer data = o.make();
            return o.music ? writeMp3(path, data) : writeWav(path, data);
        }));
    }
    bool ok = true;
    for (auto& job : jobs) ok = job.get() && ok;
    return ok ? 0 : 1;
}

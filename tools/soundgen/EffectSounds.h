#pragma once

#include "Dsp.h"

// The game's sound effects, mono at dsp::rate, already at their final level.
namespace effects {

dsp::Buffer playerDeath();
dsp::Buffer multiplayerDeath(int n);  // n = 1 to 4
dsp::Buffer missionCrush();
dsp::Buffer startGame();
dsp::Buffer foeKill();
dsp::Buffer foeKillPowered();
dsp::Buffer multikillEnd();
dsp::Buffer rockSmash(int n);  // n = 0 to 3
dsp::Buffer thrustLoop();
dsp::Buffer menuReturn();
dsp::Buffer menuBeep();
dsp::Buffer wayPoint();
dsp::Buffer missionComplete();
dsp::Buffer missionCongrats();
dsp::Buffer missionFailed();
dsp::Buffer unlock();
dsp::Buffer error();
dsp::Buffer gameOver();
dsp::Buffer multiplayerComplete();
dsp::Buffer grindLoop();

}  // namespace effects

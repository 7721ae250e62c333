#include "ofSoundPlayer.h"

FMOD_SYSTEM* ofFmodSoundPlayer::sys = nullptr;
FMOD_CHANNELGROUP* ofFmodSoundPlayer::masterGroup = nullptr;
bool ofFmodSoundPlayer::fmodInitialized = false;
unsigned ofFmodSoundPlayer::openSystemSerial = 0;

void ofSoundShutdown() {
    ofFmodSoundPlayer::closeFmod();
}

void ofFmodSoundPlayer::closeFmod() {
    if (!fmodInitialized) return;
    fmodInitialized = false;
}

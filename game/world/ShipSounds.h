#pragma once

// The effects a ship plays. The game's sound bank implements them; each is
// silent while sound is muted, so callers never check the mute themselves.
class ShipSounds {
public:
    virtual ~ShipSounds() = default;

    virtual void playFoeKill(int level) = 0;
    virtual void playRockSmash() = 0;
    virtual void playMenuBeep() = 0;
    virtual void playMenuReturn() = 0;
    virtual void playMultiplayerComplete() = 0;
};

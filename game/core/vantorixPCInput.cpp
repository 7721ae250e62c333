#include <cmath>
#include <mutex>

#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofMath.h"
#include "ofxGamepadHandler.h"
#include "vantorixPC.h"

namespace {

const int keyCtrlQ = 17;
const int keyEnter = 13;
const int keyEscape = 27;
const int keyLeft = 356;
const int keyUp = 357;
const int keyRight = 358;
const int keyDown = 359;

const char* const playStationName = " PLAYSTATION(R)3 Controller";

bool isBackKey(int key) {
    return key == keyEscape || key == 'b' || key == 'B';
}

}  // namespace

vantorixPC::~vantorixPC() {
    detachPads();
}

void vantorixPC::exit() {
    detachPads();
}

void vantorixPC::forgetUnpluggedPads(ofxGamepadHandler& handler) {
    for (ofxGamepad*& pad : attachedPads) {
        bool listed = pad == nullptr;
        for (int i = 0; i < handler.getNumPads() && !listed; ++i) listed = handler.getGamepad(i) == pad;
        // Gone with our listeners; its slot stays empty.
        if (!listed) pad = nullptr;
    }
}

void vantorixPC::detachPads() {
    bool any = false;
    for (ofxGamepad* pad : attachedPads) any = any || pad != nullptr;
    // After exit the handler is gone too, and asking for it would make a new one.
    if (!any) return;
    ofxGamepadHandler& handler = *ofxGamepadHandler::get();
    std::lock_guard<ofxGamepadHandler> held(handler);
    forgetUnpluggedPads(handler);
    ofxGamepad* const* pads = attachedPads;
    if (pads[0] != nullptr) {
        ofRemoveListener(pads[0]->axisEvent, this, &vantorixPC::onPadAxis<0>);
        ofRemoveListener(pads[0]->buttonPressedEvent, this, &vantorixPC::onPadButton<0>);
    }
    if (pads[1] != nullptr) {
        ofRemoveListener(pads[1]->axisEvent, this, &vantorixPC::onPadAxis<1>);
        ofRemoveListener(pads[1]->buttonPressedEvent, this, &vantorixPC::onPadButton<1>);
    }
    if (pads[2] != nullptr) {
        ofRemoveListener(pads[2]->axisEvent, this, &vantorixPC::onPadAxis<2>);
        ofRemoveListener(pads[2]->buttonPressedEvent, this, &vantorixPC::onPadButton<2>);
    }
    if (pads[3] != nullptr) {
        ofRemoveListener(pads[3]->axisEvent, this, &vantorixPC::onPadAxis<3>);
        ofRemoveListener(pads[3]->buttonPressedEvent, this, &vantorixPC::onPadButton<3>);
    }
    for (ofxGamepad*& pad : attachedPads) pad = nullptr;
}

void vantorixPC::attachPads() {
    ofxGamepadHandler* handler = ofxGamepadHandler::get();
#ifdef VANTORIX_ARCADE_CABINET
    // The cabinet's pads are plugged in before it starts.
    if (ofGetFrameNum() < 100 && !handler->isHotplugEnabled()) handler->enableHotplug(5000);
    if (ofGetFrameNum() > 200 && handler->isHotplugEnabled()) handler->disableHotplug();
#else
    if (!handler->isHotplugEnabled()) handler->enableHotplug(5000);
#endif
    // A rescan may drop a pad between handing it out and our listeners going on.
    std::lock_guard<ofxGamepadHandler> held(*handler);
    for (int k = 0; k < 4; ++k) {
        if (handler->getNumPads() <= k || registeredPads != k) continue;
        ofxGamepad* pad = handler->getGamepad(k);
        // The list changed under us; the next frame tries again.
        if (pad == nullptr) break;
        attachedPads[k] = pad;
        switch (k) {
            case 0:
                ofAddListener(pad->axisEvent, this, &vantorixPC::onPadAxis<0>);
                ofAddListener(pad->buttonPressedEvent, this, &vantorixPC::onPadButton<0>);
                break;
            case 1:
                ofAddListener(pad->axisEvent, this, &vantorixPC::onPadAxis<1>);
                ofAddListener(pad->buttonPressedEvent, this, &vantorixPC::onPadButton<1>);
                break;
            case 2:
                ofAddListener(pad->axisEvent, this, &vantorixPC::onPadAxis<2>);
                ofAddListener(pad->buttonPressedEvent, this, &vantorixPC::onPadButton<2>);
                break;
            default:
                ofAddListener(pad->axisEvent, this, &vantorixPC::onPadAxis<3>);
                ofAddListener(pad->buttonPressedEvent, this, &vantorixPC::onPadButton<3>);
                break;
        }
        if (k == 0) {
            padConnected = true;
            core.gamePad = true;
            core.tutorial.gamePad = true;
            core.missionList.gamePad = true;
        }
        registeredPads = k + 1;
        refreshPadMappings();
    }
    core.padCount = registeredPads;
    core.mainMenu.padCount = registeredPads;
}

void vantorixPC::refreshPadMappings() {
    ofxGamepadHandler& handler = *ofxGamepadHandler::get();
    std::lock_guard<ofxGamepadHandler> held(handler);
    forgetUnpluggedPads(handler);
    for (int i = 0; i < registeredPads && i < 4; ++i) {
        ofxGamepad* pad = attachedPads[i];
        if (pad == nullptr) continue;
        const std::string& name = pad->getName();
        const PadMapping mapping =
            core.optionsMenu.controllerMapper.loadMapping(name, pad->getNumAxis(), pad->getNumButtons());
        for (int a = 0; a < 4; ++a) {
            axisIds[i][a] = mapping.axes[a];
            axisSigns[i][a] = mapping.axisSigns[a];
        }
        for (int b = 0; b < ActionCount; ++b) buttonMap[i][b] = mapping.buttons[b];
        playStationPad[i] = name == playStationName ||
                            (ControllerMapper::makeTagName(name) == "WirelessController" && pad->getNumAxis() == 6 &&
                             pad->getNumButtons() == 14);
        core.playStationPads[i] = playStationPad[i];
#ifdef VANTORIX_ARCADE_CABINET
        padSlot[i] = i;
        for (int n = 0; n < 4; ++n)
            if (ControllerMapper::makeTagName(name) == controllerNames[n]) padSlot[i] = n;
#endif
    }
    core.symbolPad = playStationPad[0];
}

void vantorixPC::steerShips() {
    if (core.gameState != GameState::Playing && core.gameState != GameState::MultiplayerLobby) return;
    if (padConnected || allPlayersFollow) {
        for (Stick& stick : padSticks)
            if (std::fabs(stick.x) < stickDeadZone && std::fabs(stick.y) < stickDeadZone) stick = Stick();
        for (int i = 0; i < core.playerCount && i < 4; ++i) {
            if (allPlayersFollow && i >= registeredPads) {
                PlayerShip* s = core.players;
                s[i].steerTowardNextShip(&s[0], &s[1], &s[2], &s[3], i);
            } else {
                core.steerByStick(padSticks[i].x, padSticks[i].y, i);
            }
        }
    }
    if (registeredPads == 0 && !allPlayersFollow) {
        core.mouseSteering = true;
        core.steerByMouse(virtualX(mouseX), virtualY(mouseY), 0);
    } else {
        core.mouseSteering = false;
    }
}

void vantorixPC::scrollScreens() {
    const GameState state = core.gameState;
    if (state != GameState::Stats && state != GameState::Leaderboards) return;
    auto scroll = [&](float amount) {
        if (state == GameState::Stats)
            core.statsScreen.scrollByAxis(amount);
        else
            core.leaderboardScreen.scrollByAxis(amount);
    };
    if (arrowHeld[2]) scroll(-1);
    if (arrowHeld[3]) scroll(1);
    for (int i = 0; i < registeredPads && i < 4; ++i) {
        scroll(padAxes[i][1]);
        scroll(padAxes[i][3]);
    }
}

void vantorixPC::serveRemapper() {
    ControllerMapper& mapper = core.optionsMenu.controllerMapper;
    if (core.gameState != GameState::Options || !mapper.isOpen) return;
    if (mapper.controllerListRequest) {
        mapper.controllerListRequest = false;
        ofxGamepadHandler& handler = *ofxGamepadHandler::get();
        std::lock_guard<ofxGamepadHandler> held(handler);
        forgetUnpluggedPads(handler);
        for (int i = 0; i < registeredPads && i < 4; ++i)
            if (attachedPads[i] != nullptr)
                mapper.addController(attachedPads[i]->getName(), attachedPads[i]->getNumAxis(),
                                     attachedPads[i]->getNumButtons(), i);
        mapper.addController("DONE", 0, 0);
    }
    if (mapper.reloadRequest) {
        mapper.reloadRequest = false;
        refreshPadMappings();
    }
}

int vantorixPC::virtualX(int x) const {
    return static_cast<int>(static_cast<float>(x) / scale);
}

int vantorixPC::virtualY(int y) const {
    return static_cast<int>(static_cast<float>(y) / scale);
}

void vantorixPC::sendAction(int action) {
    ofxGamepadButtonEvent event;
    event.button = buttonMap[0][action];
    event.value = true;
    handlePadButton(0, event, false, buttonMap[0]);
}

void vantorixPC::handlePadButton(int pad, const ofxGamepadButtonEvent& event, bool synthetic,
                                 const int map[ActionCount]) {
    if (core.splashActive || pad < 0 || pad > 3) return;
    ControllerMapper& mapper = core.optionsMenu.controllerMapper;
    if (core.gameState == GameState::Options && mapper.isOpen && !mapper.showingControllerList) {
        mapper.buttonPressed(event.button, pad);
        return;
    }

#ifdef VANTORIX_ARCADE_CABINET
    // Named controllers sit in fixed slots; the slot plays, not the index.
    if (!synthetic) pad = slotOfPad(pad);
    firstPadChosen = true;
    firstPad = core.coop || core.deathMatch ? 0 : pad;
    if (core.gameState == GameState::MainMenu) lastMenuPad = pad;
#endif
    if (!firstPadChosen) {
        firstPadChosen = true;
        firstPad = pad;
    }
    int player = pad;
    if (!synthetic) {
        if (pad == firstPad)
            player = 0;
        else if (pad == 0)
            player = firstPad;
    }
    core.idleTime = 0;
    core.menuIdleTime = 0;

    const GameState lobbyStates[3] = {GameState::MultiplayerLobby, GameState::MultiplayerSettings,
                                      GameState::LevelSelect};
    for (GameState s : lobbyStates)
        if (core.gameState == s) {
            handleLobbyButton(event, player, map);
            return;
        }

    auto is = [&](int action) { return map[action] == event.button; };
    auto state = [&](GameState s) { return core.gameState == s; };
    const int dx = is(Left) ? -1 : (is(Right) ? 1 : 0);
    const int dy = is(Up) ? -1 : (is(Down) ? 1 : 0);

    if (state(GameState::Playing)) {
        if (core.startHold) {
            if ((is(Start) || is(Confirm)) && core.holdTime > 0.4f) {
                core.setPaused(false);
                core.startHold = false;
                core.missionBriefing = false;
                core.soundBank.restartMusic();
            }
            if ((is(Select) || is(Back)) && core.missionRound) core.returnToMenu(true);
        } else if (!(core.coop && core.players[player].frozen)) {
            handlePlayingButton(event, map);
        }
    }
    if (state(GameState::MainMenu)) {
        core.mainMenu.moveSelection(dy, is(Start) || is(Confirm));
        const MainMenu& menu = core.mainMenu;
        if (menu.confirmed && menu.selected >= 0 && menu.selected < MainMenu::maxItems &&
            menu.itemLabels[menu.selected] == "Arcade" && player != 0)
            firstPad = pad;
    }
    if (state(GameState::Stats) && core.menuTime > 0.4f && (is(Back) || is(Select))) {
        core.openOptions(false, core.optionsMenu.fromRound ? 1 : 0);
        return;
    }
    if (state(GameState::Options)) {
        core.optionsMenu.handleInput(dy, dx, is(Confirm), is(Select) || is(Back) || is(Options));
        return;
    }
    if (state(GameState::Leaderboards)) {
        if (is(Back) || is(Select)) core.leaderboardScreen.requestBack();
        if (dx != 0 || dy != 0) core.leaderboardScreen.handleInput(dx, dy, false);
        if (is(Start) || is(Confirm)) core.leaderboardScreen.handleInput(0, 0, true);
    }
    if (core.deathMatch) {
        if (state(GameState::RoundOver) && core.stateTime > 0.4f) {
            if (is(Start) || is(Confirm) || is(Back)) {
                if (!core.matchContinue) {
                    core.matchContinue = true;
                    core.soundBank.playRockSmash();
                } else {
                    core.openLobby(true, true, true);
                }
            }
            if (is(Select)) core.returnToMenu(true);
        }
        if (state(GameState::MatchStats) && (is(Left) || is(Back) || is(Confirm))) {
            core.stateTime = 0;
            core.slideTimer = 0;
            core.gameState = GameState::RoundOver;
            core.soundBank.playMenuReturn();
        }
        if (state(GameState::RoundOver) && is(Right) && core.stateTime > 1.0f) {
            core.stateTime = 0;
            core.slideTimer = 0;
            core.gameState = GameState::MatchStats;
            core.soundBank.playMenuBeep();
        }
    }
    if (is(Options) && core.paused && state(GameState::Playing) && !core.exhibition) core.openOptions(true, 1);

    if (player != 0 && !core.coop) return;

    if (!core.shipSelect.unlockMessages.empty()) {
        if (is(Start) || is(Confirm)) core.shipSelect.dismissMessage();
        return;
    }
    if (state(GameState::ArcadeMenu)) {
        if (core.stateTime > 0.4f) {
            if (is(Back) || is(Select))
                core.returnToMenu(true);
            else if (is(Start) || is(Confirm))
                core.startFromArcadeMenu();
        }
        if (dx != 0) {
            core.cycleDifficulty(dx, static_cast<int>(core.gameMode));
            return;
        }
    }
    if (state(GameState::ScoreSubmit))
        core.scoreSubmitOverlay.handleInput(dx, dy, is(Confirm), is(Start), is(Back) || is(Erase), is(Select));
    if (state(GameState::ShipSelect)) {
        if (dx != 0) core.shipSelect.browseWithSound(dx);
        if (dy != 0) core.shipSelect.toggleButton(dy);
        if (is(Confirm) || is(Start))
            core.shipSelect.confirm(0);
        else if (is(Back) || is(Select))
            core.shipSelect.confirm(1);
    }
    if (state(GameState::RoundOver) && !core.deathMatch) {
        if (core.missionRound && core.missionList.showingResults) {
            core.missionList.dismissResults();
        } else if (core.roundOverTimer < -0.4f) {
            const bool submitOpen = core.scoreSubmitOverlay.available;
            if (is(Select) || is(Back)) {
                core.returnToMenu(true);
            } else if (is(Confirm)) {
                if (core.arcadeCabinet)
                    core.returnToMenu(true);
                else if (core.coop)
                    core.openLobby(false, true, true);
                else if (core.shipSelect.anyExtraUnlocked())
                    core.openShipSelect(static_cast<int>(GameState::ArcadeMenu), padConnected);
                else
                    core.startRound(true);
            } else if (is(Start)) {
                if (submitOpen && !core.scoreSubmitOverlay.sent)
                    core.openScoreSubmit();
                else
                    core.startRound(true);
            } else if (is(Options) && submitOpen) {
                core.leaderboardScreen.difficulty = static_cast<int>(core.gameMode);
                core.openLeaderboards(1);
            }
        }
    }
}

void vantorixPC::handlePlayingButton(const ofxGamepadButtonEvent& event, const int map[ActionCount]) {
    auto is = [&](int action) { return map[action] == event.button; };
    if (core.paused) {
        if (is(Start) || is(Confirm) || is(Back))
            core.setPaused(false);
        else if (is(Select))
            core.abortRound();
    } else if (is(Start)) {
        core.setPaused(true);
    }
}

void vantorixPC::handleLobbyButton(const ofxGamepadButtonEvent& event, int player, const int map[ActionCount]) {
    if (player < 0 || player > 3) return;
    auto is = [&](int action) { return map[action] == event.button; };
    const int dx = is(Left) ? -1 : (is(Right) ? 1 : 0);
    const int dy = is(Up) ? -1 : (is(Down) ? 1 : 0);
    const bool back = is(Back) || is(Select);
    PlayerShip& ship = core.players[player];

    if (core.gameState == GameState::MultiplayerLobby) {
        if (ship.joined) {
            const bool start = is(Start) || (is(Confirm) && ship.lobbyRow == 0);
            ship.handleLobbyInput(dx, dy, is(Confirm), back, start, core.deathMatch);
        } else if (back) {
            core.returnToMenu(true);
        }
    } else if (ship.joined) {
        core.handleSettingsPad(player, dx, dy, is(Confirm), is(Start), back);
    }
    if (core.gameState == GameState::MultiplayerLobby && !ship.joined && (is(Confirm) || is(Start)))
        core.joinPlayer(player);
}

void vantorixPC::handlePadAxis(int pad, const ofxGamepadAxisEvent& event) {
    if (core.splashActive || pad < 0 || pad > 3) return;
    ControllerMapper& mapper = core.optionsMenu.controllerMapper;
    if (core.gameState == GameState::Options && mapper.isOpen && !mapper.showingControllerList) {
        mapper.axisMoved(event.axis, event.value, pad);
        return;
    }
    int first = firstPad;
#ifdef VANTORIX_ARCADE_CABINET
    first = lastMenuPad;
#endif
    int p = pad;
    if (pad == first)
        p = 0;
    else if (pad == 0)
        p = first;

    float value = event.value;
#ifdef VANTORIX_ARCADE_CABINET
    value = mapStickValue(value);
#endif
    for (int a = 0; a < 4; ++a)
        if (axisIds[pad][a] == event.axis) padAxes[p][a] = static_cast<float>(axisSigns[pad][a]) * value;

    const float* axes = padAxes[p];
    const float left = std::sqrt(axes[0] * axes[0] + axes[1] * axes[1]);
    const float right = std::sqrt(axes[2] * axes[2] + axes[3] * axes[3]);
    if (left <= right)
        padSticks[p] = {axes[2], axes[3]};
    else
        padSticks[p] = {axes[0], axes[1]};

    if (core.gameState == GameState::Playing) {
        stickLeftArmed[p] = stickRightArmed[p] = stickUpArmed[p] = stickDownArmed[p] = false;
        return;
    }
    const float x = padSticks[p].x;
    const float y = padSticks[p].y;
    auto send = [&](int action) {
        ofxGamepadButtonEvent step;
        step.gamepad = event.gamepad;
        step.button = buttonMap[p][action];
        step.value = true;
        handlePadButton(p, step, true, buttonMap[p]);
    };
    if (x < -tapThreshold && stickLeftArmed[p]) {
        stickLeftArmed[p] = false;
        send(Left);
    } else if (x > -tapResetThreshold) {
        stickLeftArmed[p] = true;
    }
    if (x > tapThreshold && stickRightArmed[p]) {
        stickRightArmed[p] = false;
        send(Right);
    } else if (x < tapResetThreshold) {
        stickRightArmed[p] = true;
    }
    if (y < -tapUpThreshold && stickUpArmed[p]) {
        stickUpArmed[p] = false;
        send(Up);
    } else if (y > -tapResetThreshold) {
        stickUpArmed[p] = true;
    }
    if (y > tapDownThreshold && stickDownArmed[p]) {
        stickDownArmed[p] = false;
        send(Down);
        return;
    } else if (y < tapResetThreshold) {
        stickDownArmed[p] = true;
    }
}

bool vantorixPC::keyPressedTypedText(int key) {
    const GameState state = core.gameState;
    if (state == GameState::ScoreSubmit) {
        core.scoreSubmitOverlay.keyPressed(key);
        return true;
    }
    if (state != GameState::Options) return false;
    if (core.optionsMenu.editingName) {
        if (key == keyEnter || key == keyEscape)
            core.optionsMenu.finishNameEdit();
        else
            core.scoreSubmitOverlay.editName(key);
        return true;
    }
    ControllerMapper& mapper = core.optionsMenu.controllerMapper;
    if (!mapper.isOpen) return false;
    if (key == keyEnter) {
        mapper.skip();
    } else if (isBackKey(key)) {
        core.soundBank.playMenuReturn();
        if (mapper.showingControllerList)
            mapper.leave = true;
        else
            mapper.showingControllerList = true;
    }
    return true;
}

void vantorixPC::keyPressed(int key) {
    if (core.splashActive) return;
    // Any input ends the exhibition menu's idle period.
    core.menuIdleTime = 0;
    if (keyPressedTypedText(key)) return;
#ifdef VANTORIX_ARCADE_CABINET
    if (handleServiceKey(key)) return;
#endif
    const bool debug = core.debugEnabled;
    SoundBank& bank = core.soundBank;

    if (key == 'm' || key == 'M') {
        bank.toggleSoundMute();
        if (bank.musicMuted != bank.soundMuted) bank.toggleMusicMute();
        core.optionsMenu.rows[OptionsMenu::SoundMute] = bank.soundMuted;
        core.optionsMenu.rows[OptionsMenu::MusicMute] = bank.musicMuted;
        core.savePlayerData();
        bank.playMenuBeep();
    }
    if (key == '`' && debug && !core.exhibition) padDebugVisible = !padDebugVisible;
    if (key == 'z' && debug && !core.exhibition) gifCapture = !gifCapture;
    if (key == 's') screenshotRequested = true;
    if (key == 'a' && debug) musicDebugVisible = !musicDebugVisible;
    if (key == 'd' && debug) core.debugOverlay = !core.debugOverlay;
    if (musicDebugVisible) {
        if (key == '-') bank.setMusicVolume(bank.musicVolume - 0.1f);
        if (key == '=' || key == '+') bank.setMusicVolume(bank.musicVolume + 0.1f);
        if (key == '0') bank.playMusic(bank.musicPaused, static_cast<int>(core.gameMode));
    }
    if (key == 'f') {
        toggleFullscreen();
        core.optionsMenu.rows[OptionsMenu::FullScreen] = fullScreen;
    }
    if (key == keyCtrlQ) ofExitApp();
    if (key == ']' && debug) {
        core.shipSelect.lockAll();
        core.savePlayerData();
        bank.playMissionFailed();
    }
    if (key == '[' && debug) {
        core.shipSelect.unlockAll();
        core.savePlayerData();
        bank.playMissionComplete();
    }
    if (key == 'j' && debug) {
        for (int i = 0; i < 4; ++i) {
            PlayerShip& ship = core.players[i];
            ship.joined = true;
            // Joined as the lobby joins: the level select keeps lobby slots only.
            core.slotInLobby[i] = true;
            ship.lobbyReady = true;
            ship.setShipType(static_cast<int>(ofRandom(9)));
        }
        core.playerCount = 4;
        allPlayersFollow = true;
    }
    if (key == 'o' && core.gameState == GameState::MainMenu) core.openOptions(true, 0);

    const bool space = key == ' ';
    if (core.gameState == GameState::Playing) {
        if (isBackKey(key) && core.missionRound && core.startHold) {
            core.returnToMenu(true);
            return;
        }
        // While the briefing is up space only confirms it.
        const bool pauseKey = key == 'p' || key == 'P' || isBackKey(key) || (space && !core.startHold);
        if (pauseKey) {
            core.setPaused(!core.paused);
            return;
        }
    }
    if (key == keyLeft || key == keyRight || key == keyUp || key == keyDown) {
        const int arrow = key == keyLeft ? 0 : key == keyRight ? 1 : key == keyUp ? 2 : 3;
        arrowHeld[arrow] = true;
        core.shipSelect.keyFocus = true;
        sendAction(key == keyLeft ? Left : key == keyRight ? Right : key == keyUp ? Up : Down);
        return;
    }
    if (space || key == keyEnter) sendAction(Confirm);
    if (isBackKey(key) && core.stateTime > 0.4f) keyPressedBack();
}

void vantorixPC::keyPressedBack() {
    switch (core.gameState) {
        case GameState::RoundOver:
        case GameState::ArcadeMenu:
        case GameState::MultiplayerLobby:
            core.returnToMenu(true);
            break;
        case GameState::ShipSelect:
            core.shipSelect.back();
            break;
        case GameState::Stats:
            core.openOptions(false, core.optionsMenu.fromRound ? 1 : 0);
            break;
        case GameState::Options:
            if (core.optionsMenu.creditsWarningOpen)
                core.optionsMenu.closeCreditsWarning();
            else
                core.optionsMenu.back();
            break;
        case GameState::Leaderboards:
            core.leaderboardScreen.backRequested = true;
            break;
        default:
            break;
    }
}

void vantorixPC::keyReleased(int key) {
    if (core.splashActive) return;
    if (key == keyLeft) arrowHeld[0] = false;
    if (key == keyRight) arrowHeld[1] = false;
    if (key == keyUp) arrowHeld[2] = false;
    if (key == keyDown) arrowHeld[3] = false;
}

void vantorixPC::mouseMoved(int x, int y) {
    if (core.splashActive) return;
    core.menuIdleTime = 0;
    const int vx = virtualX(x);
    const int vy = virtualY(y);
    const float fx = static_cast<float>(vx);
    const float fy = static_cast<float>(vy);
    switch (core.gameState) {
        case GameState::MainMenu:
            core.mainMenu.mouseInput(vx, vy, false);
            break;
        case GameState::Stats:
            core.statsScreen.mouseMoved(vx, vy);
            break;
        case GameState::Options:
            core.optionsMenu.mouseMoved(vx, vy);
            break;
        case GameState::Leaderboards:
            core.leaderboardScreen.mouseMoved(vx, vy);
            break;
        case GameState::RoundOver:
            core.submitButtonBlink = core.submitButton.inside(fx, fy);
            core.leaderboardButtonBlink = core.leaderboardButton.inside(fx, fy);
            break;
        case GameState::ScoreSubmit:
            core.scoreSubmitOverlay.mouseInput(vx, vy, false, false);
            break;
        case GameState::Playing:
            if (core.paused) {
                MissionList& pause = core.missionList;
                // Entering a button beeps once; staying on it does not.
                auto hover = [&](bool& flag, const ofRectangle& box) {
                    const bool was = flag;
                    flag = box.inside(fx, fy);
                    if (flag && !was) core.soundBank.playMenuBeep();
                };
                if (core.startHold) {
                    hover(pause.resumeHover, core.holdResumeButton);
                } else {
                    hover(pause.resumeHover, core.resumeButton);
                    hover(pause.abortHover, core.abortButton);
                }
                hover(core.optionsHighlighted, core.optionsButton);
            }
            break;
        default:
            break;
    }
}

void vantorixPC::mouseDragged(int x, int y, int button) {
    if (core.splashActive) return;
    const int vx = virtualX(x);
    const int vy = virtualY(y);
    if (core.gameState == GameState::MainMenu) core.mainMenu.mouseInput(vx, vy, false);
    if (core.gameState == GameState::RoundOver) {
        core.submitButtonBlink = core.submitButton.inside(static_cast<float>(vx), static_cast<float>(vy));
        core.leaderboardButtonBlink = core.leaderboardButton.inside(static_cast<float>(vx), static_cast<float>(vy));
    }
    if (core.gameState == GameState::ScoreSubmit) core.scoreSubmitOverlay.mouseInput(vx, vy, false, false);
    core.mouseDragged(button, vx, vy);
}

void vantorixPC::mousePressed(int x, int y, int button) {
    if (core.splashActive) return;
    core.menuIdleTime = 0;
    if (core.gameState == GameState::MatchStats || (core.gameState == GameState::RoundOver && core.deathMatch)) return;
    const int vx = virtualX(x);
    const int vy = virtualY(y);
    core.mousePressed(button, vx, vy);
    if (core.gameState == GameState::MainMenu && button == 0) core.mainMenu.mouseInput(vx, vy, true);
    if (core.gameState == GameState::ScoreSubmit) core.scoreSubmitOverlay.mouseInput(vx, vy, true, false);
}

void vantorixPC::mouseReleased(int x, int y, int button) {
    if (core.splashActive) return;
    const int vx = virtualX(x);
    const int vy = virtualY(y);
    core.mouseReleased(button, vx, vy);
    if (core.gameState == GameState::ScoreSubmit) core.scoreSubmitOverlay.mouseInput(vx, vy, false, true);
}

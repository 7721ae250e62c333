#include "ofxGamepadHandler.h"

#include <OISPrereqs.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <string>

#include "WindowLookup.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofxGamepadInputSystem.h"

namespace {

std::mutex& singletonMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

// Read without the mutex once set, so that asking for the handler while
// holding its lock never takes the two locks in the other order.
std::atomic<ofxGamepadHandler*> singleton{nullptr};

// A process that ends without the exit event still ends the hot-plug thread
// before the statics it may read are torn down.
void stopHotplugAtExit() {
    std::lock_guard<std::mutex> guard(singletonMutex());
    if (ofxGamepadHandler* handler = singleton.load()) handler->disableHotplug(true);
}

// Holds the handler's thread lock for a scope, also when a listener throws.
class HeldLock {
public:
    explicit HeldLock(ofThread& owner) : thread(owner) { thread.lock(); }
    ~HeldLock() { thread.unlock(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    ofThread& thread;
};

}  // namespace

ofxGamepadHandler* ofxGamepadHandler::get() {
    if (ofxGamepadHandler* handler = singleton.load()) return handler;
    std::lock_guard<std::mutex> guard(singletonMutex());
    if (singleton.load() == nullptr) {
        singleton = new ofxGamepadHandler();
        static const bool hooked = std::atexit(stopHotplugAtExit) == 0;
        (void)hooked;
    }
    return singleton.load();
}

ofxGamepadHandler::ofxGamepadHandler() {
    ofAddListener(ofEvents().update, this, &ofxGamepadHandler::update);
    ofAddListener(ofEvents().exit, this, &ofxGamepadHandler::exit);
    updatePadList();
}

ofxGamepadHandler::~ofxGamepadHandler() {
    ofRemoveListener(ofEvents().update, this, &ofxGamepadHandler::update);
    ofRemoveListener(ofEvents().exit, this, &ofxGamepadHandler::exit);
    disableHotplug(true);
    {
        HeldLock held(*this);
        gamepads.clear();
        gamepadsNew.clear();
        inputSystem.reset();
    }
    std::lock_guard<std::mutex> guard(singletonMutex());
    if (singleton == this) singleton = nullptr;
}

int ofxGamepadHandler::getNumPads() {
    HeldLock held(*this);
    return static_cast<int>(gamepads.size());
}

ofxGamepad* ofxGamepadHandler::getGamepad(int index) {
    ofxGamepad* pad = nullptr;
    bool empty;
    {
        HeldLock held(*this);
        empty = gamepads.empty();
        if (!empty && index >= 0 && index < static_cast<int>(gamepads.size())) {
            pad = gamepads[static_cast<size_t>(index)].get();
        }
    }
    if (empty) ofLogWarning() << "ofxGamepad::getGamepad(): WARNING NO GAMEPAD CONNECTED. GAMEPAD IS NULL.";
    return pad;
}

void ofxGamepadHandler::enableHotplug(int interval) {
    hotplugEnabled = true;
    hotplugInterval = interval;
    // A worker that was told to stop may still be winding down; let it end so
    // that hot-plugging really runs again.
    if (!isThreadRunning()) waitForThread();
    startThread(true, false);
}

void ofxGamepadHandler::disableHotplug(bool join) {
    hotplugEnabled = false;
    stopHotplugThread();
    if (join) waitForThread();
}

void ofxGamepadHandler::stopHotplugThread() {
    stopThread();
    {
        std::lock_guard<std::mutex> guard(sleepMutex);
    }
    wake.notify_all();
}

void ofxGamepadHandler::update(ofEventArgs&) {
    HeldLock held(*this);
    for (auto& pad : gamepads) pad->update();
}

void ofxGamepadHandler::exit(ofEventArgs&) {
    // A rescan re-binds pads: none runs once they have been told of the exit.
    disableHotplug(true);
    PadList pads;
    {
        HeldLock held(*this);
        pads = gamepads;
    }
    for (auto& pad : pads) pad->exit();
    delete this;
}

void ofxGamepadHandler::draw(int x, int y) {
    HeldLock held(*this);
    ofPushMatrix();
    ofTranslate(static_cast<float>(x), static_cast<float>(y));
    ofPoint position(static_cast<float>(x), static_cast<float>(y));
    for (auto& pad : gamepads) {
        pad->draw(static_cast<int>(position.x), static_cast<int>(position.y));
        position.x += pad->drawSize.x + 20;
    }
    ofPopMatrix();
}

void ofxGamepadHandler::updatePadList() {
    unsigned long window = FindWindowW(nullptr, L"VANTORIX");
    if (window == 0) {
        ofLogWarning() << "ofxGamepadHandler: window \"VANTORIX\" not found, pads not rescanned";
        return;
    }
    OIS::ParamList params;
    params.insert(std::make_pair(std::string("WINDOW"), std::to_string(window)));

    std::unique_ptr<ofxGamepadInputSystem> system;
    try {
        system = ofxGamepadOpenInputSystem(params);
    } catch (const std::exception& e) {
        ofLogError() << "ofxGamepadHandler: cannot open the input system: " << e.what();
        return;
    }
    if (!system) return;

    const std::vector<OIS::JoyStick*>& sticks = system->getJoysticks();
    std::vector<bool> used(sticks.size(), false);

    // Re-binding, dropping the old input system (and with it the joysticks of
    // pads not found again) and exchanging the lists form one step for the
    // main thread, which must never capture a destroyed joystick.
    HeldLock held(*this);
    PadList oldPads = gamepads;
    gamepadsNew.clear();
    for (size_t i = 0; i < sticks.size(); ++i) {
        for (auto it = oldPads.begin(); it != oldPads.end(); ++it) {
            if ((*it)->getName() == sticks[i]->vendor()) {
                (*it)->setup(sticks[i]);
                gamepadsNew.push_back(*it);
                oldPads.erase(it);
                used[i] = true;
                break;
            }
        }
    }
    for (size_t i = 0; i < sticks.size(); ++i) {
        if (used[i]) continue;
        // Pads are already re-bound to the new joysticks: a device that
        // cannot be set up is skipped rather than abandoning the rescan.
        try {
            gamepadsNew.push_back(std::make_shared<ofxGamepadOIS>(sticks[i]));
        } catch (const std::exception& e) {
            ofLogError() << "ofxGamepadHandler: cannot set up " << sticks[i]->vendor() << ": " << e.what();
        }
    }
    inputSystem = std::move(system);
    gamepads.swap(gamepadsNew);
    gamepadsNew.clear();
}

void ofxGamepadHandler::threadedFunction() {
    while (isThreadRunning()) {
        try {
            updatePadList();
        } catch (const std::exception& e) {
            ofLogError() << "ofxGamepadHandler: rescan failed: " << e.what();
        }
        std::unique_lock<std::mutex> guard(sleepMutex);
        wake.wait_for(guard, std::chrono::milliseconds(hotplugInterval.load()), [this] { return !isThreadRunning(); });
    }
}

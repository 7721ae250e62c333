#pragma once

// Fake OIS joysticks and a fake input system, so pads can be tested without
// devices. Joysticks of a destroyed input system are kept (not freed) and
// flagged, so any later use is counted instead of being undefined.

#include <OISException.h>
#include <OISForceFeedback.h>
#include <OISJoyStick.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "CapturedOutput.h"
#include "ofxGamepadInputSystem.h"
#include "ofxGamepadOIS.h"

namespace fakepads {

inline std::atomic<int>& useAfterDestroy() {
    static std::atomic<int> count{0};
    return count;
}

class FakeForceFeedback : public OIS::ForceFeedback {
public:
    void setMasterGain(float level) override { gains.push_back(level); }
    void setAutoCenterMode(bool) override {}
    void upload(const OIS::Effect*) override {}
    void modify(const OIS::Effect*) override {}
    void remove(const OIS::Effect*) override {}
    short getFFAxesNumber() override { return 0; }
    unsigned short getFFMemoryLoad() override { return 0; }
    std::vector<float> gains;
};

struct DeviceSpec {
    DeviceSpec(std::string name = "", int axes = 2, int buttons = 4, int povs = 0)
        : name(std::move(name)), axes(axes), buttons(buttons), povs(povs) {}
    std::string name;
    int axes, buttons, povs;
    bool feedback = false;
    std::vector<OIS::Effect::EType> effects;  // all with constant force
};

class FakeJoyStick : public OIS::JoyStick {
public:
    FakeJoyStick(const DeviceSpec& desc, int devId) : OIS::JoyStick(desc.name, true, devId, nullptr) {
        mState.mAxes.resize(static_cast<size_t>(desc.axes));
        mState.mButtons.resize(static_cast<size_t>(desc.buttons));
        mPOVs = desc.povs;
        mSliders = 0;
        if (desc.feedback) feedback.reset(new FakeForceFeedback);
        for (auto type : desc.effects) feedback->_addEffectTypes(OIS::Effect::ConstantForce, type);
    }

    void setBuffered(bool) override {}
    void _initialize() override {}
    OIS::Interface* queryInterface(OIS::Interface::IType type) override {
        return touch(), type == OIS::Interface::ForceFeedback ? feedback.get() : nullptr;
    }
    void setEventCallback(OIS::JoyStickListener* l) override { touch(), OIS::JoyStick::setEventCallback(l); }

    // Queued events; the index is not checked, like a misbehaving driver.
    void queueAxis(int axis, int raw) { queue.push_back({Axis, axis, raw}); }
    void queueButton(int button, bool pressed) { queue.push_back({pressed ? Press : Release, button, 0}); }
    void queuePov(int pov, int direction) { queue.push_back({Pov, pov, direction}); }

    void capture() override {
        touch();
        ++captures;
        for (; !queue.empty(); queue.pop_front()) {
            const Queued q = queue.front();
            OIS::JoyStickEvent event(this, mState);
            if (q.kind == Axis && q.index >= 0 && static_cast<size_t>(q.index) < mState.mAxes.size())
                mState.mAxes[static_cast<size_t>(q.index)].abs = q.value;
            if (q.kind == Pov && q.index >= 0 && q.index < 4) mState.mPOV[q.index].direction = q.value;
            if (q.kind == Axis) mListener->axisMoved(event, q.index);
            else if (q.kind == Pov) mListener->povMoved(event, q.index);
            else if (q.kind == Press) mListener->buttonPressed(event, q.index);
            else mListener->buttonReleased(event, q.index);
        }
    }

    OIS::JoyStickListener* listener() const { return mListener; }
    FakeForceFeedback* forceFeedback() const { return feedback.get(); }

    std::atomic<bool> destroyed{false};
    std::atomic<int> captures{0};

private:
    void touch() { useAfterDestroy() += destroyed ? 1 : 0; }

    enum Kind { Axis, Press, Release, Pov };
    struct Queued { Kind kind; int index, value; };
    std::deque<Queued> queue;
    std::unique_ptr<FakeForceFeedback> feedback;
};

// The plugged-in devices and every joystick ever created, shared with the
// hot-plug thread: lock `mutex` for anything the thread may touch.
class FakeDevices {
public:
    void plug(const std::vector<DeviceSpec>& specs) { std::lock_guard<std::mutex> lock(mutex); devices = specs; }
    int opens() { std::lock_guard<std::mutex> lock(mutex); return openCount; }
    // Joysticks of the most recent input system, in creation order.
    std::vector<FakeJoyStick*> latest() { std::lock_guard<std::mutex> lock(mutex); return latestSticks; }

    ofxGamepadInputSystemFactory factory();

    std::mutex mutex;
    bool failNextOpen = false;
    std::string windowParam;

private:
    friend class FakeInputSystem;
    std::vector<DeviceSpec> devices;
    std::vector<std::unique_ptr<FakeJoyStick>> graveyard;
    std::vector<FakeJoyStick*> latestSticks;
    int openCount = 0;
};

class FakeInputSystem : public ofxGamepadInputSystem {
public:
    explicit FakeInputSystem(FakeDevices& owner) {
        owner.latestSticks.clear();
        for (const DeviceSpec& desc : owner.devices) {
            owner.graveyard.emplace_back(new FakeJoyStick(desc, static_cast<int>(joysticks.size())));
            owner.latestSticks.push_back(owner.graveyard.back().get());
            joysticks.push_back(owner.graveyard.back().get());
        }
    }
    ~FakeInputSystem() override { for (OIS::JoyStick* s : joysticks) static_cast<FakeJoyStick*>(s)->destroyed = true; }
};

inline ofxGamepadInputSystemFactory FakeDevices::factory() {
    return [this](OIS::ParamList& params) -> std::unique_ptr<ofxGamepadInputSystem> {
        std::lock_guard<std::mutex> lock(mutex);
        ++openCount;
        auto it = params.find("WINDOW");
        windowParam = it == params.end() ? std::string("<none>") : it->second;
        if (std::exchange(failNextOpen, false)) OIS_EXCEPT(OIS::E_General, "fake input system refused");
        return std::unique_ptr<ofxGamepadInputSystem>(new FakeInputSystem(*this));
    };
}

// A pad bound to the stick, its binding lines kept off the console.
inline std::unique_ptr<ofxGamepadOIS> quietPad(FakeJoyStick& stick) {
    std::unique_ptr<ofxGamepadOIS> pad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    return pad;
}

}  // namespace fakepads

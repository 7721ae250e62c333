#include "ofxGamepadInputSystem.h"

#include <OISInputManager.h>
#include <OISJoyStick.h>

#include <mutex>

namespace {

class OISInputSystem : public ofxGamepadInputSystem {
public:
    explicit OISInputSystem(OIS::ParamList& params) : manager(OIS::InputManager::createInputSystem(params)) {
        try {
            int count = manager->getNumberOfDevices(OIS::OISJoyStick);
            for (int i = 0; i < count; ++i) {
                OIS::Object* object = manager->createInputObject(OIS::OISJoyStick, true, "");
                auto* stick = dynamic_cast<OIS::JoyStick*>(object);
                if (stick != nullptr) joysticks.push_back(stick);
            }
        } catch (...) {
            // The manager takes the joysticks made so far down with it.
            OIS::InputManager::destroyInputSystem(manager);
            throw;
        }
    }
    ~OISInputSystem() override { OIS::InputManager::destroyInputSystem(manager); }

private:
    OIS::InputManager* manager;
};

struct FactoryState {
    std::mutex mutex;
    ofxGamepadInputSystemFactory factory;
};

FactoryState& factoryState() {
    static FactoryState* state = new FactoryState;
    return *state;
}

}  // namespace

std::unique_ptr<ofxGamepadInputSystem> ofxGamepadOpenOISInputSystem(OIS::ParamList& params) {
    return std::unique_ptr<ofxGamepadInputSystem>(new OISInputSystem(params));
}

void ofxGamepadSetInputSystemFactory(ofxGamepadInputSystemFactory factory) {
    FactoryState& state = factoryState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.factory = std::move(factory);
}

std::unique_ptr<ofxGamepadInputSystem> ofxGamepadOpenInputSystem(OIS::ParamList& params) {
    ofxGamepadInputSystemFactory factory;
    {
        FactoryState& state = factoryState();
        std::lock_guard<std::mutex> lock(state.mutex);
        factory = state.factory;
    }
    if (factory) return factory(params);
    return ofxGamepadOpenOISInputSystem(params);
}

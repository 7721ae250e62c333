#include "SingleFloatValueMissionComponent.h"

#include "ofUtils.h"

SingleFloatValueMissionComponent::SingleFloatValueMissionComponent(int kind, float seconds) : target(seconds) {
    goalKind = kind;
}

bool SingleFloatValueMissionComponent::isComplete() const {
    return counters.time() >= target;
}

std::string SingleFloatValueMissionComponent::progressText() const {
    float t = counters.time();
    if (!(t >= 0)) t = 0;
    if (t > target) t = target;
    return "SURVIVE " + ofToString(static_cast<int>(t)) + "/" + ofToString(static_cast<int>(target));
}

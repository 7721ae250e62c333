#include "SingleValueMissionComponent.h"

#include "ofUtils.h"

SingleValueMissionComponent::SingleValueMissionComponent(int kind, int targetValue) : target(targetValue) {
    goalKind = kind;
}

int SingleValueMissionComponent::read() const {
    switch (goalKind) {
        case 0: return counters.kills();
        case 1: return counters.rocks();
        case 2: return counters.multikill();
        default: return 0;
    }
}

void SingleValueMissionComponent::update(float) {
    const int value = read();
    if (value > best) best = value;
}

bool SingleValueMissionComponent::isComplete() const {
    return best >= target;
}

void SingleValueMissionComponent::reset() {
    best = 0;
}

std::string SingleValueMissionComponent::progressText() const {
    static const char* const labels[3] = {"FOES ", "ROCKS ", "MULTIKILL "};
    const char* label = goalKind >= 0 && goalKind < 3 ? labels[goalKind] : "";
    const int shown = best < target ? best : target;
    return label + ofToString(shown) + "/" + ofToString(target);
}

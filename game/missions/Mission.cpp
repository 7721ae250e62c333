#include "Mission.h"

bool Mission::goalsMet() const {
    bool anyGoal = false;
    for (const auto& component : components) {
        if (!component || !component->isGoal()) continue;
        anyGoal = true;
        if (!component->isComplete()) return false;
    }
    return anyGoal;
}

std::string Mission::progressText() const {
    std::string text;
    for (const auto& component : components) {
        if (!component || !component->isGoal()) continue;
        if (!text.empty()) text += "  ";
        text += component->progressText();
    }
    return text;
}

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MissionComponent.h"

// One mission: its goals and effects, and what the core reads of it to set
// up a round. Copies share their components.
class Mission {
public:
    // Done when every goal is met.
    bool goalsMet() const;
    // The goals' progress texts joined by two spaces.
    std::string progressText() const;

    std::string name;
    std::string description;
    // Place in the pool; the pool is kept sorted by it.
    int order = 0;
    bool complete = false;
    float timeValue = -1;
    int wallShape = 0;
    // A radius for shape 0 instead of the usual one; -1 for none.
    float wallRadius = -1;
    // The kinds of the goal components, in order.
    std::vector<int> goalKinds;
    bool blackHole = false;
    // -1 asks for the growing hole.
    float blackHoleRadius = 0;
    int chainCap = -1;
    bool exitOpen = false;
    std::vector<std::shared_ptr<MissionComponent>> components;
    float rockInterval = -1;
    float rockSizeMax = -1;
    float rockSizeMin = -1;
    float rockSplitSize = -1;
    float foeInterval = -1;
    float foeMinGap = -1;
    float spiralChance = -1;
    float jitterChance = -1;
    int baronScore = -1;
    float baronChance = -1;
};

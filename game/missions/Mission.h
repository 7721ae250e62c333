#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MissionComponent.h"

// One mission: what the core reads of it to set up a round.
class Mission {
public:
    std::string name;
    std::string description;
    std::string progressText;
    float timeValue = -1;
    int wallShape = 0;
    float wallRadius = -1;
    std::vector<int> goalKinds;
    bool blackHole = false;
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

#include "AttractPrompt.h"

void AttractPrompt::updateIdle(float frameTime) {
    idleTime += frameTime;
}

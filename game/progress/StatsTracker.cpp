#include "StatsTracker.h"

void StatsTracker::setup() {}
void StatsTracker::startGlobalStatGetters() {}
void StatsTracker::toggleGlobalStats() {}
void StatsTracker::readBackFromSteam() {}

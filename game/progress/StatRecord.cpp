#include "StatRecord.h"

#include "AchievementAndStatsWrapper.h"
#include "ofMath.h"

void StatRecord::submit(float amount) {
    if (wrapper == nullptr) return;
    if (!isGlobal) {
        if (isInt) wrapper->setStatInt(name, ofTruncToInt(amount));
        else wrapper->setStatFloat(name, amount);
        return;
    }
    if (!sendingEnabled) return;
    if (wrapper->ready && !wrapper->requestPending) {
        if (steamRecord != nullptr) wrapper->setStatInt(name, ofTruncToInt(steamRecord->value));
    } else if (sender) {
        sender->send(name, ofTruncToInt(amount), version);
    }
}

void StatRecord::raise(float amount) {
    value += amount;
    submit(isGlobal ? amount : value);
}

void StatRecord::bump() {
    raise(1);
}

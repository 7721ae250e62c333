#include "StatRecord.h"

#include "AchievementAndStatsWrapper.h"

void StatRecord::submit(float amount) {
    if (wrapper == nullptr) return;
    if (!isGlobal) {
        if (isInt) wrapper->setStatInt(name, static_cast<int>(amount));
        else wrapper->setStatFloat(name, amount);
        return;
    }
    if (!sendingEnabled) return;
    if (wrapper->ready && !wrapper->requestPending) {
        if (steamRecord != nullptr) wrapper->setStatInt(name, static_cast<int>(steamRecord->value));
    } else if (sender) {
        sender->send(name, static_cast<int>(amount), version);
    }
}

void StatRecord::raise(float amount) {
    value += amount;
    submit(isGlobal ? amount : value);
}

void StatRecord::bump() {
    raise(1);
}

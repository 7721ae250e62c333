#include "ArcadeScoreTable.h"

void ArcadeScoreTable::setWidth(int w) {
    width = w;
}

void ArcadeScoreTable::update(float) {}

void ArcadeScoreTable::drawNameEntry(int) {}

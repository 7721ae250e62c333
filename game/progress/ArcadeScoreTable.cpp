#include "ArcadeScoreTable.h"

#include <algorithm>

#include "PixelFont.h"
#include "ofGraphics.h"
#include "ofUtils.h"

void ArcadeScoreTable::setup(PixelFont* f) {
    font = f;
}

void ArcadeScoreTable::setWidth(int w) {
    width = w;
}

int ArcadeScoreTable::tableIndex(int d, bool c) {
    const int index = d == 2 ? 1 : (d == 4 ? 2 : 0);
    return c ? index + 3 : index;
}

const std::vector<ArcadeScoreTable::Row>& ArcadeScoreTable::table(int d, bool c) const {
    return tables[tableIndex(d, c)];
}

bool ArcadeScoreTable::offer(int score, int d, bool c) {
    const std::vector<Row>& rows = tables[tableIndex(d, c)];
    const bool fits = score > 0 && (static_cast<int>(rows.size()) < rowsPerTable || score > rows.back().score);
    if (!fits) return false;
    difficulty = d;
    coop = c;
    pendingScore = score;
    initials[0] = initials[1] = initials[2] = 'A';
    letter = 0;
    entryTime = 0;
    entering = true;
    initialsConfirmed = false;
    return true;
}

void ArcadeScoreTable::update(float frameTime) {
    if (entering) entryTime += frameTime;
}

void ArcadeScoreTable::handleInput(int dx, int dy, bool confirm) {
    if (!entering) return;
    if (dy != 0) initials[letter] = static_cast<char>('A' + ((initials[letter] - 'A' + dy) % 26 + 26) % 26);
    if (dx != 0) letter = std::max(0, std::min(2, letter + dx));
    if (!confirm) return;
    if (letter < 2) {
        ++letter;
        return;
    }
    std::vector<Row>& rows = tables[tableIndex(difficulty, coop)];
    Row row;
    row.initials = std::string(initials, 3);
    row.score = pendingScore;
    std::size_t at = 0;
    while (at < rows.size() && rows[at].score >= row.score) ++at;
    rows.insert(rows.begin() + static_cast<long>(at), row);
    if (static_cast<int>(rows.size()) > rowsPerTable) rows.pop_back();
    entering = false;
    initialsConfirmed = true;
}

void ArcadeScoreTable::drawNameEntry(int alpha) {
    if (font == nullptr || !entering) return;
    const float cx = static_cast<float>(width / 2);
    ofFill();
    ofSetColor(255, 255, 255, alpha);
    font->drawStringCentered("NEW HIGH SCORE", 8.5f, cx, 250);
    font->drawStringCentered(ofToString(pendingScore), 8.5f, cx, 380);
    for (int i = 0; i < 3; ++i) {
        const int shown = i == letter ? alpha : alpha / 2;
        ofSetColor(255, 255, 255, shown);
        font->drawStringCentered(std::string(1, initials[i]), 11.0f, cx + static_cast<float>((i - 1) * 120), 560);
    }
}

#include "StatsScreen.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "PixelFont.h"
#include "StatsTracker.h"
#include "ofGraphics.h"

namespace {

const int visibleRows = 16;
const float firstRowY = 200;

// Stored stats are floats up to 3e38: one too large to convert shows as the
// largest figure the screen prints (NaN as 0).
long long shownFigure(float value) {
    const float limit = 9223372036854775808.0f;  // 2^63, exact in a float
    if (std::isnan(value)) return 0;
    if (value >= limit) return std::numeric_limits<long long>::max();
    if (value < -limit) return std::numeric_limits<long long>::min();
    return static_cast<long long>(value);
}

}  // namespace

void StatsScreen::setup(PixelFont* f, StatsTracker* s) {
    font = f;
    stats = s;
    layout(width);
}

void StatsScreen::open() {
    backRequested = false;
    panel.open();
}

void StatsScreen::update(float frameTime) {
    panel.update(frameTime);
    panel.setRows(static_cast<int>(rowTexts().size()), visibleRows);
}

void StatsScreen::mousePressed(int x, int y) {
    panel.mousePressed(x, y);
}

void StatsScreen::mouseReleased(int x, int y) {
    if (panel.mouseReleased(x, y)) backRequested = true;
}

void StatsScreen::mouseDragged(int x, int y) {
    panel.mouseDragged(x, y);
}

void StatsScreen::scrollByAxis(float amount) {
    panel.scrollBy(amount * 0.3f);
}

void StatsScreen::mouseMoved(int, int) {}

void StatsScreen::layout(int w) {
    width = w;
    panel.layout(width, height);
}

std::string StatsScreen::displayName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) out += c == '_' ? ' ' : static_cast<char>(std::toupper(c));
    return out;
}

std::string StatsScreen::formatTime(float seconds) {
    const long long whole = seconds > 0 ? shownFigure(seconds) : 0;
    char text[32];
    std::snprintf(text, sizeof(text), "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

std::vector<std::pair<std::string, std::string>> StatsScreen::rowTexts() const {
    std::vector<std::pair<std::string, std::string>> out;
    if (stats == nullptr) return out;
    for (const std::string& name : stats->globalNames) {
        const long long total = stats->globalTotal(name);
        out.emplace_back(displayName(name) + " (WORLD)", total >= 0 ? std::to_string(total) : "--");
    }
    for (const std::string& name : stats->order) {
        const auto found = stats->records.find(name);
        if (found == stats->records.end()) continue;
        const StatRecord& r = found->second;
        out.emplace_back(displayName(name),
                         r.isInt ? std::to_string(shownFigure(r.value)) : formatTime(r.value));
    }
    return out;
}

void StatsScreen::draw(int alpha) {
    if (font == nullptr) return;
    const float cx = static_cast<float>(width / 2);
    ofFill();
    ofSetColor(textColor, alpha);
    font->drawStringCentered("STATS", 8.5f, cx, 100);
    const std::vector<std::pair<std::string, std::string>> rows = rowTexts();
    const int first = panel.firstRow();
    for (int i = first; i < first + visibleRows && i < static_cast<int>(rows.size()); ++i) {
        const float y = firstRowY + static_cast<float>(i - first) * panel.rowHeight;
        font->drawString(rows[static_cast<std::size_t>(i)].first, 2.5f, cx - 400, y);
        font->drawStringRight(rows[static_cast<std::size_t>(i)].second, 2.5f, cx + 400, y);
    }
    ofNoFill();
    ofRect(panel.backButton);
    ofFill();
    font->drawStringCentered("Back", 3.0f, panel.backButton.x + panel.backButton.width / 2,
                             panel.backButton.y + panel.backButton.height / 2);
}

#include "LeaderboardScreen.h"

#include "PixelFont.h"
#include "ofGraphics.h"
#include "ofUtils.h"

namespace {

const int visibleRows = 14;
const float firstRowY = 300;

}  // namespace

LeaderboardScreen::~LeaderboardScreen() {
    // Every request in flight ends now, then each worker is joined.
    if (loader) loader->stop();
    for (auto& old : retired) old->stop();
    loader.reset();
    retired.clear();
}

void LeaderboardScreen::setup(PixelFont* f, const std::string* name) {
    font = f;
    playerName = name;
    layout(width);
}

void LeaderboardScreen::setServer(const ScoreServer& s) {
    server = s;
}

void LeaderboardScreen::open(bool pad, bool gameOver) {
    padActive = pad;
    fromGameOver = gameOver;
    backRequested = false;
    if (difficulty != 1 && difficulty != 2 && difficulty != 4) difficulty = 1;
    panel.open();
    startLoad();
}

void LeaderboardScreen::startLoad() {
    if (loader) {
        // The table it loads is no longer wanted.
        loader->stop();
        retired.push_back(std::move(loader));
    }
    rows.clear();
    panel.setRows(0, visibleRows);
    if (!server.enabled()) {
        status = Off;
        return;
    }
    loader.reset(new ScoreLoader);
    loader->start(server, difficulty, coop);
    status = Loading;
}

void LeaderboardScreen::changeTable(int dx, bool toggleCoop) {
    static const int order[3] = {1, 2, 4};
    int index = difficulty == 2 ? 1 : (difficulty == 4 ? 2 : 0);
    index = ((index + dx) % 3 + 3) % 3;
    difficulty = order[index];
    if (toggleCoop) coop = !coop;
    panel.scroll = 0;
    startLoad();
}

void LeaderboardScreen::update(float frameTime) {
    panel.update(frameTime);
    for (std::size_t i = 0; i < retired.size();) {
        if (!retired[i]->ended()) ++i;
        else retired.erase(retired.begin() + static_cast<long>(i));
    }
    if (!loader) return;
    const ScoreLoader::LoadState s = loader->status(&rows);
    if (s == ScoreLoader::Loaded) {
        status = Loaded;
        panel.setRows(static_cast<int>(rows.size()), visibleRows);
        loader.reset();
    } else if (s == ScoreLoader::Failed) {
        status = Failed;
        loader.reset();
    }
}

void LeaderboardScreen::mousePressed(int x, int y) {
    panel.mousePressed(x, y);
}

void LeaderboardScreen::mouseReleased(int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const bool onPrevious = previousButton.inside(fx, fy), onNext = nextButton.inside(fx, fy),
               onCoop = coopButton.inside(fx, fy);
    if (panel.mouseReleased(x, y)) {
        backRequested = true;
        return;
    }
    if (onPrevious) changeTable(-1, false);
    else if (onNext) changeTable(1, false);
    else if (onCoop) changeTable(0, true);
}

void LeaderboardScreen::mouseDragged(int x, int y) {
    panel.mouseDragged(x, y);
}

void LeaderboardScreen::mouseMoved(int, int) {}

void LeaderboardScreen::scrollByAxis(float amount) {
    panel.scrollBy(amount * 0.3f);
}

void LeaderboardScreen::requestBack() {
    if (panel.backAllowed()) backRequested = true;
}

void LeaderboardScreen::handleInput(int dx, int dy, bool confirm) {
    if (dy != 0) panel.scrollBy(static_cast<float>(dy));
    if (dx != 0 || confirm) changeTable(dx, confirm);
}

void LeaderboardScreen::layout(int w) {
    width = w;
    panel.layout(width, height);
    const float cx = static_cast<float>(width / 2);
    previousButton = ofRectangle(cx - 330, 170, 60, 60);
    nextButton = ofRectangle(cx + 270, 170, 60, 60);
    coopButton = ofRectangle(cx - 120, 225, 240, 40);
}

std::string LeaderboardScreen::statusText() const {
    if (status == Loading) return "Loading...";
    if (status == Failed) return "Could not load scores";
    if (status == Off) return "Online scores are off";
    return rows.empty() ? "No scores yet" : std::string();
}

std::string LeaderboardScreen::tableTitle() const {
    const std::string name = difficulty == 2 ? "HARD" : (difficulty == 4 ? "ASTEROID FIELD" : "EASY");
    return coop ? name + " CO-OP" : name;
}

std::vector<std::string> LeaderboardScreen::rowTexts(int row) const {
    if (row < 0 || row >= static_cast<int>(rows.size())) return {};
    const ScoreEntry& e = rows[static_cast<std::size_t>(row)];
    return {ofToString(row + 1) + ".", e.name, ofToString(e.score)};
}

void LeaderboardScreen::draw(int alpha) {
    if (font == nullptr) return;
    const float cx = static_cast<float>(width / 2);
    ofFill();
    ofSetColor(textColor, alpha);
    font->drawStringCentered("LEADERBOARDS", 8.5f, cx, 100);
    font->drawStringCentered(tableTitle(), 4.0f, cx, 200);
    font->drawStringCentered("<", 4.0f, previousButton.x + previousButton.width / 2, 200);
    font->drawStringCentered(">", 4.0f, nextButton.x + nextButton.width / 2, 200);
    font->drawStringCentered(coop ? "Show Single" : "Show Co-op", 2.5f, cx, 245);
    const std::string status = statusText();
    if (!status.empty()) font->drawStringCentered(status, 4.0f, cx, 480);
    const int first = panel.firstRow();
    for (int i = first; i < first + visibleRows && i < static_cast<int>(rows.size()); ++i) {
        const float y = firstRowY + static_cast<float>(i - first) * panel.rowHeight;
        const std::vector<std::string> texts = rowTexts(i);
        const bool mine = playerName != nullptr && !playerName->empty() && rows[static_cast<std::size_t>(i)].name == *playerName;
        ofSetColor(mine ? highlightColor : textColor, alpha);
        font->drawStringRight(texts[0], 3.0f, cx - 230, y);
        font->drawString(texts[1], 3.0f, cx - 200, y);
        font->drawStringRight(texts[2], 3.0f, cx + 320, y);
    }
    ofSetColor(textColor, alpha);
    ofNoFill();
    ofRect(panel.backButton);
    ofFill();
    font->drawStringCentered("Back", 3.0f, panel.backButton.x + panel.backButton.width / 2,
                             panel.backButton.y + panel.backButton.height / 2);
}

#include "ScoreSubmitOverlay.h"

#include <algorithm>

#include "PixelFont.h"
#include "PlayerData.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofUtils.h"

namespace {

const int keyBackspace = 8;
const int keyEnter = 13;
const int keyEscape = 27;
const int keyDelete = 127;
const int guardUpdates = 8;

}  // namespace

ScoreSubmitOverlay::~ScoreSubmitOverlay() {
    // Quitting: every request in flight ends now, then each worker is joined.
    if (sender) sender->stop();
    for (auto& old : retired) old->stop();
    sender.reset();
    retired.clear();
}

const std::string& ScoreSubmitOverlay::padCharacters() {
    static const std::string characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    return characters;
}

void ScoreSubmitOverlay::setup(PixelFont* f) {
    font = f;
    reset();
    layout(width);
}

void ScoreSubmitOverlay::setServer(const ScoreServer& s) {
    server = s;
    available = server.enabled();
}

void ScoreSubmitOverlay::retireSender() {
    if (!sender) return;
    // A score on its way is let finish; only quitting cancels it.
    sender->stopThread();
    retired.push_back(std::move(sender));
}

void ScoreSubmitOverlay::reapRetired() {
    for (std::size_t i = 0; i < retired.size();) {
        if (!retired[i]->ended()) {
            ++i;
        } else {
            retired.erase(retired.begin() + static_cast<long>(i));
        }
    }
}

void ScoreSubmitOverlay::reset() {
    retireSender();
    sent = false;
    shown = false;
    sending = false;
    busy = false;
    done = false;
    message.clear();
    available = server.enabled();
}

void ScoreSubmitOverlay::open(int s, int m, const std::vector<int>& ships, bool b) {
    score = s;
    mode = m;
    shipTypes = ships;
    coop = ships.size() > 1;
    build = b;
    updatesSinceOpen = 0;
    message.clear();
    if (m != 1 && m != 2 && m != 4) {
        available = false;
        done = true;
        shown = false;
        return;
    }
    done = false;
    shown = true;
    cursor = static_cast<int>(playerName.size());
}

void ScoreSubmitOverlay::submit(bool force) {
    if (!force && updatesSinceOpen < guardUpdates) return;
    if (!available || sent || busy || playerName.empty()) return;
    retireSender();
    sender.reset(new ScoreSender);
    sender->start(server, playerName, score, mode, coop, shipTypes, build);
    sending = true;
    busy = true;
    sendingTime = 0;
    message.clear();
}

void ScoreSubmitOverlay::close() {
    done = true;
}

void ScoreSubmitOverlay::toggleAutoSubmit() {
    autoSubmit = !autoSubmit;
}

void ScoreSubmitOverlay::update(float frameTime) {
    ++updatesSinceOpen;
    if (sender) sendingTime += frameTime;
    poll();
}

void ScoreSubmitOverlay::poll() {
    reapRetired();
    if (!sender) return;
    switch (sender->status()) {
        case ScoreSender::Sent:
            sent = true;
            done = true;
            sending = false;
            busy = false;
            message = "Score sent";
            sender.reset();
            break;
        case ScoreSender::Failed:
            sending = false;
            busy = false;
            message = "Could not send score";
            sender.reset();
            break;
        default:
            break;
    }
}

void ScoreSubmitOverlay::keyPressed(int key) {
    if (!shown) return;
    // Closing is always possible; a submission at work goes on behind.
    if (key == keyEscape) {
        close();
        return;
    }
    if (sending) return;
    if (key == keyEnter)
        submit(true);
    else
        editName(key);
}

void ScoreSubmitOverlay::editName(int key) {
    if (key == keyBackspace || key == keyDelete) {
        if (!playerName.empty()) playerName.pop_back();
    } else if (PlayerData::nameChar(key) && static_cast<int>(playerName.size()) < PlayerData::maxNameLength) {
        playerName += static_cast<char>(key);
    }
    cursor = static_cast<int>(playerName.size());
}

void ScoreSubmitOverlay::handleInput(int dx, int dy, bool confirm, bool start, bool erase, bool select) {
    if (!shown) return;
    if (select) {
        close();
        return;
    }
    if (sending) return;
    const int count = static_cast<int>(padCharacters().size());
    if (dy != 0) padCharacter = ((padCharacter + dy) % count + count) % count;
    if (dx != 0) cursor = std::max(0, std::min(static_cast<int>(playerName.size()), cursor + dx));
    if (confirm && static_cast<int>(playerName.size()) < PlayerData::maxNameLength) {
        playerName.insert(playerName.begin() + cursor, padCharacters()[padCharacter]);
        ++cursor;
    }
    if (erase && cursor > 0) {
        playerName.erase(playerName.begin() + (cursor - 1));
        --cursor;
    }
    if (start) submit(true);
}

void ScoreSubmitOverlay::mouseInput(int x, int y, bool pressed, bool released) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    hovered = submitButton.inside(fx, fy) ? 0 : (closeButton.inside(fx, fy) ? 1 : -1);
    (void)pressed;
    if (!released || !shown) return;
    if (hovered == 0) submit(true);
    else if (hovered == 1) close();
}

void ScoreSubmitOverlay::layout(int w) {
    width = w;
    const float cx = static_cast<float>(w / 2);
    submitButton = ofRectangle(cx - 250, 590, 220, 60);
    closeButton = ofRectangle(cx + 30, 590, 220, 60);
}

void ScoreSubmitOverlay::draw(int alpha) {
    if (!shown || font == nullptr) return;
    const float cx = static_cast<float>(width / 2);
    ofFill();
    ofSetColor(0, 0, 0, alpha * 220 / 255);
    ofRect(cx - 320, 300, 640, 380);
    ofNoFill();
    ofSetColor(255, 255, 255, alpha);
    ofRect(cx - 320, 300, 640, 380);
    ofFill();
    font->drawStringCentered("SUBMIT SCORE", 5.0f, cx, 350);
    font->drawStringCentered(ofToString(score), 4.0f, cx, 410);
    std::string shownName = playerName;
    // The insertion point blinks while the name can be edited.
    if (!sending && (ofGetFrameNum() / 7) % 2 == 0) shownName.insert(static_cast<std::size_t>(cursor), "_");
    font->drawStringCentered("NAME: " + shownName, 4.0f, cx, 480);
    std::string status = message;
    if (sending) status = "Sending" + std::string(static_cast<std::size_t>(static_cast<int>(sendingTime) % 4), '.');
    else if (!available) status = "Scores are offline";
    if (!status.empty()) font->drawStringCentered(status, 3.0f, cx, 540);
    const ofRectangle* buttons[2] = {&submitButton, &closeButton};
    const char* labels[2] = {"Submit", "Close"};
    for (int i = 0; i < 2; ++i) {
        ofSetColor(255, 255, 255, hovered == i ? alpha : alpha / 2);
        ofNoFill();
        ofRect(buttons[i]->x, buttons[i]->y, buttons[i]->width, buttons[i]->height);
        ofFill();
        font->drawStringCentered(labels[i], 3.0f, buttons[i]->x + buttons[i]->width / 2,
                                 buttons[i]->y + buttons[i]->height / 2);
    }
}

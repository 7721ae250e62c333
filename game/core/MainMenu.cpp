#include "MainMenu.h"

#include <cmath>

#include "MissionList.h"
#include "PixelFont.h"
#include "SoundBank.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

const char* const normalItems[] = {"Arcade",      "Mission",        "Co-op Arcade", "Death Match",
                                   "Leaderboards", "Options/Config", "Quit"};
const char* const cabinetItems[] = {"Death Match", "Single Player", "Cooperative", "High Scores"};
const char* const cabinetSoloItems[] = {"Arcade", "Mission", "Leaderboards"};

const char* const priceSlogans[] = {
    "dirt cheap!",          "hot damn!",           "cheap as hell!",     "what?",
    "price of a beer!",     "buy this thing!",     "barely even money!", "what a deal!",
    "pure savings!",        "money = games",       "way too cheap!",     "0% APR guaranteed!",
    "seriously low!",       "GOTY edition!",       "hell yes!",          "you love to buy games!",
    "inexpensive!",         "worth every penny!",  "fits your life style!", "hot game! low price!",
    "priced to sell, baby!", "hey there big spender!", "low low prices!", "actually a good deal!",
    "no joke!"};

const char* const webLine = "Get VANTORIX at vantorix.example";
const char* const authorLine = "A game by the VANTORIX team";
const char* const purchaseLine = "Buy VANTORIX for your own computer";

// Confirming a choice needs this much time on the menu.
const float confirmGuard = 0.4f;

}  // namespace

void MainMenu::setup(int w, int h, ofColor c, bool exhibitionFace, bool cabinetFace, bool solo, PixelFont* f,
                     MissionList* missions, SoundBank* sounds) {
    width = w;
    height = h;
    color = c;
    exhibition = exhibitionFace;
    cabinet = cabinetFace;
    cabinetSolo = solo;
    font = f;
    missionList = missions;
    soundBank = sounds;
    if (!exhibition)
        for (std::string& line : frontTextLines) line.clear();

    const char* const* items = normalItems;
    itemCount = 7;
    if (cabinetSolo) {
        items = cabinetSoloItems;
        itemCount = 3;
    } else if (cabinet) {
        items = cabinetItems;
        itemCount = 4;
    }
    for (int i = 0; i < maxItems; ++i) itemLabels[i] = i < itemCount ? items[i] : "";

    layout(width);
    selected = 0;

    if (cabinet)
        for (const char* slogan : priceSlogans) slogans.push_back(slogan);
}

void MainMenu::layout(int w) {
    width = w;
    int top = 400, bottom = height - 50;
    if (cabinetSolo) {
        top = 550;
        bottom = height - 70;
    } else if (cabinet) {
        top = 510;
        bottom = height - 90;
    }
    int step = itemCount > 0 ? (bottom - top) / itemCount : 0;
    int x = width / 2 - 250;
    for (int i = 0; i < maxItems; ++i) {
        float y = static_cast<float>(top + i * step);
        if (exhibition) y = 0.57f * static_cast<float>(height);
        if (i >= itemCount) y = 100000;
        itemRects[i] = ofRectangle(static_cast<float>(x), y, 500, static_cast<float>(step));
    }
}

void MainMenu::moveSelection(int direction, bool confirm) {
    if (disabled) return;
    if (direction != 0) {
        selected += direction;
        if (selected < 0) selected = itemCount - 1;
        if (selected >= itemCount) selected = 0;
        if (soundBank) soundBank->playMenuBeep();
    }
    if (confirm && selected != -1 && timer >= confirmGuard) confirmSelected();
}

void MainMenu::mouseInput(int x, int y, bool pressed) {
    if (disabled) return;
    for (int i = 0; i < maxItems; ++i) {
        // The exhibition face stacks every item on one rectangle; only its
        // one button counts.
        if (exhibition && i != 3) continue;
        if (!itemRects[i].inside(static_cast<float>(x), static_cast<float>(y))) continue;
        if (i != selected && soundBank) soundBank->playMenuBeep();
        selected = i;
        if (pressed && timer >= confirmGuard) confirmSelected();
    }
}

void MainMenu::confirmSelected() {
    confirmed = true;
    if (soundBank) soundBank->playFoeKill(0);
}

void MainMenu::reset() {
    confirmed = false;
    sloganIndex = static_cast<int>(ofRandom(static_cast<float>(slogans.size())));
    timer = 0;
}

void MainMenu::disable() {
    disabled = true;
}

void MainMenu::update(float dt) {
    timer += dt;
    for (int i = static_cast<int>(sparks.size()) - 1; i >= 0; --i)
        if (sparks[static_cast<size_t>(i)].life < 1) sparks.erase(sparks.begin() + i);

    if (selected >= 0 && selected < maxItems) addSparks();

    // The confirm sound of "Quit" is heard to its end before the program goes.
    if (disabled && !(soundBank && soundBank->foeKill.getIsPlaying())) ofExitApp();

    if (exhibition) selected = 3;
}

void MainMenu::addSparks() {
    if (!font) return;
    ofRectangle box;
    if (exhibition)
        box = font->getStringBoundingBox("Start Deathmatch", 8.5f, 0, 0);
    else
        box = font->getStringBoundingBox(itemLabels[selected], cabinet ? 6.5f : 4.0f, 0, 0);
    const ofRectangle& item = itemRects[selected];
    box.width += 60;
    box.height += 30;
    box.x = item.x + item.width / 2 - box.width / 2;
    box.y = item.y + item.height / 2 - box.height / 2;

    int count = (exhibition || cabinet) ? 7 : 4;
    for (int k = 0; k < count; ++k) {
        float r = ofRandom(6);
        float px, py;
        if (r < 1) {
            px = box.x;
            py = box.y + ofRandom(box.height);
        } else if (r < 2) {
            px = box.x + box.width;
            py = box.y + ofRandom(box.height);
        } else if (r < 4) {
            px = box.x + ofRandom(box.width);
            py = box.y;
        } else {
            px = box.x + ofRandom(box.width);
            py = box.y + box.height;
        }
        Spark spark;
        spark.setup(static_cast<float>(static_cast<int>(px)), static_cast<float>(static_cast<int>(py)),
                    ofColor(255, 255, 255));
        sparks.push_back(spark);
    }
}

void MainMenu::draw(int alpha, const MissionList& missions) {
    ofNoFill();
    ofSetLineWidth(1);
    for (Spark& spark : sparks) spark.stepAndDraw();

    ofSetColor(color, alpha);
    ofFill();
    drawTitleLogo(width / 2, 70, exhibition ? 1.3f : (cabinet ? 1.4f : 1.0f), 1.0f);
    if (!font) return;

    float labelSize = cabinet ? 6.0f : 4.0f;
    for (int i = 0; i < maxItems; ++i) {
        const ofRectangle& r = itemRects[i];
        float cx = r.x + r.width / 2;
        float cy = r.y + r.height / 2;
        if (exhibition) {
            if (itemLabels[i] != "Death Match") continue;
            ofSetColor(color, i == selected ? alpha : static_cast<int>(alpha * 0.5f));
            font->drawStringCentered("Start Deathmatch", 8.5f, cx, cy);
            continue;
        }
        ofSetColor(color, i == selected ? alpha : static_cast<int>(alpha * 0.5f));
        if (itemLabels[i] == "Mission")
            drawMissionProgress(i, labelSize, missions);
        else if (!itemLabels[i].empty())
            font->drawStringCentered(itemLabels[i], labelSize, cx, cy);
    }

    if (!cabinet) {
        ofSetColor(color, alpha);
        if (padCount <= 0) {
            if ((ofGetFrameNum() / 7) % 2 == 1)
                font->drawString("Insert game pads now.", 3.0f, 10, static_cast<float>(height - 10));
        } else {
            font->drawString("Game Pads: " + ofToString(padCount), 3.0f, 10, static_cast<float>(height - 10));
        }
    }

    if (exhibition) {
        ofSetColor(color, alpha);
        for (int line = 0; line < 4; ++line)
            font->drawStringCenteredX(frontTextLines[line], 4.0f, static_cast<float>(width / 2),
                                      static_cast<float>(height - 240 + 60 * line));
        return;
    }

    ofSetColor(color, alpha);
    if (cabinet && !cabinetSolo) {
        font->drawStringRight(purchaseLine, 3.0f, static_cast<float>(width - 15), static_cast<float>(height - 20));
        font->drawString(authorLine, 3.0f, 15, static_cast<float>(height - 20));
        if (price > 0) drawCabinetBadge();
    } else {
        font->drawStringRight(webLine, 3.0f, static_cast<float>(width - 10), static_cast<float>(height - 10));
        font->drawStringRight(authorLine, 3.0f, static_cast<float>(width - 10), static_cast<float>(height - 50));
    }
}

void MainMenu::drawMissionProgress(int i, float labelSize, const MissionList& missions) {
    const ofRectangle& r = itemRects[i];
    float cx = r.x + r.width / 2;
    float cy = r.y + r.height / 2;
    std::string progress = ofToString(static_cast<int>(missions.completed.size())) + "/" +
                           ofToString(missions.countAllMissions());
    float w1 = font->getStringWidth(progress, 3.0f);
    float w2 = font->getStringWidth(itemLabels[i], labelSize);
    font->drawStringCentered(itemLabels[i], labelSize, cx - w1 / 2, cy);
    font->drawString(progress, 2.25f, cx - w1 / 2 + 20 + w2 / 2, cy + font->getCharHeight(labelSize) / 2);

    int d = static_cast<int>(w1 + w2) / 2 + 50;
    int stars = missions.fullFinishes < 6 ? missions.fullFinishes : 6;
    for (int k = 0; k < stars; ++k) {
        int offset = d + (k / 2) * 62;
        float sx = static_cast<float>(k % 2 == 0 ? width / 2 - offset : width / 2 + offset);
        ofPushMatrix();
        ofTranslate(sx, cy);
        ofScale(0.75f, 0.75f, 1);
        missions.drawStar(0, 0);
        ofPopMatrix();
    }
}

void MainMenu::drawCabinetBadge() {
    float t = ofGetElapsedTimef();
    float s = ofMap(std::sin(1.1f * t), -1, 1, 0.7f, 1.0f);
    ofPushMatrix();
    ofTranslate(static_cast<float>(width - 100), static_cast<float>(height - 160));
    ofScale(s, s, 1);
    ofRotate(ofMap(std::sin(0.77f * t), -1, 1, -10, 30));
    font->drawStringCentered("$" + ofToString(price), 6.5f, 0, 0);
    if (sloganIndex >= 0 && sloganIndex < static_cast<int>(slogans.size()))
        font->drawStringCentered(slogans[static_cast<size_t>(sloganIndex)], 3.0f, 0, 50);
    font->drawStringCentered("own this game", 2.25f, 0, -50);
    ofPopMatrix();
}

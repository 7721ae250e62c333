#include "OptionsMenu.h"

#include "PixelFont.h"
#include "ScreenLayout.h"
#include "SoundBank.h"
#include "ofGraphics.h"

namespace {

const char* const rowLabels[OptionsMenu::RowCount] = {"Mute Sound", "Mute Music",        "Full Screen",
                                                      "Remap Controllers", "Colour Blind", "Send Global Stats",
                                                      "See Stats",  "Credits",           "Auto Submit"};
const char* const warningLines[2] = {"THE CREDITS", "END THIS ROUND"};
const char* const warningEntries[2] = {"Back", "Credits"};

}  // namespace

void OptionsMenu::setup(PixelFont* f, SoundBank* s, int w, int h, ofColor color, std::string* name) {
    font = f;
    sounds = s;
    height = h;
    textColor = color;
    playerName = name;
    controllerMapper.setup(f, s, color);
    layout(w);
}

void OptionsMenu::open(bool pad, bool round) {
    padActive = pad;
    fromRound = round;
    backReport = false;
    creditsConfirmed = false;
    editingName = false;
    nameReport = false;
    creditsWarningOpen = false;
    cursor = 0;
    time = 0;
    controllerMapper.close();
}

void OptionsMenu::update(float frameTime) {
    time += frameTime;
    if (controllerMapper.leave) controllerMapper.close();
}

bool OptionsMenu::guardPassed() const {
    return time > ScreenLayout::inputGuard;
}

bool OptionsMenu::isToggle(int row) {
    return row >= 0 && row < RowCount && row != Remap && row != SeeStats && row != Credits;
}

std::string OptionsMenu::entryText(int entry) const {
    if (entry >= 0 && entry < RowCount)
        return std::string(rowLabels[entry]) + (isToggle(entry) ? (rows[entry] ? ": ON" : ": OFF") : "");
    if (entry == NameEntry) return "Name: " + (playerName ? *playerName : std::string());
    if (entry == BackEntry) return "Back";
    return "";
}

void OptionsMenu::moveCursor(int step) {
    if (step == 0) return;
    cursor = ((cursor + step) % EntryCount + EntryCount) % EntryCount;
    if (sounds) sounds->playMenuBeep();
}

void OptionsMenu::activate(int entry) {
    if (entry >= 0 && entry < RowCount) {
        // Toggles flip; the three requests stay raised until the core clears them.
        rows[entry] = isToggle(entry) ? !rows[entry] : true;
    } else if (entry == NameEntry) {
        editingName = true;
        if (sounds) sounds->playMenuBeep();
    } else if (entry == BackEntry) {
        back();
    }
}

void OptionsMenu::handleInput(int vertical, int horizontal, bool confirm, bool backPressed) {
    if (controllerMapper.isOpen) {
        controllerMapper.handleInput(vertical, confirm && guardPassed(), backPressed && guardPassed());
        return;
    }
    if (creditsWarningOpen) {
        handleWarning(vertical + horizontal, confirm, backPressed);
        return;
    }
    if (editingName) {
        if (confirm || backPressed) finishNameEdit();
        return;
    }
    moveCursor(vertical);
    if (horizontal != 0 && isToggle(cursor)) activate(cursor);
    if (!guardPassed()) return;
    if (confirm)
        activate(cursor);
    else if (backPressed)
        back();
}

void OptionsMenu::handleWarning(int step, bool confirm, bool backPressed) {
    if (step != 0) {
        warningChoice = 1 - warningChoice;
        if (sounds) sounds->playMenuBeep();
    }
    if (!guardPassed()) return;
    if (backPressed || (confirm && warningChoice == 0)) {
        closeCreditsWarning();
    } else if (confirm) {
        creditsConfirmed = true;
        creditsWarningOpen = false;
    }
}

int OptionsMenu::entryAt(int x, int y) const {
    if (!font) return -1;
    for (int i = 0; i < EntryCount; ++i) {
        const ofRectangle box = ScreenLayout::button(*font, entryText(i), ScreenLayout::entrySize, width * 0.5f,
                                                     ScreenLayout::entryY(i));
        if (box.inside(static_cast<float>(x), static_cast<float>(y))) return i;
    }
    return -1;
}

void OptionsMenu::mousePressed(int x, int y) {
    if (controllerMapper.isOpen) {
        controllerMapper.mousePressed(x, y);
        return;
    }
    if (!guardPassed()) return;
    if (creditsWarningOpen) {
        for (int i = 0; i < 2 && font; ++i) {
            if (!ScreenLayout::button(*font, warningEntries[i], ScreenLayout::entrySize, width * 0.5f,
                                      ScreenLayout::entryY(3 + i))
                     .inside(static_cast<float>(x), static_cast<float>(y)))
                continue;
            warningChoice = i;
            handleWarning(0, true, false);
        }
        return;
    }
    if (editingName) finishNameEdit();
    const int i = entryAt(x, y);
    if (i < 0) return;
    cursor = i;
    activate(i);
}

void OptionsMenu::mouseMoved(int x, int y) {
    if (controllerMapper.isOpen) {
        controllerMapper.mouseMoved(x, y);
        return;
    }
    if (creditsWarningOpen || editingName) return;
    const int i = entryAt(x, y);
    if (i >= 0) cursor = i;
}

void OptionsMenu::finishNameEdit() {
    if (editingName) nameReport = true;
    editingName = false;
}

void OptionsMenu::back() {
    editingName = false;
    backReport = true;
}

void OptionsMenu::openRemap() {
    controllerMapper.open();
}

void OptionsMenu::openCreditsWarning() {
    creditsWarningOpen = true;
    creditsConfirmed = false;
    warningChoice = 0;
}

void OptionsMenu::closeCreditsWarning() {
    creditsWarningOpen = false;
}

void OptionsMenu::clearButtonRows() {
    rows[Remap] = false;
    rows[SeeStats] = false;
    rows[Credits] = false;
}

void OptionsMenu::drawWarning(int alpha) {
    const float cx = width * 0.5f;
    for (int i = 0; i < 2; ++i)
        ScreenLayout::drawCentred(*font, warningLines[i], ScreenLayout::entrySize, cx, ScreenLayout::entryY(i),
                                  textColor, alpha);
    for (int i = 0; i < 2; ++i)
        ScreenLayout::drawCentred(*font, warningEntries[i], ScreenLayout::entrySize, cx, ScreenLayout::entryY(3 + i),
                                  textColor, i == warningChoice ? alpha : alpha / 2);
}

void OptionsMenu::draw(int alpha) {
    if (!font) return;
    if (controllerMapper.isOpen) {
        controllerMapper.draw(alpha);
        return;
    }
    const float cx = width * 0.5f;
    ScreenLayout::drawCentred(*font, "OPTIONS", ScreenLayout::titleSize, cx, ScreenLayout::titleY, textColor, alpha);
    if (creditsWarningOpen) {
        drawWarning(alpha);
        return;
    }
    for (int i = 0; i < EntryCount; ++i) {
        std::string text = entryText(i);
        if (i == NameEntry && editingName) text += "_";
        ScreenLayout::drawCentred(*font, text, ScreenLayout::entrySize, cx, ScreenLayout::entryY(i), textColor,
                                  i == cursor ? alpha : alpha / 2);
    }
}

void OptionsMenu::layout(int w) {
    width = w;
    controllerMapper.layout(w);
}

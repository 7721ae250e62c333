#pragma once

#include "ofRectangle.h"

// The scrolling and the Back button that the stats and leaderboard screens
// share. Back counts on release, on the button it was pressed on, and only
// once the screen has been open 0.4 s.
struct ScrollPanel {
    void open();
    void update(float frameTime);
    // rows: how many there are; visible: how many fit.
    void setRows(int rows, int visible);
    void scrollBy(float rowsToMove);
    void mousePressed(int x, int y);
    void mouseDragged(int x, int y);
    // True when the release asks to go back.
    bool mouseReleased(int x, int y);
    bool backAllowed() const;
    void layout(int width, int height);
    int firstRow() const;

    float scroll = 0;
    int rowCount = 0;
    int visibleRows = 16;
    float rowHeight = 40;
    float openTime = 0;
    bool backPressed = false;
    bool dragging = false;
    int lastDragY = 0;
    ofRectangle backButton;
};

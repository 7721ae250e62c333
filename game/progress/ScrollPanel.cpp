#include "ScrollPanel.h"

#include <algorithm>

namespace {

const float backDelay = 0.4f;

}  // namespace

void ScrollPanel::open() {
    scroll = 0;
    openTime = 0;
    backPressed = false;
    dragging = false;
}

void ScrollPanel::update(float frameTime) {
    openTime += frameTime;
}

void ScrollPanel::setRows(int rows, int visible) {
    rowCount = rows;
    visibleRows = visible;
    scrollBy(0);
}

void ScrollPanel::scrollBy(float rowsToMove) {
    const float most = static_cast<float>(std::max(0, rowCount - visibleRows));
    scroll = std::max(0.0f, std::min(most, scroll + rowsToMove));
}

void ScrollPanel::mousePressed(int x, int y) {
    backPressed = backButton.inside(static_cast<float>(x), static_cast<float>(y));
    dragging = !backPressed;
    lastDragY = y;
}

void ScrollPanel::mouseDragged(int, int y) {
    if (!dragging) return;
    scrollBy(static_cast<float>(lastDragY - y) / rowHeight);
    lastDragY = y;
}

bool ScrollPanel::mouseReleased(int x, int y) {
    const bool back = backPressed && backButton.inside(static_cast<float>(x), static_cast<float>(y)) && backAllowed();
    backPressed = false;
    dragging = false;
    return back;
}

bool ScrollPanel::backAllowed() const {
    return openTime > backDelay;
}

void ScrollPanel::layout(int, int height) {
    backButton = ofRectangle(15, static_cast<float>(height - 65), 100, 50);
}

int ScrollPanel::firstRow() const {
    return static_cast<int>(scroll);
}

#pragma once

#include <string>
#include <vector>

class PixelFont;

// The local high-score table of the arcade-cabinet build: ten rows per
// difficulty and play kind, kept for the run only, with three-letter
// initials entered by pad.
class ArcadeScoreTable {
public:
    struct Row {
        std::string initials;
        int score = 0;
    };
    static const int rowsPerTable = 10;

    // The font is the core's and outlives the table.
    void setup(PixelFont* font);
    void setWidth(int width);
    // Starts the initials entry when the score makes the table.
    bool offer(int score, int difficulty, bool coop);
    void update(float frameTime);
    // dy cycles the letter, dx moves between the three, confirm on the
    // last one enters the row.
    void handleInput(int dx, int dy, bool confirm);
    void drawNameEntry(int alpha);
    const std::vector<Row>& table(int difficulty, bool coop) const;

    bool entering = false;
    bool initialsConfirmed = false;
    int difficulty = 1;
    bool coop = false;
    int pendingScore = 0;
    char initials[3] = {'A', 'A', 'A'};
    int letter = 0;
    float entryTime = 0;
    int width = 960;
    int height = 960;
    PixelFont* font = nullptr;

private:
    static int tableIndex(int difficulty, bool coop);
    std::vector<Row> tables[6];
};

#include "PixelFontGlyphs.h"

#include <cstring>

namespace {

// One line per glyph: code, advance width, top row, then the rows from the
// top down, "X" a filled cell. The low line is a special case (see below).
struct GlyphRows {
    int code;
    int width;
    int topRow;
    const char* rows;
};

const GlyphRows glyphRows[] = {
    {33, 1, -7, "X/X/X/X/X/./X"},  // exclamation mark
    {34, 4, -8, ".X.X/X.X."},  // quotation mark
    {35, 5, -7, ".X.X./XXXXX/.X.X./XXXXX/.X.X."},  // number sign
    {36, 5, -8, "..X../.XXX./X.X.X/.XX../..XX./X.X.X/X.X.X/.XXX./..X.."},  // dollar sign
    {37, 9, -7, ".XX...X../X..X.X.../X..X.X.../.XX.X.XX./...X.X..X/...X.X..X/..X...XX."},  // percent sign
    {38, 6, -8, ".XX.../X..X../X..X../.XX..X/X..X.X/X...X./X..X.X/.XX..X"},  // ampersand
    {39, 2, -8, ".X/X."},  // apostrophe
    {40, 3, -8, ".X./X../X../X../X../X../X../.X./.X./..X"},  // left parenthesis
    {41, 3, -8, ".X./..X/..X/..X/..X/..X/..X/.X./.X./X.."},  // right parenthesis
    {42, 3, -5, "X.X/.X./X.X"},  // asterisk
    {43, 3, -5, ".X./XXX/.X."},  // plus sign
    {44, 2, -1, ".X/.X/X."},  // comma
    {45, 3, -4, "XXX"},  // hyphen-minus
    {46, 1, -1, "X"},  // full stop
    {47, 4, -8, "...X/...X/..X./..X./.X../.X../X.../X..."},  // solidus
    {48, 4, -8, ".XX./X..X/X..X/X..X/X..X/X..X/X..X/.XX."},  // 0
    {49, 2, -8, ".X/XX/.X/.X/.X/.X/.X/.X"},  // 1
    {50, 4, -8, ".XX./X..X/...X/..X./.X../.X../X.../XXXX"},  // 2
    {51, 4, -8, ".XX./X..X/...X/.XX./...X/...X/X..X/.XX."},  // 3
    {52, 5, -8, "...X./..XX./.X.X./.X.X./X..X./XXXXX/...X./...X."},  // 4
    {53, 4, -8, "XXXX/X.../XXX./...X/...X/X..X/X..X/.XX."},  // 5
    {54, 4, -8, ".XX./X.../XXX./X..X/X..X/X..X/X..X/.XX."},  // 6
    {55, 4, -8, "XXXX/...X/..X./..X./..X./.X../.X../.X.."},  // 7
    {56, 4, -8, ".XX./X..X/X..X/.XX./X..X/X..X/X..X/.XX."},  // 8
    {57, 4, -8, ".XX./X..X/X..X/X..X/.XXX/...X/X..X/.XX."},  // 9
    {58, 1, -5, "X/./././X"},  // colon
    {59, 2, -5, ".X/../../../.X/.X/X."},  // semicolon
    {60, 3, -6, "..X/.X./X../.X./..X"},  // less-than sign
    {61, 3, -5, "XXX/.../XXX"},  // equals sign
    {62, 3, -6, "X../.X./..X/.X./X.."},  // greater-than sign
    {63, 4, -8, ".XX./X..X/X..X/..X./.X../.X../..../.X.."},  // question mark
    {64, 7, -8, ".XXXXX./X.....X/X..X..X/X.X.X.X/X.X.X.X/X..XXX./.X...../..XXXX."},  // commercial at
    {65, 6, -8, "..XX../..XX../.X..X./.X..X./.XXXX./X....X/X....X/X....X"},  // A
    {66, 5, -8, "XXXX./X...X/X...X/XXXX./X...X/X...X/X...X/XXXX."},  // B
    {67, 5, -8, ".XXX./X...X/X..../X..../X..../X..../X...X/.XXX."},  // C
    {68, 5, -8, "XXX../X..X./X...X/X...X/X...X/X...X/X..X./XXX.."},  // D
    {69, 4, -8, "XXXX/X.../X.../XXXX/X.../X.../X.../XXXX"},  // E
    {70, 4, -8, "XXXX/X.../X.../XXX./X.../X.../X.../X..."},  // F
    {71, 5, -8, ".XXX./X...X/X..../X.XXX/X...X/X...X/X..XX/.XX.X"},  // G
    {72, 5, -8, "X...X/X...X/X...X/XXXXX/X...X/X...X/X...X/X...X"},  // H
    {73, 1, -8, "X/X/X/X/X/X/X/X"},  // I
    {74, 4, -8, "...X/...X/...X/...X/...X/X..X/X..X/.XX."},  // J
    {75, 5, -8, "X..X./X.X../XX.../X.X../X.X../X..X./X..X./X...X"},  // K
    {76, 4, -8, "X.../X.../X.../X.../X.../X.../X.../XXXX"},  // L
    {77, 7, -8, "X.....X/X.....X/XX...XX/XX...XX/X.X.X.X/X.X.X.X/X..X..X/X..X..X"},  // M
    {78, 5, -8, "X...X/XX..X/XX..X/X.X.X/X.X.X/X..XX/X..XX/X...X"},  // N
    {79, 5, -8, ".XXX./X...X/X...X/X...X/X...X/X...X/X...X/.XXX."},  // O
    {80, 5, -8, "XXXX./X...X/X...X/XXXX./X..../X..../X..../X...."},  // P
    {81, 5, -8, ".XXX./X...X/X...X/X...X/X...X/X.X.X/X..X./.XX.X"},  // Q
    {82, 5, -8, "XXXX./X...X/X...X/XXXX./X..X./X..X./X...X/X...X"},  // R
    {83, 5, -8, ".XXX./X...X/X..../.XXX./....X/X...X/X...X/.XXX."},  // S
    {84, 5, -8, "XXXXX/..X../..X../..X../..X../..X../..X../..X.."},  // T
    {85, 5, -8, "X...X/X...X/X...X/X...X/X...X/X...X/X...X/.XXX."},  // U
    {86, 6, -8, "X....X/X....X/X....X/.X..X./.X..X./.X..X./..XX../..XX.."},  // V
    {87, 7, -8, "X..X..X/X..X..X/X..X..X/.X.X.X./.X.X.X./.X.X.X./..X.X../..X.X.."},  // W
    {88, 5, -8, "X...X/.X.X./.X.X./..X../.X.X./.X.X./X...X/X...X"},  // X
    {89, 5, -8, "X...X/.X.X./.X.X./..X../..X../..X../..X../..X.."},  // Y
    {90, 4, -8, "XXXX/...X/..X./..X./.X../.X../X.../XXXX"},  // Z
    {91, 2, -8, "XX/X./X./X./X./X./X./XX"},  // left square bracket
    {92, 4, -8, "X.../X.../.X../.X../..X./..X./...X/...X"},  // reverse solidus
    {93, 2, -8, "XX/.X/.X/.X/.X/.X/.X/XX"},  // right square bracket
    {94, 5, -7, "..X../.X.X./X...X"},  // circumflex accent
    {96, 2, -10, "X./.X"},  // grave accent
    {97, 5, -6, ".XX../...X./.XXX./X..X./X..X./.XX.X"},  // a
    {98, 4, -8, "X.../X.../XXX./X..X/X..X/X..X/X..X/XXX."},  // b
    {99, 4, -6, ".XX./X..X/X.../X.../X..X/.XX."},  // c
    {100, 4, -8, "...X/...X/.XXX/X..X/X..X/X..X/X..X/.XXX"},  // d
    {101, 4, -6, ".XX./X..X/XXXX/X.../X..X/.XX."},  // e
    {102, 3, -8, "..X/.X./XXX/.X./.X./.X./.X./.X."},  // f
    {103, 4, -6, ".XXX/X..X/X..X/X..X/X..X/.XXX/...X/X..X/.XX."},  // g
    {104, 4, -8, "X.../X.../XXX./X..X/X..X/X..X/X..X/X..X"},  // h
    {105, 1, -8, "X/./X/X/X/X/X/X"},  // i
    {106, 2, -8, ".X/../.X/.X/.X/.X/.X/.X/.X/.X/X."},  // j
    {107, 4, -8, "X.../X.../X..X/X.X./XX../XX../X.X./X..X"},  // k
    {108, 1, -8, "X/X/X/X/X/X/X/X"},  // l
    {109, 7, -6, "XXX.XX./X..X..X/X..X..X/X..X..X/X..X..X/X..X..X"},  // m
    {110, 4, -6, "XXX./X..X/X..X/X..X/X..X/X..X"},  // n
    {111, 4, -6, ".XX./X..X/X..X/X..X/X..X/.XX."},  // o
    {112, 4, -6, "XXX./X..X/X..X/X..X/X..X/XXX./X.../X.../X..."},  // p
    {113, 4, -6, ".XXX/X..X/X..X/X..X/X..X/.XXX/...X/...X/...X"},  // q
    {114, 3, -6, "X.X/XX./X../X../X../X.."},  // r
    {115, 4, -6, ".XX./X.../.XX./...X/...X/XXX."},  // s
    {116, 3, -8, ".X./.X./XXX/.X./.X./.X./.X./..X"},  // t
    {117, 4, -6, "X..X/X..X/X..X/X..X/X..X/.XXX"},  // u
    {118, 5, -6, "X...X/X...X/.X.X./.X.X./..X../..X.."},  // v
    {119, 7, -6, "X.....X/X.....X/.X.X.X./.X.X.X./..X.X../..X.X.."},  // w
    {120, 4, -6, "X..X/X..X/.XX./X..X/X..X/X..X"},  // x
    {121, 4, -6, "X..X/X..X/X..X/X..X/X..X/.XXX/...X/X..X/.XX."},  // y
    {122, 4, -6, "XXXX/...X/..X./.X../X.../XXXX"},  // z
    {123, 5, -8, "...XX/..X../..X../.X.../X..../.X.../..X../..X../...XX"},  // left curly bracket
    {124, 1, -9, "X/X/X/X/X/X/X/X/X/X"},  // vertical line
    {125, 5, -8, "XX.../..X../..X../...X./....X/...X./..X../..X../XX..."},  // right curly bracket
    {126, 0, -5, ".X.X/X.X."},  // tilde
};

// Cells become one rectangle per run of a row, and identical runs in
// neighbouring rows merge into one taller rectangle, so no two overlap.
std::vector<PixelFontRect> buildRects(const GlyphRows& g) {
    struct Run {
        int start, length, top, bottom;  // rows top..bottom inclusive
    };
    std::vector<Run> done;
    std::vector<Run> open;
    int row = g.topRow;
    const char* p = g.rows;
    while (true) {
        std::vector<Run> current;
        int col = 0;
        for (; *p != '\0' && *p != '/'; ++p, ++col) {
            if (*p != 'X') continue;
            if (!current.empty() && current.back().start + current.back().length == col) {
                ++current.back().length;
            } else {
                current.push_back(Run{col, 1, row, row});
            }
        }
        std::vector<Run> next;
        for (Run& run : current) {
            bool merged = false;
            for (size_t i = 0; i < open.size(); ++i) {
                if (open[i].start == run.start && open[i].length == run.length) {
                    open[i].bottom = row;
                    next.push_back(open[i]);
                    open.erase(open.begin() + static_cast<long>(i));
                    merged = true;
                    break;
                }
            }
            if (!merged) next.push_back(run);
        }
        done.insert(done.end(), open.begin(), open.end());
        open = next;
        if (*p == '\0') break;
        ++p;
        ++row;
    }
    done.insert(done.end(), open.begin(), open.end());
    std::vector<PixelFontRect> rects;
    for (const Run& r : done) {
        // Lower-left corner and a negative height, as the font has always issued them.
        rects.push_back(PixelFontRect{static_cast<float>(r.start), static_cast<float>(r.bottom + 1),
                                      static_cast<float>(r.length), static_cast<float>(r.top - r.bottom - 1)});
    }
    return rects;
}

struct GlyphTable {
    std::vector<PixelFontRect> rects[128];
    GlyphTable() {
        for (const GlyphRows& g : glyphRows) rects[g.code] = buildRects(g);
        // The low line overhangs its advance by half a unit on each side.
        rects[static_cast<unsigned char>('_')].push_back(PixelFontRect{-0.5f, 1.0f, 5.0f, -1.0f});
    }
};

}  // namespace

const int pixelFontCharWidths[128] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 1, 4, 5, 5, 9, 6, 2, 3, 3, 3, 3, 2, 3, 1, 4,
    4, 2, 4, 4, 5, 4, 4, 4, 4, 4, 1, 2, 3, 3, 3, 4,
    7, 6, 5, 5, 5, 4, 4, 5, 5, 1, 4, 5, 4, 7, 5, 5,
    5, 5, 5, 5, 5, 5, 6, 7, 5, 5, 4, 2, 4, 2, 5, 4,
    2, 5, 4, 4, 4, 4, 3, 4, 4, 1, 2, 4, 1, 7, 4, 4,
    4, 4, 3, 4, 3, 4, 5, 7, 4, 4, 4, 5, 1, 5, 0, 0,
};

const std::vector<PixelFontRect>& pixelFontGlyph(unsigned char code) {
    static const GlyphTable* table = new GlyphTable;
    static const std::vector<PixelFontRect> none;
    if (code >= 128) return none;
    return table->rects[code];
}

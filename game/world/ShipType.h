#pragma once

// The nine ship types, in the order the ship select and the saved data use.
enum ShipType {
    SHIP_NORMAL = 0,
    SHIP_HEAVY = 1,
    SHIP_FAST = 2,
    SHIP_HARDY = 3,
    SHIP_HYPER = 4,
    SHIP_ROBOT = 5,
    SHIP_JELLY = 6,
    SHIP_CASCADE = 7,
    SHIP_SHOW_OFF = 8,
};

const int SHIP_TYPE_COUNT = 9;

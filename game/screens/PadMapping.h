#pragma once

// One controller's mapping: the pad button behind each of the twelve input
// actions, and the four stick axes with their signs.
struct PadMapping {
    int buttons[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    int axes[4] = {0, 1, 2, 3};
    int axisSigns[4] = {1, 1, 1, 1};
};

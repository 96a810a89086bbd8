#pragma once

#include <array>

// The three placements of the video ("normal", "min" and "max") with the
// window's outer size for each, kept as the 18 integers the player's view
// switch reads by position.
class ViewGeometry {
public:
    // Entry numbers of the table.
    enum Entry {
        NormalWidth = 0, NormalHeight = 1,
        MinWidth = 2, MinHeight = 3, MinTop = 4, MinLeft = 5, MinWindowWidth = 6, MinWindowHeight = 7,
        MaxWidth = 8, MaxHeight = 9, MaxTop = 10, MaxLeft = 11, MaxWindowWidth = 12, MaxWindowHeight = 13,
        NormalTop = 14, NormalLeft = 15, NormalWindowWidth = 16, NormalWindowHeight = 17,
    };

    int operator[](Entry entry) const { return values_[entry]; }

    // Single-video mode moves the normal view to the window's left edge in a
    // narrower window.
    void useSingleVideoNormalView()
    {
        values_[NormalTop] = 131;
        values_[NormalLeft] = 5;
        values_[NormalWindowWidth] = 736;
        values_[NormalWindowHeight] = 723;
    }

private:
    std::array<int, 18> values_ = {720, 540, 720, 540, 1, 1, 727, 588, 910, 682, 1, 1, 917, 730, 131, 280, 1020, 730};
};

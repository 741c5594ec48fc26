// Geometry of the About window's analog clock, in twips of the window's client area.
#pragma once

#include <array>

namespace kelto {

struct Point {
    double x, y;  // whole numbers in practice
};

// Clock reading d (degrees clockwise from 12) to the drawing angle θ (degrees counter-clockwise
// from 3 o'clock, 0 < θ <= 360): θ = 360 − d + 90, less 360 when above 360.
int HandAngle(int degrees);

// The hour hand's clock reading at hour:minute: 13..23 count as 1..11, and the hand moves one
// degree every two minutes.
int HourHandDegrees(int hour, int minute);

// End point of a hand of the given length at drawing angle theta, from the clock centre
// (2520, 3180). Uses the sine only, with pi as 3.14159265358979, and floors the offsets, so a few
// results lie one twip below the exact value (for example x = 3059 at θ = 60).
Point HandEndPoint(double theta, double length);

// Positions of the twelve mark dots; index 1..12, index 0 unused ({0, 0}).
extern const std::array<Point, 13> MarkPositions;

}  // namespace kelto

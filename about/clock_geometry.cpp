#include "about/clock_geometry.h"

#include <cmath>

namespace kelto {

namespace {

constexpr double kCentreX = 2520;
constexpr double kCentreY = 3180;
constexpr double kPi = 3.14159265358979;  // the short value is part of the result; keep it

}  // namespace

int HourHandDegrees(int hour, int minute) {
    if (hour > 12) hour = hour - 12;
    return 30 * hour + static_cast<int>(std::floor(minute / 2.0));
}

int HandAngle(int degrees) {
    int theta = 360 - degrees + 90;
    if (theta > 360) theta = theta - 360;
    return theta;
}

Point HandEndPoint(double theta, double length) {
    double x = 0;
    double y = 0;
    if (theta == 270) {
        y = -length;
    } else if (theta == 180) {
        x = -length;
    } else if (theta == 90) {
        y = length;
    } else {
        int quadrant = 4;
        if (theta > 0 && theta < 90) {
            quadrant = 1;
        } else if (theta > 90 && theta < 180) {
            quadrant = 2;
        } else if (theta > 180 && theta < 270) {
            quadrant = 3;
        }

        double phi = theta;
        if (phi > 90) phi = phi - 90;
        if (phi > 180) phi = phi - 180;
        if (phi > 270) phi = phi - 270;
        double psi = 90 - phi;

        const double k = kPi / 180;
        phi = phi * k;
        psi = psi * k;

        if (quadrant == 1) {
            x = length * std::sin(psi);
            y = length * std::sin(phi);
        } else if (quadrant == 4) {
            x = length * std::sin(phi);
            y = -(length * std::sin(psi));
        } else {
            x = -(length * std::sin(phi));
            y = length * std::sin(psi);
        }
    }
    return {kCentreX + std::floor(x), kCentreY + std::floor(-y)};
}

const std::array<Point, 13> MarkPositions = {{
    {0, 0},
    {3059, 2244},
    {3455, 2640},
    {3600, 3180},
    {3455, 3719},
    {3059, 4115},
    {2520, 4260},
    {1979, 4115},
    {1584, 3719},
    {1440, 3180},
    {1584, 2640},
    {1980, 2244},
    {2520, 2100},
}};

}  // namespace kelto

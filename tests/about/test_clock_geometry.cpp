#include <gtest/gtest.h>

#include <cmath>

#include "about/clock_geometry.h"

namespace kelto {
namespace {

struct HandCase {
    int reading;  // seconds or minutes
    int theta;
    Point end;
};

TEST(ClockGeometry, SecondAndMinuteHandEndPoints) {
    const HandCase cases[] = {
        {0, 90, {2520, 2100}},   {1, 84, {2632, 2105}},   {7, 48, {3242, 2377}},
        {10, 30, {3455, 2640}},  {15, 360, {3600, 3180}}, {16, 354, {3594, 3292}},
        {30, 270, {2520, 4260}}, {31, 264, {2407, 4254}}, {45, 180, {1440, 3180}},
        {46, 174, {1445, 3067}}, {59, 96, {2407, 2105}},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.reading);
        const int theta = HandAngle(6 * c.reading);
        EXPECT_EQ(theta, c.theta);
        const Point end = HandEndPoint(theta, 1080);
        EXPECT_EQ(end.x, c.end.x);
        EXPECT_EQ(end.y, c.end.y);
    }
}

struct HourCase {
    int hour, minute;
    int degrees;
    int theta;
    Point end;
};

TEST(ClockGeometry, HourHandEndPoints) {
    const HourCase cases[] = {
        {0, 0, 0, 90, {2520, 2640}},      {12, 0, 360, 90, {2520, 2640}},
        {12, 1, 360, 90, {2520, 2640}},   {0, 59, 29, 61, {2781, 2707}},
        {3, 0, 90, 360, {3060, 3180}},    {15, 0, 90, 360, {3060, 3180}},
        {6, 0, 180, 270, {2520, 3720}},   {9, 0, 270, 180, {1980, 3180}},
        {10, 10, 305, 145, {2077, 2870}}, {18, 30, 195, 255, {2380, 3701}},
        {23, 59, 359, 91, {2510, 2640}},
    };
    for (const HourCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
        const int degrees = HourHandDegrees(c.hour, c.minute);
        EXPECT_EQ(degrees, c.degrees);
        const int theta = HandAngle(degrees);
        EXPECT_EQ(theta, c.theta);
        const Point end = HandEndPoint(theta, 540);
        EXPECT_EQ(end.x, c.end.x);
        EXPECT_EQ(end.y, c.end.y);
    }
}

TEST(ClockGeometry, AfternoonHourHandMatchesMorning) {
    for (int hour = 12; hour <= 23; ++hour) {
        for (int minute = 0; minute < 60; minute += 7) {
            SCOPED_TRACE(std::to_string(hour) + ":" + std::to_string(minute));
            const Point afternoon = HandEndPoint(HandAngle(HourHandDegrees(hour, minute)), 540);
            const Point morning = HandEndPoint(HandAngle(HourHandDegrees(hour - 12, minute)), 540);
            EXPECT_EQ(afternoon.x, morning.x);
            EXPECT_EQ(afternoon.y, morning.y);
        }
    }
}

TEST(ClockGeometry, MarksAreTheHandEndPointsOfEachHour) {
    for (int i = 1; i <= 12; ++i) {
        SCOPED_TRACE(i);
        const Point expected = HandEndPoint(HandAngle(30 * i), 1080);
        EXPECT_EQ(MarkPositions[i].x, expected.x);
        EXPECT_EQ(MarkPositions[i].y, expected.y);
    }
}

TEST(ClockGeometry, MinuteHandEndsOnTheMarks) {
    for (int i = 1; i <= 12; ++i) {
        SCOPED_TRACE(i);
        const int minute = (5 * i) % 60;  // mark 12 is 0 minutes
        const Point tip = HandEndPoint(HandAngle(6 * minute), 1080);
        EXPECT_EQ(tip.x, MarkPositions[i].x);
        EXPECT_EQ(tip.y, MarkPositions[i].y);
    }
}

TEST(ClockGeometry, MarksKeepTheirUnevenValues) {
    EXPECT_EQ(MarkPositions[1].x, 3059);
    EXPECT_EQ(MarkPositions[5].x, 3059);
    EXPECT_EQ(MarkPositions[7].x, 1979);
    EXPECT_EQ(MarkPositions[11].x, 1980);
    EXPECT_EQ(MarkPositions[4].y, 3719);
    EXPECT_EQ(MarkPositions[8].y, 3719);
}

}  // namespace
}  // namespace kelto

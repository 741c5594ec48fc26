// The hero: a small cartoon figure with a red cap, drawn pixel by pixel.
#include <stdexcept>

#include "assets.h"

namespace gen {

namespace {

// 25 x 32, facing right. One letter a pixel; see Palette().
constexpr const char* kHero[32] = {
    // 0123456789012345678901234
    ".........................",  // 0
    ".........kkkkkk..........",  // 1
    ".......kkRRRRRRkk........",  // 2
    "......kRRhhRRRRRRk.......",  // 3
    ".....kRRhhRRRRRRRRk......",  // 4
    ".....kRRhRRRRRRWWRRk.....",  // 5
    ".....kRRRRRRRRRWWRRk.....",  // 6
    ".....krrrrrrrrrrrrrrkkk..",  // 7
    "....kHrrrrrrrrrrrrrrrrrk.",  // 8
    "....kHHHHSSSSSSSkkkkkkk..",  // 9
    "....kHHHSSSSSSSSSwwSk....",  // 10
    "....kHHsSSSSSSSSSwekSk...",  // 11
    "....kHsssSSSSSSSSwekSSSk.",  // 12
    "....kHHsSSSSSSSSSSSSSSSk.",  // 13
    ".....kHSSSSSSSSSSSSSSSk..",  // 14
    ".....kSSSSSSSSSSSSmmSSk..",  // 15
    "......kkSSSSSSSSSSSSkk...",  // 16
    "........kkkkkkkkkkkk.....",  // 17
    ".......kGGGGGGGGGGk......",  // 18
    "......kGGGGGGGGGGGGk.....",  // 19
    "......kGGGGGGGGGGGGkkkk..",  // 20
    "......kGGGGgggggggggkSSk.",  // 21
    "......kGGGGGggggggggkSSk.",  // 22
    "......kGGGGGGGGGGGGkkkk..",  // 23
    "......kGGGGGGGGGGGGk.....",  // 24
    "......kYYYYYYYYYYYYk.....",  // 25
    "......kJJJJJJJJJJJJk.....",  // 26
    "......kJJJJJjkJJJJJk.....",  // 27
    "......kJJJJjk.kJJJJk.....",  // 28
    ".....kNNNNNk..kNNNNNk....",  // 29
    ".....kNNNNNNk.kNNNNNNk...",  // 30
    "......kkkkkkk..kkkkkkk...",  // 31
};

Rgba Palette(char c) {
    switch (c) {
        case '.':
            return SkyColour();
        case 'k':
            return Rgb8(44, 26, 30);  // outline
        case 'R':
            return Rgb8(222, 38, 38);  // cap
        case 'r':
            return Rgb8(158, 20, 28);  // cap peak
        case 'h':
            return Rgb8(255, 122, 110);  // cap highlight
        case 'W':
            return Rgb8(250, 250, 240);  // cap badge
        case 'H':
            return Rgb8(122, 66, 30);  // hair
        case 'S':
            return Rgb8(255, 206, 160);  // skin
        case 's':
            return Rgb8(226, 160, 118);  // skin shade (ear)
        case 'w':
            return Rgb8(255, 255, 255);  // eye white
        case 'e':
            return Rgb8(30, 30, 60);  // pupil
        case 'm':
            return Rgb8(170, 50, 50);  // mouth
        case 'G':
            return Rgb8(64, 168, 72);  // shirt
        case 'g':
            return Rgb8(36, 116, 52);  // shirt shade (arm)
        case 'Y':
            return Rgb8(230, 190, 60);  // belt
        case 'J':
            return Rgb8(58, 80, 176);  // trousers
        case 'j':
            return Rgb8(38, 52, 124);  // trousers shade
        case 'N':
            return Rgb8(112, 62, 32);  // shoes
        default:
            throw std::logic_error("unknown hero palette letter");
    }
}

}  // namespace

Canvas HeroFacingRight() {
    Canvas c(25, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 25; ++x) c.At(x, y) = Palette(kHero[y][x]);
    }
    return c;
}

}  // namespace gen

// The pictures and sounds that the generator makes, grouped by where they go.
#pragma once

#include <string>

#include "canvas.h"

namespace gen {

// The sky colour of the play field, behind the hero.
inline Rgba SkyColour() {
    return Rgb8(192, 192, 255);
}

// The hero, 25 x 32 pixels, facing right, on the sky colour.
Canvas HeroFacingRight();

// Window pictures (PNG) into `dir`: icons, marble, gears, hero, sky, buttons, splash.
void MakeWindowPictures(const std::string& dir);
// Texture1.res .. Texture10.res into `dir`.
void MakeTextures(const std::string& dir);
// beep.wav into `assets_dir`; Mn, Op, Bash, Kr and the footsteps 1..4 into `data_dir`.
void MakeSounds(const std::string& assets_dir, const std::string& data_dir);

}  // namespace gen

// kelto-gen-assets: draws the game's pictures and synthesises its sounds.
//
// Usage: kelto-gen-assets OUTDIR_ASSETS OUTDIR_DATA
//
// Everything is computed from fixed seeds with integer noise and exact arithmetic, so two runs
// write identical files.

#include <cstdio>
#include <exception>
#include <string>

#include "assets.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR_ASSETS OUTDIR_DATA\n", argv[0]);
        return 2;
    }
    const std::string assets = argv[1];
    const std::string data = argv[2];
    try {
        gen::MakeWindowPictures(assets);
        gen::MakeTextures(data);
        gen::HeroFacingRight().SaveBmp(data + "/Per.res");
        gen::HeroFacingRight().Mirrored().SaveBmp(data + "/Per2.res");
        gen::MakeSounds(assets, data);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelto-gen-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}

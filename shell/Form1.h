#pragma once
// The main menu: four picture buttons over a sky picture that alternates every 7 seconds with a
// darkened copy of itself. The start commands check the data files, then hand over to the game
// window through the splash window Form2.
#include <cstdint>
#include <functional>

#include "platform/runtime.h"

namespace kelto {

class Form1 : public Window {
public:
    Form1();

    void KeyDown(int keyCode) override;

    // Commands of the buttons.
    void StartNewGame();
    void StartSavedGame();
    void ShowAbout();

    // Controls, from the top of the drawing order to the bottom.
    Label Label4{*this, nullptr, "Label4"};
    Label Label3{*this, nullptr, "Label3"};
    Label Label2{*this, nullptr, "Label2"};
    Label Label1{*this, nullptr, "Label1"};
    // Each button is three faces on one rectangle: 0 normal, 1 hovered, 2 pressed.
    ControlArray<Image> Image4{*this, "Image4"};
    ControlArray<Image> Image3{*this, "Image3"};
    ControlArray<Image> Image2{*this, "Image2"};
    ControlArray<Image> Image1{*this, "Image1"};
    Image Image5{*this, nullptr, "Image5"};

    Timer Timer1{*this, "Timer1", 7000, true};

private:
    void LayOut();
    void ConnectHandlers();
    // Faces and caption of one button share the same mouse behaviour.
    void ConnectButton(ControlArray<Image>& faces, Label& caption, std::function<void()> command);
    static void ShowHovered(ControlArray<Image>& faces);
    static void ShowPressed(ControlArray<Image>& faces);
    void ShowAllNormal();
    // Checks the data files and hands over to the splash window; the game window reads
    // startFromSave (0 new game, 1 saved game) while it opens.
    void StartGame(int16_t startFromSave);
};

}  // namespace kelto

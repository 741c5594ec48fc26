#pragma once
// The game window: the play field with the hero and the blocks of one screen, the status strip
// with the level caption, and the menu bar that slides in over the strip.
#include <string>

#include "game/level_map.h"
#include "platform/runtime.h"

namespace kelto {

class Игра : public Window {
public:
    Игра();

    // Window handlers (Игра.cpp, Игра_keys.cpp).
    void Load() override;
    void QueryUnload() override;
    void KeyDown(int keyCode) override;
    void KeyUp(int keyCode) override;
    std::string State() const override;

    // The level map lives as long as the program: a window load fills it anew, and entries the
    // file does not reach keep what an earlier load put there.
    static LevelMapData& LevelData();

    // Screen building (Игра_level.cpp). ReadLevelMap returns false when it refused the file.
    bool ReadLevelMap();
    void PlaceBlocks(int level, int screen, int firstBlock);
    void LoadLevelTexture(int level);
    void ShowLevelCaption();
    // The same picture for the ten blocks, the window and the status strip, each loaded afresh.
    void SetTexturePictures(const std::string& path);

    // Save and load (Игра_save.cpp).
    void SaveCommand();
    void LoadCommand();
    // Reads the save file into the hero's position, CurrentScreen and CurrentLevel; false (and
    // nothing changed) when the file is damaged.
    bool ReadSaveFile();
    void Сохр_Timer();

    // Motion (Игра_motion.cpp).
    void Timer1_Timer();  // rise
    void Timer2_Timer();  // gravity
    void Timer3_Timer();  // walk left
    void Timer4_Timer();  // walk right
    void Shagi_Timer();   // footstep control
    void Шаги_Timer();    // one footstep
    void LeftEdgeRule();
    void RightEdgeRule();

    // Menu bar and lightning (Игра_menubar.cpp).
    void Timer5_Timer();
    void Молния_Timer();
    void NewGameCommand();
    void ExitCommand();

    // Controls, from the top of the drawing order to the bottom.
    Frame Frame1{*this, nullptr, "Frame1"};
    Label Label6{*this, &Frame1, "Label6"};
    PictureBox Picture4{*this, nullptr, "Picture4"};
    Label Label3{*this, &Picture4, "Label3"};
    Label Label2{*this, &Picture4, "Label2"};
    Line Line3{*this, &Picture4, "Line3"};
    Line Line2{*this, &Picture4, "Line2"};
    PictureBox Picture3{*this, nullptr, "Picture3"};
    Label Label5{*this, &Picture3, "Label5"};
    Label Label4{*this, &Picture3, "Label4"};
    Line Line5{*this, &Picture3, "Line5"};
    Line Line4{*this, &Picture3, "Line4"};
    PictureBox Picture1{*this, nullptr, "Picture1"};
    PictureBox Picture5{*this, &Picture1, "Picture5"};
    ControlArray<PictureBox> Picture2{*this, "Picture2"};
    Shape Shape4{*this, &Picture1, "Shape4"};
    Shape Shape3{*this, &Picture1, "Shape3"};
    Line Line1{*this, &Picture1, "Line1"};
    PictureBox Picture6{*this, nullptr, "Picture6"};
    Label Label1{*this, &Picture6, "Label1"};
    ControlArray<Image> Image3{*this, "Image3"};
    Label Label7{*this, nullptr, "Label7"};

    Timer Timer1{*this, "Timer1", 10, false};
    Timer Timer2{*this, "Timer2", 10, true};
    Timer Timer3{*this, "Timer3", 10, false};
    Timer Timer4{*this, "Timer4", 10, false};
    Timer Shagi{*this, "Shagi", 50, true};
    Timer Шаги{*this, "Шаги", 280, false};
    Timer Timer5{*this, "Timer5", 50, false};
    Timer Молния{*this, "Молния", 40, false};
    Timer Сохр{*this, "Сохр", 1000, false};

    // Readable names for the controls the game logic talks about.
    PictureBox& hero() { return Picture5; }
    PictureBox& block(int i) { return Picture2[i]; }

private:
    void LayOut();
    void ConnectHandlers();
    void ConnectMenuBar();  // Игра_menubar.cpp
};

void RegisterGameWindows(Runtime& runtime);

}  // namespace kelto

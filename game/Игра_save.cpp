// The one save slot: the save command, the load command and the save-file reader.
#include "game/save_file.h"
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {
namespace {

std::string SavePath() {
    return DataPath("Kelto.sav");
}

}  // namespace

void Игра::SaveCommand() {
    using namespace Модуль1;
    Busy = true;
    const std::string bytes =
        FormatSave({CurrentScreen, CurrentLevel, Picture5.Left.get(), Picture5.Top.get()});
    // The new file replaces the old one only once it is safely on disk.
    if (WriteFileReplacing(SavePath(), bytes)) {
        Label7.Visible = true;
        Сохр.SetEnabled(true);
    } else {
        MsgBox("Не удалось сохранить игру!", kCritical, "Файл не сохранён");
    }
    Busy = false;
}

bool Игра::ReadSaveFile() {
    auto text = ReadFile(SavePath(), 1u << 20);
    auto save = text ? ParseSave(SplitLines(*text)) : std::nullopt;
    if (!save) {
        MsgBox("Файл сохранения повреждён!", kCritical, "Ошибка в данных");
        return false;
    }
    Picture5.Left = save->left;
    Picture5.Top = save->top;
    Модуль1::CurrentScreen = save->screen;
    Модуль1::CurrentLevel = save->level;
    return true;
}

void Игра::LoadCommand() {
    using namespace Модуль1;
    Busy = true;
    Шаги.SetEnabled(false);
    Frame1.Visible = true;
    Timer1.SetEnabled(false);
    Timer3.SetEnabled(false);
    Timer4.SetEnabled(false);
    if (FileExists(SavePath())) {
        if (ReadSaveFile()) {
            LoadLevelTexture(CurrentLevel);
            ShowLevelCaption();
            PlaceBlocks(CurrentLevel, CurrentScreen, 1);
        }
    } else {
        MsgBox("Игра не была сохранена!", kCritical, "Файл не найден");
    }
    Frame1.Visible = false;
    Timer2.SetEnabled(true);
    Busy = false;
}

void Игра::Сохр_Timer() {
    Label7.Visible = false;
    Сохр.SetEnabled(false);
}

}  // namespace kelto

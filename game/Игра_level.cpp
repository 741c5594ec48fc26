// Building a screen: the level map, the blocks, the level texture and the level caption.
#include "game/Игра.h"
#include "game/Модуль1.h"
#include "platform/files.h"

namespace kelto {

bool Игра::ReadLevelMap() {
    const std::string path = DataPath("Map.res");
    auto text = ReadFile(path);
    if (!text) {
        MsgBox("Не удалось прочитать файл " + ShownPath(path) + ".", kCritical, "Ошибка в данных");
        return false;
    }
    LevelMapRead read = ReadLevelMapLines(SplitLines(*text), LevelData());
    if (read.badLine) {
        MsgBox("Файл уровней повреждён (строка " + std::to_string(read.badLine) + ").", kCritical,
               "Ошибка в данных");
        return false;
    }
    for (size_t i = 0; i < read.extraLevels.size(); ++i) MsgBox("ошибка");
    return true;
}

void Игра::PlaceBlocks(int level, int screen, int firstBlock) {
    if (level < 0 || level > 20 || screen < 0 || screen > 10) return;
    const auto& entry = LevelData().LevelMap[level][screen];
    for (int b = firstBlock; b <= Picture2.Count() - 1; ++b) {
        PictureBox& box = Picture2[b];
        box.Left = entry[b][1];
        box.Top = entry[b][2];
        box.Width = entry[b][3];
        box.Height = entry[b][4];
    }
}

void Игра::LoadLevelTexture(int level) {
    std::string path = DataPath("Texture" + std::to_string(level) + ".res");
    if (!LoadPicture(path)) {
        MsgBox(
            "Не найден файл текстуры для текущего уровня!\r\n   Будут загружены стандартные "
            "текстуры",
            kCritical, "Файл не найден");
        path = DataPath("Texture1.res");
    }
    SetTexturePictures(path);
}

void Игра::SetTexturePictures(const std::string& path) {
    for (int b = 1; b <= 10; ++b) Picture2[b].SetPicture(LoadPicture(path));
    SetPicture(LoadPicture(path));
    Picture6.SetPicture(LoadPicture(path));
}

void Игра::ShowLevelCaption() {
    const int16_t percent = static_cast<int16_t>((11 - Модуль1::CurrentScreen) * 10);
    Label1.Caption =
        "Уровень " + std::to_string(Модуль1::CurrentLevel) + "    " + std::to_string(percent) + "%";
}

}  // namespace kelto

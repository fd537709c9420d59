// Opening the clock window: the data folder, which sets the size limit, and
// the sizes that follow from it.
#include "clock/ResourceTexts.h"
#include "clock/mainWindow.h"
#include "platform/Runtime.h"
#include "platform/Text.h"

namespace {

struct DataFolderCandidate {
    const char* name;
    std::int32_t maxWidth;
    std::int32_t maxHeight;
};

constexpr DataFolderCandidate kCandidates[] = {
    {"Velka Namro 2 HD.app", 768, 1024},
    {"Velka Namro 2.app", 640, 960},
};

std::int32_t Fraction(std::int32_t limit, double divisor)
{
    return platform::CInt32(static_cast<double>(limit) / divisor);
}

}  // namespace

void mainWindow::Event_Open()
{
    if (LocateDataFolder())
        SetMinimumAndStartSize();
    LoadLists(*this);
    ReadSettings();
}

// Tries the candidates in order; the first that exists sets the size limit.
// Without one the user is told and the program ends, with dataPath left at
// the last candidate.
bool mainWindow::LocateDataFolder()
{
    for (const DataFolderCandidate& candidate : kCandidates) {
        dataPath = platform::GetFolderItem("velka-namro", 0).Child("Payload").Child(candidate.name);
        if (dataPath->Exists()) {
            SetMaxWidth(candidate.maxWidth);
            SetMaxHeight(candidate.maxHeight);
            return true;
        }
    }
    platform::MsgBox("データが正しく配置されていません");
    platform::Quit(0);
    return false;
}

void mainWindow::SetMinimumAndStartSize()
{
    SetMinWidth(Fraction(MaxWidth(), 4.0));
    SetMinHeight(Fraction(MaxHeight(), 4.0));
    SetWidth(Fraction(MaxWidth(), 2.0));
    SetHeight(Fraction(MaxHeight(), 2.0));
}

// "小": a quarter of the limit, the minimum size.
bool mainWindow::halfMenu_Action()
{
    SetWidth(Fraction(MaxWidth(), 4.0));
    SetHeight(Fraction(MaxHeight(), 4.0));
    return true;
}

// "中": half the limit, the start size.
bool mainWindow::NormalMenu_Action()
{
    SetWidth(Fraction(MaxWidth(), 2.0));
    SetHeight(Fraction(MaxHeight(), 2.0));
    return true;
}

// "大": the whole limit.
bool mainWindow::largeMenu_Action()
{
    SetWidth(MaxWidth());
    SetHeight(MaxHeight());
    return true;
}

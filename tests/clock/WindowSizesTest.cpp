#include <gtest/gtest.h>

#include "clock/mainWindow.h"
#include "tests/support/ListContents.h"
#include "tests/support/QtReach.h"
#include "tests/support/TestProgram.h"

namespace {

struct Size {
    int width, height;
    friend bool operator==(const Size&, const Size&) = default;
};
Size SizeOf(const mainWindow& w) { return {w.Width(), w.Height()}; }
Size MinOf(const mainWindow& w) { return {w.MinWidth(), w.MinHeight()}; }
Size MaxOf(const mainWindow& w) { return {w.MaxWidth(), w.MaxHeight()}; }

void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }

TEST(WindowSizes, DataFolderSetsTheLimitAndTheSizeCommandsFollowIt)
{
    struct Case {
        TestProgram::DataFolder data;
        const char* folderName;
        Size limit, minimum, start;
    };
    const Case cases[] = {
        {TestProgram::DataFolder::HD, "Velka Namro 2 HD.app", {768, 1024}, {192, 256}, {384, 512}},
        {TestProgram::DataFolder::Both, "Velka Namro 2 HD.app", {768, 1024}, {192, 256}, {384, 512}},
        {TestProgram::DataFolder::Standard, "Velka Namro 2.app", {640, 960}, {160, 240}, {320, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folderName);
        TestProgram program(c.data);
        mainWindow& clock = program.open();
        ASSERT_TRUE(clock.dataPath);
        EXPECT_TRUE(clock.dataPath->NativePath().ends_with(std::string("/") + c.folderName));
        EXPECT_EQ(MaxOf(clock), c.limit);
        EXPECT_EQ(MinOf(clock), c.minimum);
        EXPECT_EQ(SizeOf(clock), c.start);
        EXPECT_TRUE(program.messages().empty());

        EXPECT_TRUE(qtreach::ChooseMenuItem(clock, "largeMenu"));
        EXPECT_EQ(SizeOf(clock), c.limit);
        EXPECT_TRUE(qtreach::ChooseMenuItem(clock, "halfMenu"));
        EXPECT_EQ(SizeOf(clock), c.minimum);  // "小" is a quarter of the limit
        EXPECT_TRUE(qtreach::ChooseMenuItem(clock, "halfMenu"));
        EXPECT_EQ(SizeOf(clock), c.minimum);
        EXPECT_TRUE(qtreach::ChooseMenuItem(clock, "NormalMenu"));
        EXPECT_EQ(SizeOf(clock), c.start);
    }
}

// The message, the exit and the settings written back are seen end to end.
TEST(WindowSizes, WithoutDataFolderTheUserIsToldAndTheSizesAreUnlimited)
{
    TestProgram program(TestProgram::DataFolder::None);
    program.writeResource("ActTime.txt", CrLines({"0731\t1"}));
    mainWindow& clock = program.open();

    EXPECT_EQ(program.messages(), std::vector<std::string>{"データが正しく配置されていません"});
    EXPECT_TRUE(platform::QuitRequested());
    ASSERT_TRUE(clock.dataPath);
    EXPECT_TRUE(clock.dataPath->NativePath().ends_with("/Velka Namro 2.app"));
    EXPECT_FALSE(clock.dataPath->Exists());
    EXPECT_EQ(SizeOf(clock), (Size{320, 480}));
    EXPECT_EQ(MinOf(clock), (Size{64, 64}));
    EXPECT_EQ(MaxOf(clock), (Size{32000, 32000}));
    // The lists are loaded all the same.
    EXPECT_EQ(LinesOf(clock.timeArray), (std::vector<std::string>{"0731\t1", ""}));
}

TEST(WindowSizes, ResizingRedrawsTheBackdropAtTheNewSize)
{
    TestProgram program(TestProgram::DataFolder::Standard);
    // Four quadrants: red, green / blue, white, 640 x 960.
    QImage photo(640, 960, QImage::Format_RGB32);
    photo.fill(Qt::white);
    for (int y = 0; y < 960; ++y)
        for (int x = 0; x < 640; ++x)
            if (x < 320 || y < 480)
                photo.setPixel(x, y, y < 480 ? (x < 320 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)) : qRgb(0, 0, 255));
    program.writePhoto("1200.jpg", photo);
    mainWindow& clock = program.open();

    qtreach::ChooseMenuItem(clock, "halfMenu");
    EXPECT_FALSE(clock.Backdrop());  // a resize with no picture draws nothing

    qtreach::ChooseMenuItem(clock, "NormalMenu");
    program.tickAt(12, 0, 0);
    auto expectQuadrants = [&](int w, int h) {
        platform::PicturePtr b = clock.Backdrop();
        ASSERT_TRUE(b);
        ASSERT_EQ(b->Width(), w);
        ASSERT_EQ(b->Height(), h);
        EXPECT_GT(qRed(qtreach::Pixel(*b, w / 4, h / 4)), 230);
        EXPECT_GT(qGreen(qtreach::Pixel(*b, 3 * w / 4, h / 4)), 230);
        EXPECT_GT(qBlue(qtreach::Pixel(*b, w / 4, 3 * h / 4)), 230);
        EXPECT_LT(qRed(qtreach::Pixel(*b, w / 4, 3 * h / 4)), 25);
        EXPECT_GT(qRed(qtreach::Pixel(*b, 3 * w / 4, 3 * h / 4)), 230);
        // The edges of the quadrants land where the scale puts them.
        EXPECT_GT(qRed(qtreach::Pixel(*b, w / 2 - 3, 2)), 200);
        EXPECT_GT(qGreen(qtreach::Pixel(*b, w / 2 + 3, 2)), 200);
    };
    expectQuadrants(320, 480);  // half size
    qtreach::ChooseMenuItem(clock, "largeMenu");
    expectQuadrants(640, 960);  // pixel for pixel
    EXPECT_EQ(qtreach::Pixel(*clock.Backdrop(), 100, 100), qtreach::Pixel(*clock.readPicture, 100, 100));
    qtreach::ChooseMenuItem(clock, "halfMenu");
    expectQuadrants(160, 240);
    EXPECT_EQ(clock.readPicture->Width(), 640);  // always drawn from the picture as loaded
}

}  // namespace

#include <gtest/gtest.h>

#include "tests/prefs/PrefsInstallation.h"
#include "tests/support/QtReach.h"

namespace {

class FaceClick : public PrefsTest {
protected:
    // The clock's background all over: its size and the colour at two corners.
    void ExpectBackground(QRgb colour) const
    {
        const platform::PicturePtr backdrop = clock->Backdrop();
        ASSERT_TRUE(backdrop);
        EXPECT_EQ(backdrop->Width(), clock->Width());
        EXPECT_EQ(backdrop->Height(), clock->Height());
        EXPECT_TRUE(NearColour(qtreach::Pixel(*backdrop, 0, 0), colour));
        EXPECT_TRUE(NearColour(qtreach::Pixel(*backdrop, clock->Width() - 1, clock->Height() - 1), colour));
    }
};

TEST_F(FaceClick, SetsTheBackgroundAtOnceAndKeepsItAfterCancel)
{
    openClock();
    EXPECT_TRUE(WithModalDialog([&](prefWindow& dialog) {
        qtreach::PressMouse(dialog.faceImage(0), 30, 30);
        ExpectBackground(kRed);
        EXPECT_EQ(clock->readPicture->Width(), 40);  // the picture as loaded
        EXPECT_EQ(clock->backPicture, nullptr);

        qtreach::PressMouse(dialog.faceImage(1), 1, 1);
        ExpectBackground(kGreen);
        // Nothing of the dialog or the settings changes.
        EXPECT_FALSE(dialog.nameCheck(1).Value());
        EXPECT_TRUE(NearColour(qtreach::Pixel(*dialog.faceImage(1).Image(), 1, 1), kFaceColours[1]));
        qtreach::Push(dialog.PushButton2());
    }));
    ExpectBackground(kGreen);
    EXPECT_FALSE(clock->nameCheck[1]);

    // A later size command draws the clicked picture at the new size.
    ASSERT_TRUE(qtreach::ChooseMenuItem(*clock, "largeMenu"));
    EXPECT_EQ(clock->Width(), 768);
    ExpectBackground(kGreen);
}

TEST_F(FaceClick, AMissingOrBrokenPictureChangesNothing)
{
    openClock();
    prefWindow& dialog = implicit::prefWindow();
    qtreach::PressMouse(dialog.faceImage(0), 5, 5);
    const platform::PicturePtr backdrop = clock->Backdrop();
    const platform::PicturePtr picture = clock->readPicture;
    // noimage03 is missing; noimage12 is no picture.
    for (int face : {2, 11}) {
        qtreach::PressMouse(dialog.faceImage(face), 5, 5);
        EXPECT_EQ(clock->Backdrop(), backdrop) << face;
        EXPECT_EQ(clock->readPicture, picture) << face;
    }
    qtreach::Push(dialog.PushButton1());
    ASSERT_TRUE(qtreach::ChooseMenuItem(*clock, "halfMenu"));
    ExpectBackground(kRed);
}

// Only field 3 of the actor line counts: its last two characters, whether or
// not the face has a photo, and the same ending gives the same picture.
TEST_F(FaceClick, ThePictureIsNamedByTheEndOfThePhotoName)
{
    program->writeResource("ActMain.txt", "1\ta\tface01\r\n2\tb\tother01\r\n3\tc\tx\r\n4\td\r\n5\te\tface02");
    program->writePhoto(QStringLiteral("noimagex.jpg"), 8, 8, kFaceColours[2]);
    program->writePhoto(QStringLiteral("noimage.jpg"), 8, 8, kFaceColours[3]);
    openClock();
    prefWindow& dialog = implicit::prefWindow();
    struct Case {
        int face;
        QRgb colour;
    };
    const Case cases[] = {{1, kRed}, {4, kGreen}, {2, kFaceColours[2]}, {3, kFaceColours[3]},
                          {0, kRed}, {11, kFaceColours[3]}};  // line 11 is missing: "noimage.jpg"
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(dialog.faceImage(c.face).Image() != nullptr, c.face == 0 || c.face == 4);
        qtreach::PressMouse(dialog.faceImage(c.face), 2, 2);
        ExpectBackground(c.colour);
    }
    qtreach::Push(dialog.PushButton2());
}

}  // namespace

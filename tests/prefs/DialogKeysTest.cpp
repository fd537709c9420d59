// The real dialog driven by keys, as the user drives it.
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include "platform/QtAccess.h"
#include "tests/prefs/PrefsInstallation.h"
#include "tests/support/QtReach.h"

namespace {

class DialogKeys : public PrefsTest {
protected:
    static QComboBox& Combo(const platform::PopupMenu& popup)
    {
        return *qobject_cast<QComboBox*>(platform::WidgetOf(popup));
    }

    // The key goes where Qt sends the user's: an open list, else the focus.
    static void Press(Qt::Key key)
    {
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* target = popup ? popup->focusWidget() : QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    }

    // The dialog as the window that has the keyboard.
    static void Activate(const prefWindow& dialog)
    {
        QApplication::setActiveWindow(platform::WidgetOf(dialog.PushButton1())->window());
    }

    // The control's name (with its index) for each widget of the dialog.
    static std::string NameOf(const prefWindow& dialog, const QWidget* widget)
    {
        for (std::int32_t i = 0; i < 12; ++i) {
            if (platform::WidgetOf(dialog.nameCheck(i)) == widget)
                return "nameCheck" + std::to_string(i);
        }
        const std::vector<const platform::RectControl*> named{
            &dialog.alarmVoicePopup(), &dialog.voiceMode(),   &dialog.alarmHourPopup(), &dialog.alarmMinPopup(),
            &dialog.alarmCheck(),      &dialog.PushButton1(), &dialog.PushButton2(),    &dialog.PushButton3()};
        for (const platform::RectControl* control : named) {
            if (platform::WidgetOf(*control) == widget)
                return control->Name();
        }
        return widget ? "other" : "none";
    }
};

// Return and Escape in an open list only pick or close the list; with no
// list open they press OK and Cancel.
TEST_F(DialogKeys, KeysInAnOpenListStayInTheList)
{
    openClock();
    EXPECT_TRUE(WithModalDialog([&](prefWindow& dialog) {
        Activate(dialog);
        QComboBox& hours = Combo(dialog.alarmHourPopup());
        hours.setFocus();
        hours.showPopup();
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        Press(Qt::Key_Down);
        Press(Qt::Key_Return);
        EXPECT_FALSE(dialog.IsClosed()) << "Return picked the row and pressed OK";
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_EQ(dialog.alarmHourPopup().Text(), "08");

        hours.showPopup();
        Press(Qt::Key_Down);
        Press(Qt::Key_Escape);
        EXPECT_FALSE(dialog.IsClosed()) << "Escape closed the list and cancelled the dialog";
        EXPECT_EQ(dialog.alarmHourPopup().Text(), "08");

        Press(Qt::Key_Return);
        EXPECT_TRUE(dialog.IsClosed()) << "Return with no list open is OK";
    }));
    EXPECT_EQ(clock->alarmHour, "08");

    EXPECT_TRUE(WithModalDialog([&](prefWindow& dialog) {
        Activate(dialog);
        Combo(dialog.alarmHourPopup()).setFocus();
        Press(Qt::Key_Up);
        Press(Qt::Key_Escape);
        EXPECT_TRUE(dialog.IsClosed()) << "Escape with no list open is Cancel";
    }));
    EXPECT_EQ(clock->alarmHour, "08");
}

// Tab walks the controls that take the focus, by tab index, and around.
TEST_F(DialogKeys, TabWalksTheControlsByTabIndex)
{
    openClock();
    EXPECT_TRUE(WithModalDialog([&](prefWindow& dialog) {
        Activate(dialog);
        platform::WidgetOf(dialog.alarmCheck())->setFocus();
        std::vector<std::string> walk;
        for (int i = 0; i < 19; ++i) {
            Press(Qt::Key_Tab);
            walk.push_back(NameOf(dialog, QApplication::focusWidget()));
        }
        std::vector<std::string> expected{"PushButton1", "PushButton2", "PushButton3", "alarmVoicePopup",
                                          "voiceMode",   "alarmHourPopup", "alarmMinPopup"};
        for (int i = 0; i < 12; ++i)
            expected.push_back("nameCheck" + std::to_string(i));
        EXPECT_EQ(walk, expected);
        qtreach::Push(dialog.PushButton2());
    }));
}

}  // namespace

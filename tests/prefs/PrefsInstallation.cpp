#include "tests/prefs/PrefsInstallation.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdlib>

#include "platform/Window.h"
#include "tests/support/QtReach.h"

const char* const kActorNames[12] = {"相沢 葵",   "井上 伊織", "上田 卯月", "江藤 絵美",
                                     "大野 織江", "加藤 薫",   "木村 貴子", "工藤 久美",
                                     "小林 小春", "佐藤 咲",   "清水 静香", "鈴木 すず"};

const QRgb PrefsTest::kFaceColours[6] = {0xFF2040C0, 0xFFC04020, 0xFF20C040, 0xFFC0C020, 0xFF20C0C0, 0xFFC020C0};

namespace {

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string ActorLine(int index)
{
    return std::to_string(index + 1) + "\t" + kActorNames[index] + "\tface" + TwoDigits(index + 1);
}

std::string AlarmLine(int row) { return "アラーム" + TwoDigits(row) + "\talarm" + TwoDigits(row) + ".mp3"; }

void PrefsTest::SetUp() { install(); }

void PrefsTest::install()
{
    clock = nullptr;
    program.reset();  // one installation at a time
    program = std::make_unique<TestProgram>();
    program->clock->Set(3, 3, 0);  // no alarm, photo or clip belongs to 03:03

    std::string actors;
    for (int i = 0; i < 12; ++i)
        actors += ActorLine(i) + "\r\n";
    program->writeResource("ActMain.txt", actors);
    std::string alarms;
    for (int r = 0; r < 72; ++r)
        alarms += AlarmLine(r) + (r < 71 ? "\r\n" : "");
    program->writeResource("Alarm.txt", alarms);

    for (int i = 0; i < 6; ++i)
        program->writePhoto(QStringLiteral("face%1.jpg").arg(i + 1, 2, 10, QLatin1Char('0')), 144, 144,
                            kFaceColours[i]);
    writePhotoBytes("face08.jpg", "not a picture");
    program->writePhoto(QStringLiteral("noimage01.jpg"), 40, 60, kRed);
    program->writePhoto(QStringLiteral("noimage02.jpg"), 40, 60, kGreen);
    writePhotoBytes("noimage12.jpg", "not a picture either");
    for (const char* alarm : {"alarm00.mp3", "alarm05.mp3", "alarm71.mp3"})
        program->writeSound(QStringLiteral("Alarm/") + QLatin1String(alarm));

    program->writeSettings({"seiyuOn/Off=1,0,1,0,1,0,1,0,1,0,1,0", "alarmOn=1", "alarmHour=07", "alarmMin=59",
                            "alarmVoice=5", "voiceMode=2"});
}

mainWindow& PrefsTest::openClock()
{
    clock = &program->open();
    return *clock;
}

void PrefsTest::writePhotoBytes(const std::string& name, const std::string& bytes) const
{
    const QString data = QDir(program->root()).relativeFilePath(program->dataFolder());
    program->writeFile(data + QStringLiteral("/Photos/") + QString::fromStdString(name), bytes);
}

bool PrefsTest::WithModalDialog(const std::function<void(prefWindow&)>& act)
{
    // The timers belong to scope, so none outlives this call.
    QObject scope;
    bool ran = false;
    std::function<void()> whenModal = [&] {
        if (!QApplication::activeModalWidget()) {
            QTimer::singleShot(0, &scope, whenModal);
            return;
        }
        ran = true;
        auto* dialog = dynamic_cast<prefWindow*>(platform::ImplicitWindow(prefWindow::kClassName));
        if (!dialog) {
            ADD_FAILURE() << "a modal window that is no preferences dialog";
            return;
        }
        act(*dialog);
        if (!dialog->IsClosed()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog->Close();
        }
    };
    QTimer::singleShot(0, &scope, whenModal);
    EXPECT_TRUE(qtreach::ChooseMenuItem(*clock, "prefMenu"));
    return ran;
}

bool NearColour(std::uint32_t argb, QRgb expected)
{
    const auto near = [](int a, int b) { return std::abs(a - b) <= 8; };
    return near(qRed(argb), qRed(expected)) && near(qGreen(argb), qGreen(expected)) &&
           near(qBlue(argb), qBlue(expected));
}

#pragma once

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "platform/Date.h"
#include "platform/Sound.h"
#include "tests/support/RecordingSoundOutput.h"
#include "tests/support/TestClock.h"

class mainWindow;

// A throw-away installation of the program: an app root with bin/,
// Resources/ and a data folder, a Preferences folder, a settable clock and a
// sound output that records what plays. Nothing touches the real home.
class TestProgram {
public:
    enum class DataFolder { HD, Standard, Both, None };

    explicit TestProgram(DataFolder data = DataFolder::HD);
    ~TestProgram();

    QString root() const { return root_.path(); }
    QString dataFolder() const;
    QString prefsFile() const;

    // Files of the installation, written as given (bytes exact).
    void writeFile(const QString& relativePath, const std::string& bytes) const;
    void writeResource(const QString& name, const std::string& bytes) const;
    void writePhoto(const QString& name, int width, int height, QRgb colour) const;
    void writePhoto(const QString& name, const QImage& image) const;
    void writeSound(const QString& relativeToSounds) const;
    void writeSettings(const std::vector<std::string>& lines) const;
    std::string readSettings() const;

    // Opens the clock window (start-up's last step) and runs ticks.
    mainWindow& open();
    void tickAt(int hour, int minute, int second);
    void tick();
    // Closes the window as the user would and lets the runtime finish.
    void close();

    // Paths played since the last call, relative to the data folder.
    std::vector<std::string> takePlayed();
    const std::vector<std::string>& messages() const { return messages_; }

    std::shared_ptr<TestClock> clock = std::make_shared<TestClock>();

private:
    QTemporaryDir root_;
    QTemporaryDir prefs_;
    std::shared_ptr<RecordingSoundOutput> sounds_ = std::make_shared<RecordingSoundOutput>();
    std::vector<std::string> messages_;
    bool open_ = false;
};

// A list text with CR after every line.
std::string CrLines(const std::vector<std::string>& lines);

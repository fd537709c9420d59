#include "platform/FolderItem.h"
#include "tests/support/RecordingSoundOutput.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/TextStreams.h"
#include "tests/support/QtReach.h"

namespace platform {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Whether open ended by itself within two seconds. One stuck opening the pipe
// is let go by opening and closing the pipe's other end, so a failing test
// does not hang.
bool EndsWithoutAWriter(const std::string& pipe, const std::function<bool()>& open)
{
    auto opened = std::async(std::launch::async, open);
    if (opened.wait_for(std::chrono::seconds(2)) == std::future_status::ready)
        return opened.get();
    ::close(::open(pipe.c_str(), O_WRONLY));
    opened.wait();
    return false;
}

class FolderItemTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetAppRootForTesting("");
    }

    FolderItem Item(const char* name) const { return FolderItem(folder.filePath(QString::fromUtf8(name)).toStdString()); }

    QTemporaryDir folder;
};

TEST(FolderItemPathTest, ChildAndParentWorkOnPathsAlone)
{
    EXPECT_EQ(FolderItem("/opt/clock/bin/").Parent().NativePath(), "/opt/clock");
    EXPECT_EQ(FolderItem("/opt").Parent().NativePath(), "/");
    EXPECT_EQ(FolderItem("/nowhere").Child("Photos").Child("a b.jpg").NativePath(), "/nowhere/Photos/a b.jpg");
    EXPECT_EQ(FolderItem("/").Child("tmp").NativePath(), "/tmp");
    EXPECT_FALSE(FolderItem("").Exists());
}

TEST_F(FolderItemTest, OpenAsTextFileReadsBytesAsStored)
{
    ASSERT_TRUE(folder.isValid());
    const std::string content = "1%09A%09ph01\r\nline two\rthird\n\xE3\x83\xB4\xFF";
    WriteBytes(Item("ActMain.txt").NativePath(), content);
    WriteBytes(Item("empty.txt").NativePath(), "");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Resources")));

    EXPECT_TRUE(Item("ActMain.txt").Exists());
    EXPECT_TRUE(Item("Resources").Exists());
    auto text = Item("ActMain.txt").OpenAsTextFile();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->ReadAll(), content);
    auto empty = Item("empty.txt").OpenAsTextFile();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->ReadAll(), "");

    EXPECT_FALSE(Item("missing.txt").Exists());
    EXPECT_EQ(Item("missing.txt").OpenAsTextFile(), nullptr);
    EXPECT_EQ(Item("Resources").OpenAsTextFile(), nullptr);
}

TEST_F(FolderItemTest, OpenAsPictureGivesThirtyTwoBitPicturesOrNothing)
{
    ASSERT_TRUE(folder.isValid());
    QImage photo(64, 96, QImage::Format_RGB888);
    photo.fill(QColor(200, 30, 40));
    ASSERT_TRUE(photo.save(folder.filePath(QStringLiteral("photo.jpg")), "JPEG", 95));
    QImage translucent(10, 20, QImage::Format_ARGB32);
    translucent.fill(QColor(0, 0, 255, 128));
    ASSERT_TRUE(translucent.save(folder.filePath(QStringLiteral("alpha.png")), "PNG"));
    WriteBytes(Item("garbage.jpg").NativePath(), std::string(2048, 'x'));
    WriteBytes(Item("truncated.jpg").NativePath(), "\xFF\xD8\xFF\xE0");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.jpg")));

    const PicturePtr picture = Item("photo.jpg").OpenAsPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 64);
    EXPECT_EQ(picture->Height(), 96);
    const std::uint32_t pixel = qtreach::Pixel(*picture, 32, 48);
    EXPECT_EQ(pixel >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 200, 6);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 40, 6);

    // Alpha is dropped: the picture is opaque like every backdrop.
    const PicturePtr png = Item("alpha.png").OpenAsPicture();
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(qtreach::Pixel(*png, 0, 0) >> 24, 0xFFu);

    for (const char* name : {"garbage.jpg", "truncated.jpg", "folder.jpg", "missing.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Item(name).OpenAsPicture(), nullptr);
    }
}

TEST_F(FolderItemTest, OpenAsSoundNeedsAFile)
{
    ASSERT_TRUE(folder.isValid());
    WriteBytes(Item("alarm.mp3").NativePath(), "ID3");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.mp3")));
    const SoundPtr sound = Item("alarm.mp3").OpenAsSound();
    ASSERT_NE(sound, nullptr);
    auto output = std::make_shared<RecordingSoundOutput>();
    platform::SetSoundOutput(output);
    sound->Play();
    platform::SetSoundOutput(nullptr);
    EXPECT_EQ(output->played, std::vector<std::string>{Item("alarm.mp3").NativePath()});
    EXPECT_EQ(Item("folder.mp3").OpenAsSound(), nullptr);
    EXPECT_EQ(Item("missing.mp3").OpenAsSound(), nullptr);
}

// Nothing opens a named pipe: with no writer, opening one waits for good.
TEST_F(FolderItemTest, NamedPipeCountsAsMissingAndNothingWaitsOnIt)
{
    ASSERT_TRUE(folder.isValid());
    const std::string pipe = Item("0715.jpg").NativePath();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const FolderItem item(pipe);
    EXPECT_TRUE(item.Exists());
    EXPECT_TRUE(EndsWithoutAWriter(pipe, [&] { return item.OpenAsTextFile() == nullptr; }));
    EXPECT_TRUE(EndsWithoutAWriter(pipe, [&] { return item.OpenAsPicture(72, 72) == nullptr; }));
    EXPECT_TRUE(EndsWithoutAWriter(pipe, [&] { return item.OpenAsSound() == nullptr; }));
}

TEST_F(FolderItemTest, AppRootResolvesRelativeNamesAndTheExecutable)
{
    const std::string binFolder = QCoreApplication::applicationDirPath().toStdString();
    EXPECT_EQ(ExecutableFile().NativePath(), QCoreApplication::applicationFilePath().toStdString());
    EXPECT_EQ(GetFolderItem("Resources").NativePath(), FolderItem(binFolder).Parent().Child("Resources").NativePath());

    SetAppRootForTesting("/tmp/root");
    EXPECT_EQ(ExecutableFile().NativePath(), "/tmp/root/bin/talking-clock");
    EXPECT_EQ(GetFolderItem("velka-namro/Payload/Velka Namro 2 HD.app").NativePath(),
              "/tmp/root/velka-namro/Payload/Velka Namro 2 HD.app");
    EXPECT_EQ(ExecutableFile().Parent().Parent().Child("Resources").NativePath(), "/tmp/root/Resources");
    EXPECT_FALSE(GetFolderItem("velka-namro").Exists());

}

TEST_F(FolderItemTest, PreferencesFolderIsTheXdgConfigFolder)
{
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    const std::string xdg = folder.filePath(QStringLiteral("xdg")).toStdString();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(xdg));
    EXPECT_EQ(PreferencesFolder().NativePath(), xdg);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PreferencesFolder().NativePath(), QDir::homePath().toStdString() + "/.config");
    wasSet ? qputenv("XDG_CONFIG_HOME", old) : qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace platform

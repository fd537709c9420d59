#include "platform/TextStreams.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/FolderItem.h"
#include "tests/support/FileSizeLimit.h"

namespace platform {
namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> ReadLines(TextInputStream& stream, int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(stream.ReadLine());
    }
    return lines;
}

TEST(TextInputStreamTest, ReadLineTakesEveryLineEndAndReadAllTheRest)
{
    using Lines = std::vector<std::string>;
    struct Case {
        std::string content;
        Lines lines;  // five reads; past the end each gives the empty text
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", {"a", "b", "", "", ""}},
        {"a\r\rb", {"a", "", "b", "", ""}},
        {"a\n\r\nb", {"a", "", "b", "", ""}},
        {"", {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        TextInputStream stream(c.content);
        EXPECT_EQ(ReadLines(stream, 5), c.lines);
        EXPECT_EQ(stream.ReadAll(), "");
    }

    TextInputStream rest("first\r\nsecond\rthird");
    EXPECT_EQ(rest.ReadLine(), "first");
    EXPECT_EQ(rest.ReadAll(), "second\rthird");
    EXPECT_EQ(rest.ReadLine(), "");
}

class TextOutputStreamTest : public ::testing::Test {
protected:
    std::string PathOf(const QString& name) const { return folder.filePath(name).toStdString(); }

    QTemporaryDir folder;
};

TEST_F(TextOutputStreamTest, CloseReplacesTheFileAndCreatesMissingFolders)
{
    ASSERT_TRUE(folder.isValid());
    const FolderItem existing(PathOf(QStringLiteral("velkaViewer2 Prefs")));
    WriteBytes(existing.NativePath(), "old content that is longer than the new\n");
    {
        auto abandoned = TextOutputStream::Create(existing);
        abandoned->WriteLine("dropped without Close");
    }
    auto out = TextOutputStream::Create(existing);
    ASSERT_NE(out, nullptr);
    for (const char* line : {"alarmOn=0", "", "alarmVoice=-1"})
        out->WriteLine(line);
    EXPECT_EQ(ReadBytes(existing.NativePath()), "old content that is longer than the new\n");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(out->ErrorString(), "");
    EXPECT_EQ(ReadBytes(existing.NativePath()), "alarmOn=0\n\nalarmVoice=-1\n");

    const FolderItem nested(PathOf(QStringLiteral("config/deeper/prefs")));
    auto created = TextOutputStream::Create(nested);
    created->WriteLine("first run");
    ASSERT_TRUE(created->Close()) << created->ErrorString();
    EXPECT_EQ(ReadBytes(nested.NativePath()), "first run\n");
    // The temporary files are gone after the commits.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(TextOutputStreamTest, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    ASSERT_TRUE(folder.isValid());
    const FolderItem target(PathOf(QStringLiteral("prefs")));
    WriteBytes(target.NativePath(), "old\r\n");

    // Lines written before the disk fills and lines written after it.
    for (const std::string& line : {std::string(10, 'x'), std::string(40000, 'y')}) {
        SCOPED_TRACE(line.size());
        const ChildRun saving = RunWithFileSizeLimit(64, [&] {
            auto out = TextOutputStream::Create(target);
            for (int i = 0; i < 20; ++i)
                out->WriteLine(line);
            if (out->Close())
                return 1;
            std::cerr << out->ErrorString();
            return 0;
        });
        EXPECT_EQ(saving.status, 0) << "Close must report the failure";
        EXPECT_NE(saving.stderrText.find(target.NativePath()), std::string::npos) << saving.stderrText;
        EXPECT_EQ(ReadBytes(target.NativePath()), "old\r\n");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("prefs")});
    }

    // A target whose folder is a file cannot even be opened.
    const FolderItem underAFile = target.Child("prefs");
    auto unopenable = TextOutputStream::Create(underAFile);
    ASSERT_NE(unopenable, nullptr);
    unopenable->WriteLine("lost");
    EXPECT_FALSE(unopenable->Close());
    EXPECT_NE(unopenable->ErrorString().find(underAFile.NativePath()), std::string::npos);
    EXPECT_EQ(ReadBytes(target.NativePath()), "old\r\n");
}

}  // namespace
}  // namespace platform

#include "tools/sampledata/ListTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "tools/sampledata/SampleLayout.h"

namespace sampledata {
namespace {

// The program decodes the whole text, then splits at CR LF and at TAB.
QList<QStringList> decodedLines(const QByteArray& text)
{
    QList<QStringList> lines;
    const QString decoded = QUrl::fromPercentEncoding(text);
    for (const QString& line : decoded.split(QStringLiteral("\r\n")))
        lines << line.split(QLatin1Char('\t'));
    return lines;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(ListTexts, ActorListDecodesIntoTwelveActorsWithPhotos)
{
    const QByteArray text = actorListText();
    EXPECT_FALSE(text.contains('\t')) << "TABs are percent-encoded";
    EXPECT_FALSE(text.endsWith("\r\n")) << "lines are joined, not terminated";

    const QList<QStringList> lines = decodedLines(text);
    ASSERT_EQ(lines.size(), 12);
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(lines[i].size(), 3) << "line " << i;
        EXPECT_EQ(lines[i][0], QString::number(i + 1));
        EXPECT_FALSE(lines[i][1].isEmpty());
        EXPECT_FALSE(names.contains(lines[i][1])) << "names are distinct";
        names << lines[i][1];
        EXPECT_EQ(lines[i][2], QStringLiteral("face%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(lines[0][1], QStringLiteral("春野さくら"));
}

TEST(ListTexts, AlarmListNamesSeventyTwoFiles)
{
    const QList<QStringList> lines = decodedLines(alarmListText());
    ASSERT_EQ(lines.size(), 72);
    EXPECT_EQ(lines.first(), (QStringList{QStringLiteral("アラーム01"), QStringLiteral("alarm01.mp3")}));
    EXPECT_EQ(lines.last(), (QStringList{QStringLiteral("アラーム72"), QStringLiteral("alarm72.mp3")}));
}

TEST(ListTexts, ScheduleHasOneLinePerKeyEachEndedByCr)
{
    const QByteArray text = scheduleText(tenMinuteKeys());
    EXPECT_FALSE(text.contains('\n'));
    ASSERT_TRUE(text.endsWith('\r')) << "the last real line is read only when a CR follows it";

    const QList<QByteArray> lines = text.split('\r');
    ASSERT_EQ(lines.size(), 145);
    EXPECT_TRUE(lines.last().isEmpty());
    const struct {
        int line;
        const char* expected;
    } cases[] = {{0, "0000\t1"}, {12, "0200\t1"}, {143, "2350\t12"}};
    for (const auto& c : cases)
        EXPECT_EQ(lines[c.line], QByteArray(c.expected)) << "line " << c.line;

    EXPECT_EQ(scheduleText(allMinuteKeys()).count('\r'), 1440);
}

TEST(ListTexts, WritesOnlyTheMissingLists)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString folder = root.path();
    {
        QFile kept(folder + QStringLiteral("/ActTime.txt"));
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("0730\t3\r");
    }

    EXPECT_TRUE(writeMissingLists(folder).isEmpty());
    EXPECT_EQ(readFile(folder + QStringLiteral("/ActTime.txt")), QByteArray("0730\t3\r"));
    EXPECT_EQ(readFile(folder + QStringLiteral("/ActMain.txt")), actorListText());
    EXPECT_EQ(readFile(folder + QStringLiteral("/Alarm.txt")), alarmListText());
    EXPECT_EQ(readFile(folder + QStringLiteral("/ActSerif.txt")), scheduleText(tenMinuteKeys()));

    EXPECT_FALSE(writeMissingLists(folder + QStringLiteral("/no/such/folder")).isEmpty());
}

}  // namespace
}  // namespace sampledata

#include "bench/baselines/BarePreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

template <class W>
W* Place(QDialog& dialog, W* widget, int x, int y, int width, int height)
{
    widget->setParent(&dialog);
    widget->setGeometry(x, y, width, height);
    return widget;
}

QComboBox* Popup(QDialog& dialog, int rows, int x, int y, int width, const QString& pattern)
{
    auto* popup = Place(dialog, new QComboBox, x, y, width, 20);
    for (int row = 0; row < rows; ++row)
        popup->addItem(pattern.arg(row, 2, 10, QLatin1Char('0')));
    return popup;
}

void AddActors(QDialog& dialog, const QString& photosFolder)
{
    for (int i = 0; i < 12; ++i) {
        const int column = i / 6;
        const int row = i % 6;
        auto* face = Place(dialog, new QLabel, 20 + 174 * column, 155 + 84 * row, 72, 72);
        const QImage photo(QStringLiteral("%1/face%2.jpg").arg(photosFolder).arg(i + 1, 2, 10, QLatin1Char('0')));
        face->setPixmap(QPixmap::fromImage(photo.scaled(72, 72, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        Place(dialog, new QCheckBox(QStringLiteral("声優 %1").arg(i + 1)), 99 + 176 * column, 181 + 84 * row, 90, 20);
    }
}

}  // namespace

void ShowBarePreferences(QWidget* parent, const QString& photosFolder)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("環境設定"));
    dialog.setFixedSize(385, 706);

    Place(dialog, new QCheckBox(QStringLiteral("アラーム")), 19, 15, 73, 20);
    Popup(dialog, 25, 105, 16, 71, QStringLiteral("%1"));
    Place(dialog, new QLabel(QStringLiteral("時")), 186, 15, 17, 20);
    Popup(dialog, 60, 219, 16, 71, QStringLiteral("%1"));
    Place(dialog, new QLabel(QStringLiteral("分")), 297, 16, 17, 20);
    Place(dialog, new QLabel(QStringLiteral("アラーム音")), 20, 46, 72, 20);
    Popup(dialog, 72, 105, 47, 185, QStringLiteral("アラーム %1"));
    auto* preview = Place(dialog, new QPushButton(QStringLiteral("試聴")), 302, 47, 63, 20);
    Place(dialog, new QLabel(QStringLiteral("時報")), 20, 78, 72, 20);
    auto* voiceMode = Place(dialog, new QComboBox, 105, 78, 185, 20);
    voiceMode->addItems({QStringLiteral("セリフ+毎分"), QStringLiteral("セリフ（10分おき）"), QStringLiteral("毎分"),
                         QStringLiteral("なし")});
    auto* separator = Place(dialog, new QFrame, 20, 110, 363, 1);
    separator->setFrameShape(QFrame::HLine);
    Place(dialog, new QLabel(QStringLiteral("声優")), 20, 123, 100, 20);
    AddActors(dialog, photosFolder);

    auto* cancel = Place(dialog, new QPushButton(QStringLiteral("キャンセル")), 176, 666, 96, 20);
    auto* ok = Place(dialog, new QPushButton(QStringLiteral("OK")), 285, 666, 80, 20);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    preview->setAutoDefault(false);
    dialog.exec();
}

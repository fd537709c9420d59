#pragma once

#include <QString>

class QWidget;

// The preferences dialog's widgets built directly in Qt, at the program's
// geometry, fresh for each opening like the program's; shown modally.
void ShowBarePreferences(QWidget* parent, const QString& photosFolder);

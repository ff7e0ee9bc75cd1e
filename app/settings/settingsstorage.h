#pragma once
// The form storage of a settings window: the given properties of its
// components in a section of "Tarmil5.ini", without the window's placement.
#include <QStringList>

class QObject;
class TFormStorage;

TFormStorage *NewSettingsStorage(QObject *form, const QString &section, const QStringList &storedProps);

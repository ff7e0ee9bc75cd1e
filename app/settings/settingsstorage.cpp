#include "app/settings/settingsstorage.h"

#include "kit/formstorage.h"

TFormStorage *NewSettingsStorage(QObject *form, const QString &section, const QStringList &storedProps)
{
    auto *storage = new TFormStorage(form);
    storage->setObjectName(QStringLiteral("FormStorage"));
    storage->SetIniFileName(QStringLiteral("Tarmil5.ini"));
    storage->SetIniSection(section);
    storage->SetOptions({});
    storage->SetStoredProps(storedProps);
    return storage;
}

#pragma once
// The registry stand-in: keys are paths below the current user's root
// ("Software\Vellum\Tarmil 5.0\Designer"), kept in "registry.ini" with one
// section per key path. Like the framework's registry object it has a current
// key: openKey() with a relative path goes below it, a path starting with "\"
// starts at the root. Values are text; integers are decimal, Booleans "1"/"0".
#include "platform/inifile.h"

#include <QString>
#include <QStringList>
#include <memory>

class Registry
{
public:
    // Empty name: the configuration folder's "registry.ini".
    explicit Registry(const QString &fileName = {});

    bool openKey(const QString &key, bool canCreate);
    bool openKeyReadOnly(const QString &key) { return openKey(key, false); }
    void closeKey();
    QString currentPath() const { return m_current; }
    bool hasCurrentKey() const { return m_open; }

    bool keyExists(const QString &key);
    bool createKey(const QString &key);
    // Removes the key with every key below it.
    bool deleteKey(const QString &key);
    QStringList subKeyNames(); // direct children of the current key
    QStringList valueNames();  // values of the current key

    bool valueExists(const QString &name);
    bool deleteValue(const QString &name);

    QString readString(const QString &name, const QString &defaultValue = {});
    int readInteger(const QString &name, int defaultValue = 0);
    bool readBool(const QString &name, bool defaultValue = false);
    double readFloat(const QString &name, double defaultValue = 0.0);
    void writeString(const QString &name, const QString &value);
    void writeInteger(const QString &name, int value);
    void writeBool(const QString &name, bool value);
    void writeFloat(const QString &name, double value);

    // Writes of one pass go to disk together.
    void beginUpdate() { m_ini->beginUpdate(); }
    void endUpdate() { m_ini->endUpdate(); }

    static QString normalizeKey(const QString &key);

private:
    QString absolute(const QString &key) const;
    bool existsAbsolute(const QString &path);

    std::unique_ptr<IniFile> m_ini;
    QString m_current;
    bool m_open = false;
};

#pragma once
// INI profile file with the semantics of the Windows private-profile functions
// (see IniDocument). Every change reaches the disk at once, as there, unless the
// caller brackets a run of changes with beginUpdate()/endUpdate(), which writes
// them in one go at the end. Before each read and each write the file is
// re-read when someone else (another IniFile object, another process, the
// user's editor) changed it, and pending changes are replayed on top of the
// fresh text, so two objects writing the same file never lose each other's keys.
// The file is replaced atomically (temporary file in the same folder, renamed),
// so a crash leaves either the old or the new file, never half of one.
// A damaged file never stops the program: what cannot be understood is kept
// as it stands and ignored.
#include "platform/inidocument.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class IniFile
{
public:
    // A bare name ("Tarmil5.ini") lives in the configuration folder, as the
    // Windows functions put bare names into the Windows folder.
    explicit IniFile(const QString &fileName);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString fileName() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue = {});
    void writeString(const QString &section, const QString &key, const QString &value);
    // Decimal, "$hex" or "0xhex"; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue);
    void writeInteger(const QString &section, const QString &key, int value);
    // Stored as "1"/"0"; any non-zero integer reads as true.
    bool readBool(const QString &section, const QString &key, bool defaultValue);
    void writeBool(const QString &section, const QString &key, bool value);
    // Always with "." (a "," typed by hand is accepted too).
    double readFloat(const QString &section, const QString &key, double defaultValue);
    void writeFloat(const QString &section, const QString &key, double value);

    bool valueExists(const QString &section, const QString &key);
    bool sectionExists(const QString &section);
    QStringList sections();
    QStringList keys(const QString &section);
    void addSection(const QString &section);
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

    // Nestable; the outermost endUpdate() writes the file.
    void beginUpdate();
    void endUpdate();
    // Writes pending changes now; false (and errorString()) when the disk refused.
    bool flush();
    QString errorString() const { return m_error; }

    // A value that begins and ends with the same quote gets one more pair of
    // double quotes, so that the reader's stripping gives it back unchanged.
    static QString protectQuotes(const QString &value);
    static bool parseInteger(const QString &text, int &value);
    static bool parseFloat(const QString &text, double &value);
    static QString floatText(double value);

private:
    using Change = std::function<void(IniDocument &)>;
    void refresh();
    void change(Change apply);

    QString m_path;
    IniDocument m_doc;
    QByteArray m_loaded; // the bytes m_doc was parsed from
    bool m_everLoaded = false;
    std::vector<Change> m_pending;
    int m_updateDepth = 0;
    QString m_error;
};

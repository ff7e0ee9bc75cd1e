#pragma once
// The text of an INI file held in memory, read and changed the way the Windows
// private-profile functions do it: sections and keys are matched without regard
// to case, the first occurrence wins, file order and every line the reader does
// not understand (comments, hand-edited garbage) are kept untouched.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class IniDocument
{
public:
    IniDocument() = default;
    static IniDocument parse(const QByteArray &utf8);
    QByteArray serialize() const;

    // The value as stored: trimmed, one pair of enclosing quotes ('' or "") stripped.
    std::optional<QString> value(const QString &section, const QString &key) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;
    bool hasSection(const QString &section) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void addSection(const QString &section);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);

    static QString unquote(const QString &trimmed);

private:
    struct Line
    {
        QString text;  // the line as written (kept for unknown lines)
        QString key;   // empty for lines that are not "key=value"
        QString value; // the raw value, trimmed
    };
    struct Section
    {
        bool headed = false; // false only for the lines before the first header
        QString name;
        QString header; // the header line as written
        QList<Line> lines;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;
    static const Line *findLine(const Section &section, const QString &key);

    QList<Section> m_sections;
};

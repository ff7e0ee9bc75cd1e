#include "platform/inifile.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <cmath>
#include <limits>

IniFile::IniFile(const QString &fileName)
    : m_path(Paths::resolveConfigFile(fileName))
{}

IniFile::~IniFile()
{
    if (!m_pending.empty())
        flush();
}

void IniFile::refresh()
{
    QByteArray bytes;
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (m_everLoaded && bytes == m_loaded)
        return;
    m_loaded = bytes;
    m_everLoaded = true;
    m_doc = IniDocument::parse(bytes);
    for (const Change &apply : m_pending)
        apply(m_doc);
}

void IniFile::change(Change apply)
{
    if (m_updateDepth == 0)
        refresh();
    apply(m_doc);
    m_pending.push_back(std::move(apply));
    if (m_updateDepth == 0)
        flush();
}

void IniFile::beginUpdate()
{
    if (m_updateDepth++ == 0)
        refresh();
}

void IniFile::endUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0)
        flush();
}

bool IniFile::flush()
{
    if (m_pending.empty())
        return true;
    refresh(); // someone may have written the file since we read it
    const QByteArray bytes = m_doc.serialize();
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = file.errorString();
        file.cancelWriting();
        // The changes stay pending and are tried again with the next write.
        return false;
    }
    m_error.clear();
    m_loaded = bytes;
    m_pending.clear();
    return true;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue)
{
    if (m_updateDepth == 0)
        refresh();
    return m_doc.value(section, key).value_or(defaultValue);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    change([=](IniDocument &doc) { doc.setValue(section, key, value); });
}

QString IniFile::protectQuotes(const QString &value)
{
    if (!value.isEmpty() && ((value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"')) ||
                             (value.front() == QLatin1Char('\'') && value.back() == QLatin1Char('\''))))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool IniFile::parseInteger(const QString &text, int &value)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && t.size() > 2) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty() || t.front() == QLatin1Char('+') || t.front() == QLatin1Char('-'))
        return false;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok, base);
    if (!ok)
        return false;
    const qlonglong signedValue = negative ? -n : n;
    // Hexadecimal spellings of negative numbers ("$FFFFFFFF") wrap, as in the original.
    if (base == 16 && !negative && n <= 0xFFFFFFFFLL)
        value = int(quint32(n));
    else if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return false;
    else
        value = int(signedValue);
    return true;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue)
{
    int value = defaultValue;
    return parseInteger(readString(section, key), value) ? value : defaultValue;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue)
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::parseFloat(const QString &text, double &value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QString IniFile::floatText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

double IniFile::readFloat(const QString &section, const QString &key, double defaultValue)
{
    double value = defaultValue;
    return parseFloat(readString(section, key), value) ? value : defaultValue;
}

void IniFile::writeFloat(const QString &section, const QString &key, double value)
{
    writeString(section, key, floatText(value));
}

bool IniFile::valueExists(const QString &section, const QString &key)
{
    if (m_updateDepth == 0)
        refresh();
    return m_doc.value(section, key).has_value();
}

bool IniFile::sectionExists(const QString &section)
{
    if (m_updateDepth == 0)
        refresh();
    return m_doc.hasSection(section);
}

QStringList IniFile::sections()
{
    if (m_updateDepth == 0)
        refresh();
    return m_doc.sections();
}

QStringList IniFile::keys(const QString &section)
{
    if (m_updateDepth == 0)
        refresh();
    return m_doc.keys(section);
}

void IniFile::addSection(const QString &section)
{
    change([=](IniDocument &doc) { doc.addSection(section); });
}

void IniFile::eraseSection(const QString &section)
{
    change([=](IniDocument &doc) { doc.removeSection(section); });
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    change([=](IniDocument &doc) { doc.removeKey(section, key); });
}

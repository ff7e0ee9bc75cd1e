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
    : path_(Paths::resolveConfigFile(fileName))
{}

IniFile::~IniFile()
{
    if (!pending_.empty())
        flush();
}

void IniFile::refresh()
{
    QByteArray bytes;
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (everLoaded_ && bytes == loaded_)
        return;
    loaded_ = bytes;
    everLoaded_ = true;
    doc_ = IniDocument::parse(bytes);
    for (const Change &apply : pending_)
        apply(doc_);
}

void IniFile::change(Change apply)
{
    if (updateDepth_ == 0)
        refresh();
    apply(doc_);
    pending_.push_back(std::move(apply));
    if (updateDepth_ == 0)
        flush();
}

void IniFile::beginUpdate()
{
    if (updateDepth_++ == 0)
        refresh();
}

void IniFile::endUpdate()
{
    if (updateDepth_ > 0 && --updateDepth_ == 0)
        flush();
}

bool IniFile::flush()
{
    if (pending_.empty())
        return true;
    refresh(); // someone may have written the file since we read it
    const QByteArray bytes = doc_.serialize();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = file.errorString();
        file.cancelWriting();
        // The changes stay pending and are tried again with the next write.
        return false;
    }
    error_.clear();
    loaded_ = bytes;
    pending_.clear();
    return true;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue)
{
    if (updateDepth_ == 0)
        refresh();
    return doc_.value(section, key).value_or(defaultValue);
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
    if (updateDepth_ == 0)
        refresh();
    return doc_.value(section, key).has_value();
}

bool IniFile::sectionExists(const QString &section)
{
    if (updateDepth_ == 0)
        refresh();
    return doc_.hasSection(section);
}

QStringList IniFile::sections()
{
    if (updateDepth_ == 0)
        refresh();
    return doc_.sections();
}

QStringList IniFile::keys(const QString &section)
{
    if (updateDepth_ == 0)
        refresh();
    return doc_.keys(section);
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

#include "platform/registry.h"

#include "platform/paths.h"

Registry::Registry(const QString &fileName)
    : m_ini(std::make_unique<IniFile>(fileName.isEmpty() ? Paths::registryFilePath() : fileName))
{}

QString Registry::normalizeKey(const QString &key)
{
    const QStringList parts =
        QString(key).replace(QLatin1Char('/'), QLatin1Char('\\')).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QStringList trimmed;
    for (const QString &part : parts)
        if (!part.trimmed().isEmpty())
            trimmed.append(part.trimmed());
    return trimmed.join(QLatin1Char('\\'));
}

QString Registry::absolute(const QString &key) const
{
    if (key.startsWith(QLatin1Char('\\')) || m_current.isEmpty())
        return normalizeKey(key);
    return normalizeKey(m_current + QLatin1Char('\\') + key);
}

bool Registry::keyExists(const QString &key)
{
    return existsAbsolute(absolute(key));
}

bool Registry::existsAbsolute(const QString &path)
{
    if (path.isEmpty())
        return true;
    const QString below = path + QLatin1Char('\\');
    for (const QString &section : m_ini->sections())
        if (section.compare(path, Qt::CaseInsensitive) == 0 || section.startsWith(below, Qt::CaseInsensitive))
            return true;
    return false;
}

bool Registry::createKey(const QString &key)
{
    const QString path = absolute(key);
    if (path.isEmpty())
        return false;
    if (!existsAbsolute(path))
        m_ini->addSection(path);
    return m_ini->errorString().isEmpty();
}

bool Registry::openKey(const QString &key, bool canCreate)
{
    const QString path = absolute(key);
    if (!existsAbsolute(path)) {
        if (!canCreate || path.isEmpty())
            return false;
        m_ini->addSection(path);
        if (!m_ini->errorString().isEmpty())
            return false;
    }
    m_current = path;
    m_open = true;
    return true;
}

void Registry::closeKey()
{
    m_current.clear();
    m_open = false;
}

bool Registry::deleteKey(const QString &key)
{
    const QString path = absolute(key);
    if (path.isEmpty() || !existsAbsolute(path))
        return false;
    const QString below = path + QLatin1Char('\\');
    m_ini->beginUpdate();
    for (const QString &section : m_ini->sections())
        if (section.compare(path, Qt::CaseInsensitive) == 0 || section.startsWith(below, Qt::CaseInsensitive))
            m_ini->eraseSection(section);
    m_ini->endUpdate();
    return m_ini->errorString().isEmpty();
}

QStringList Registry::subKeyNames()
{
    const QString prefix = m_current.isEmpty() ? QString() : m_current + QLatin1Char('\\');
    QStringList names;
    for (const QString &section : m_ini->sections()) {
        const QString path = normalizeKey(section);
        if (!path.startsWith(prefix, Qt::CaseInsensitive) || path.size() == prefix.size())
            continue;
        const QString child = path.mid(prefix.size()).section(QLatin1Char('\\'), 0, 0);
        if (!child.isEmpty() && !names.contains(child, Qt::CaseInsensitive))
            names.append(child);
    }
    return names;
}

QStringList Registry::valueNames()
{
    return m_ini->keys(m_current);
}

bool Registry::valueExists(const QString &name)
{
    return m_ini->valueExists(m_current, name);
}

bool Registry::deleteValue(const QString &name)
{
    if (!valueExists(name))
        return false;
    m_ini->deleteKey(m_current, name);
    return m_ini->errorString().isEmpty();
}

QString Registry::readString(const QString &name, const QString &defaultValue)
{
    return m_ini->readString(m_current, name, defaultValue);
}

int Registry::readInteger(const QString &name, int defaultValue)
{
    return m_ini->readInteger(m_current, name, defaultValue);
}

bool Registry::readBool(const QString &name, bool defaultValue)
{
    return m_ini->readBool(m_current, name, defaultValue);
}

double Registry::readFloat(const QString &name, double defaultValue)
{
    return m_ini->readFloat(m_current, name, defaultValue);
}

// Unlike INI values, registry strings keep their blanks: such texts, and texts
// that already carry quotes at both ends, are stored inside one pair of quotes,
// which the reader strips again.
void Registry::writeString(const QString &name, const QString &value)
{
    const QString stored =
        value != value.trimmed() ? QLatin1Char('"') + value + QLatin1Char('"') : IniFile::protectQuotes(value);
    m_ini->writeString(m_current, name, stored);
}

void Registry::writeInteger(const QString &name, int value)
{
    m_ini->writeInteger(m_current, name, value);
}

void Registry::writeBool(const QString &name, bool value)
{
    m_ini->writeBool(m_current, name, value);
}

void Registry::writeFloat(const QString &name, double value)
{
    m_ini->writeFloat(m_current, name, value);
}

#include "platform/registry.h"

#include "platform/paths.h"

Registry::Registry(const QString &fileName)
    : ini_(std::make_unique<IniFile>(fileName.isEmpty() ? Paths::registryFilePath() : fileName))
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
    if (key.startsWith(QLatin1Char('\\')) || current_.isEmpty())
        return normalizeKey(key);
    return normalizeKey(current_ + QLatin1Char('\\') + key);
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
    for (const QString &section : ini_->sections())
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
        ini_->addSection(path);
    return ini_->errorString().isEmpty();
}

bool Registry::openKey(const QString &key, bool canCreate)
{
    const QString path = absolute(key);
    if (!existsAbsolute(path)) {
        if (!canCreate || path.isEmpty())
            return false;
        ini_->addSection(path);
        if (!ini_->errorString().isEmpty())
            return false;
    }
    current_ = path;
    open_ = true;
    return true;
}

void Registry::closeKey()
{
    current_.clear();
    open_ = false;
}

bool Registry::deleteKey(const QString &key)
{
    const QString path = absolute(key);
    if (path.isEmpty() || !existsAbsolute(path))
        return false;
    const QString below = path + QLatin1Char('\\');
    ini_->beginUpdate();
    for (const QString &section : ini_->sections())
        if (section.compare(path, Qt::CaseInsensitive) == 0 || section.startsWith(below, Qt::CaseInsensitive))
            ini_->eraseSection(section);
    ini_->endUpdate();
    return ini_->errorString().isEmpty();
}

QStringList Registry::subKeyNames()
{
    const QString prefix = current_.isEmpty() ? QString() : current_ + QLatin1Char('\\');
    QStringList names;
    for (const QString &section : ini_->sections()) {
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
    return ini_->keys(current_);
}

bool Registry::valueExists(const QString &name)
{
    return ini_->valueExists(current_, name);
}

bool Registry::deleteValue(const QString &name)
{
    if (!valueExists(name))
        return false;
    ini_->deleteKey(current_, name);
    return ini_->errorString().isEmpty();
}

QString Registry::readString(const QString &name, const QString &defaultValue)
{
    return ini_->readString(current_, name, defaultValue);
}

int Registry::readInteger(const QString &name, int defaultValue)
{
    return ini_->readInteger(current_, name, defaultValue);
}

bool Registry::readBool(const QString &name, bool defaultValue)
{
    return ini_->readBool(current_, name, defaultValue);
}

double Registry::readFloat(const QString &name, double defaultValue)
{
    return ini_->readFloat(current_, name, defaultValue);
}

// Unlike INI values, registry strings keep their blanks: such texts, and texts
// that already carry quotes at both ends, are stored inside one pair of quotes,
// which the reader strips again.
void Registry::writeString(const QString &name, const QString &value)
{
    const QString stored =
        value != value.trimmed() ? QLatin1Char('"') + value + QLatin1Char('"') : IniFile::protectQuotes(value);
    ini_->writeString(current_, name, stored);
}

void Registry::writeInteger(const QString &name, int value)
{
    ini_->writeInteger(current_, name, value);
}

void Registry::writeBool(const QString &name, bool value)
{
    ini_->writeBool(current_, name, value);
}

void Registry::writeFloat(const QString &name, double value)
{
    ini_->writeFloat(current_, name, value);
}

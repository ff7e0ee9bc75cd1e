#include "platform/inidocument.h"

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value or key must stay on its line, or the file would grow garbage lines.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray &utf8)
{
    IniDocument doc;
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    Section current;
    current.headed = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines.at(i);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break; // the newline that ends the last line
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close > 0) {
                doc.m_sections.append(current);
                current = Section();
                current.headed = true;
                current.name = trimmed.mid(1, close - 1).trimmed();
                current.header = raw;
                continue;
            }
        }
        Line line;
        line.text = raw;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq > 0 && !trimmed.startsWith(QLatin1Char(';'))) {
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
        }
        current.lines.append(line);
    }
    doc.m_sections.append(current);
    if (!doc.m_sections.first().headed && doc.m_sections.first().lines.isEmpty())
        doc.m_sections.removeFirst();
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QString out;
    for (const Section &section : m_sections) {
        if (section.headed)
            out += section.header + QLatin1Char('\n');
        for (const Line &line : section.lines)
            out += line.text + QLatin1Char('\n');
    }
    return out.toUtf8();
}

QString IniDocument::unquote(const QString &trimmed)
{
    if (trimmed.size() >= 2) {
        const QChar first = trimmed.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && trimmed.back() == first)
            return trimmed.mid(1, trimmed.size() - 2);
    }
    return trimmed;
}

IniDocument::Section *IniDocument::findSection(const QString &name)
{
    for (Section &section : m_sections)
        if (section.headed && sameName(section.name, name))
            return &section;
    return nullptr;
}

const IniDocument::Section *IniDocument::findSection(const QString &name) const
{
    return const_cast<IniDocument *>(this)->findSection(name);
}

const IniDocument::Line *IniDocument::findLine(const Section &section, const QString &key)
{
    for (const Line &line : section.lines)
        if (!line.key.isEmpty() && sameName(line.key, key))
            return &line;
    return nullptr;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section.trimmed());
    if (!s)
        return std::nullopt;
    const Line *line = findLine(*s, key.trimmed());
    if (!line)
        return std::nullopt;
    return unquote(line->value);
}

QStringList IniDocument::sections() const
{
    QStringList names;
    for (const Section &section : m_sections)
        if (section.headed && !names.contains(section.name, Qt::CaseInsensitive))
            names.append(section.name);
    return names;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(section.trimmed()))
        for (const Line &line : s->lines)
            if (!line.key.isEmpty() && !names.contains(line.key, Qt::CaseInsensitive))
                names.append(line.key);
    return names;
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section.trimmed()) != nullptr;
}

void IniDocument::addSection(const QString &section)
{
    const QString name = oneLine(section).trimmed();
    if (findSection(name))
        return;
    Section added;
    added.headed = true;
    added.name = name;
    added.header = QLatin1Char('[') + name + QLatin1Char(']');
    m_sections.append(added);
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString name = oneLine(section).trimmed();
    const QString k = oneLine(key).trimmed();
    if (k.isEmpty())
        return;
    addSection(name);
    Section *s = findSection(name);
    const QString v = oneLine(value);
    for (Line &line : s->lines) {
        if (!line.key.isEmpty() && sameName(line.key, k)) {
            line.text = line.key + QLatin1Char('=') + v;
            line.value = v.trimmed();
            return;
        }
    }
    // New keys go after the last entry, before any blank lines that part sections.
    qsizetype at = s->lines.size();
    while (at > 0 && s->lines.at(at - 1).text.trimmed().isEmpty())
        --at;
    Line line;
    line.key = k;
    line.value = v.trimmed();
    line.text = k + QLatin1Char('=') + v;
    s->lines.insert(at, line);
}

void IniDocument::removeKey(const QString &section, const QString &key)
{
    const QString k = key.trimmed();
    const QString name = section.trimmed();
    for (Section &s : m_sections) {
        if (!s.headed || !sameName(s.name, name))
            continue;
        s.lines.removeIf([&](const Line &line) { return !line.key.isEmpty() && sameName(line.key, k); });
    }
}

void IniDocument::removeSection(const QString &section)
{
    const QString name = section.trimmed();
    m_sections.removeIf([&](const Section &s) { return s.headed && sameName(s.name, name); });
}

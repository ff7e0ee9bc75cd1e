#include "kit/editmask.h"

#include <QLocale>

namespace {

// Characters with a meaning of their own in the line edit's input mask.
bool specialInInputMask(QChar c)
{
    return QStringView(u"AaNnXx90DdHhBb#<>![]{}\\").contains(c);
}

// The first character of a date or time format that is not part of a field.
QChar separatorIn(const QString &format, QChar fallback)
{
    for (QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    return fallback;
}

QChar dateSeparator()
{
    return separatorIn(QLocale().dateFormat(QLocale::ShortFormat), u'/');
}

QChar timeSeparator()
{
    return separatorIn(QLocale().timeFormat(QLocale::ShortFormat), u':');
}

// The mask's fields: the unescaped semicolons part them.
QStringList fieldsOf(const QString &editMask)
{
    QStringList fields{QString()};
    for (int i = 0; i < editMask.size(); ++i) {
        const QChar c = editMask[i];
        if (c == u'\\' && i + 1 < editMask.size()) {
            fields.last() += c;
            fields.last() += editMask[++i];
        } else if (c == u';') {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

} // namespace

TKxEditMask::TKxEditMask(const QString &editMask)
{
    const QStringList fields = fieldsOf(editMask);
    const QString &mask = fields[0];
    if (mask.isEmpty())
        return;
    if (fields.size() > 1 && fields[1] == QStringLiteral("0"))
        keepLiterals = false;
    if (fields.size() > 2 && !fields[2].isEmpty())
        blankChar = fields[2][0];

    QString result;
    auto literal = [&](QChar c) {
        // A semicolon cannot stand in the input mask; a comma shows in its place.
        if (c == u';')
            c = u',';
        if (specialInInputMask(c))
            result += u'\\';
        result += c;
        literalAt << true;
    };
    auto input = [&](QChar c) {
        result += c;
        literalAt << false;
    };
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case u'L':
            input(u'A');
            break;
        case u'l':
            input(u'a');
            break;
        case u'A':
            input(u'N');
            break;
        case u'a':
            input(u'n');
            break;
        case u'C':
            input(u'X');
            break;
        case u'c':
            input(u'x');
            break;
        case u'0':
            input(u'9');
            break;
        case u'9':
            input(u'0');
            break;
        case u'#':
            input(u'#');
            break;
        case u'>':
            result += u'>';
            break;
        case u'<':
            if (i + 1 < mask.size() && mask[i + 1] == u'>') {
                result += u'!';
                ++i;
            } else {
                result += u'<';
            }
            break;
        case u'!':
            break;
        case u':':
            literal(timeSeparator());
            break;
        case u'/':
            literal(dateSeparator());
            break;
        case u'_':
            literal(u' ');
            break;
        case u'\\':
            if (i + 1 < mask.size())
                literal(mask[++i]);
            break;
        default:
            literal(c);
            break;
        }
    }
    if (literalAt.isEmpty())
        return; // only case marks: nothing to enter
    inputMaskText = result + u';' + blankChar;
}

QString TKxEditMask::textOf(const QString &displayText) const
{
    if (isEmpty())
        return displayText;
    QString text;
    for (int i = 0; i < displayText.size(); ++i) {
        const bool isLiteral = i < literalAt.size() && literalAt[i];
        if (isLiteral ? keepLiterals : displayText[i] != blankChar)
            text += displayText[i];
    }
    return text;
}

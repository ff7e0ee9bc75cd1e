#include "report/vlscriptcompiler.h"

#include "report/vlinterpreter.h"

const QString vlScriptCompiler::MsgSemicolonOrEnd = QStringLiteral("Здесь требуется \";\" или \"end\"");
const QString vlScriptCompiler::MsgThen = QStringLiteral("Здесь требуется \"then\"");
const QString vlScriptCompiler::MsgSemicolonOrUntil = QStringLiteral("Здесь требуется \";\" или \"until\"");
const QString vlScriptCompiler::MsgDo = QStringLiteral("Здесь требуется \"do\"");
const QString vlScriptCompiler::MsgLabelNumber = QStringLiteral("Метка в goto должна быть числом");
const QString vlScriptCompiler::MsgAssign = QStringLiteral("Здесь требуется \":=\"");
const QString vlScriptCompiler::MsgCloseParen = QStringLiteral("Здесь требуется \")\"");
const QString vlScriptCompiler::MsgCloseBracket = QStringLiteral("Здесь требуется \"]\"");
const QString vlScriptCompiler::MsgCommaOrParen = QStringLiteral("Здесь требуется \",\" или \")\"");
const QString vlScriptCompiler::MsgCloseQuote = QStringLiteral("Здесь требуется \"'\"");
// Not in the original list: a jump to a label no line defines would jump to
// an arbitrary line, so it is refused when compiling.
const QString vlScriptCompiler::MsgUndefinedLabel = QStringLiteral("Návěští není definováno");

namespace {
const QChar kJumpIfFalse(1);
const QChar kJump(2);
const QChar kCall(3);
const QString kBlankTarget = QStringLiteral("  ");

// One prepared source line, with the source column (1-based) of every
// character; a blank put in front of the line has column 0.
struct PreparedLine
{
    QString text;
    QVector<int> columns;
};

PreparedLine prepare(const QString &line)
{
    PreparedLine out;
    out.text = QStringLiteral(" ");
    out.columns.append(0);
    bool inQuote = false;
    for (int i = 0; i < line.size(); ++i) {
        QChar c = line.at(i);
        if (c == u'\'')
            inQuote = !inQuote;
        if (!inQuote) {
            // Comment marks inside quoted texts are text.
            if (c == u'{' || (c == u'/' && i + 1 < line.size() && line.at(i + 1) == u'/'))
                break;
            if (c == u'\t')
                c = u' ';
            if (c == u' ' && out.text.endsWith(u' '))
                continue;
        }
        out.text.append(c);
        out.columns.append(i + 1);
    }
    return out;
}
} // namespace

QString vlScriptCompiler::PrepareLine(const QString &line)
{
    return prepare(line).text;
}

vlScriptCompiler::vlScriptCompiler(const QStringList &source)
    : m_source(source)
{}

bool vlScriptCompiler::Compile()
{
    m_buffer.clear();
    QVector<QPair<int, int>> origin;
    for (int l = 0; l < m_source.size(); ++l) {
        const PreparedLine p = prepare(m_source.at(l));
        for (int i = 0; i < p.text.size(); ++i) {
            if (p.text.at(i) == u' ' && m_buffer.endsWith(u' '))
                continue;
            m_buffer.append(p.text.at(i));
            origin.append({l + 1, p.columns.at(i)});
        }
    }
    m_origin = origin;
    m_pos = 0;
    m_coded.clear();
    m_labels.clear();
    m_gotos.clear();
    try {
        skipBlanks();
        if (m_pos < m_buffer.size())
            statement();
        resolveLabels();
        return true;
    } catch (const Fail &f) {
        m_coded.clear();
        m_error = locate(f.position) + f.message;
        return false;
    }
}

QString vlScriptCompiler::locate(int position) const
{
    while (position < m_buffer.size() && m_buffer.at(position) <= u' ')
        ++position;
    int line = 1;
    int column = 1;
    if (position < m_buffer.size()) {
        line = m_origin.at(position).first;
        column = m_origin.at(position).second;
    } else {
        // At the end: just after the last character of the last line with text.
        for (int l = m_source.size() - 1; l >= 0; --l) {
            const QString trimmed = PrepareLine(m_source.at(l)).trimmed();
            if (!trimmed.isEmpty()) {
                line = l + 1;
                const PreparedLine p = prepare(m_source.at(l));
                column = p.columns.back() + 1;
                break;
            }
        }
    }
    return QStringLiteral("Строка %1/%2: ").arg(line).arg(column);
}

void vlScriptCompiler::fail(const QString &message, int position) const
{
    throw Fail{message, position};
}

QChar vlScriptCompiler::peek(int offset) const
{
    const int i = m_pos + offset;
    return i >= 0 && i < m_buffer.size() ? m_buffer.at(i) : QChar();
}

void vlScriptCompiler::skipBlanks()
{
    while (m_pos < m_buffer.size() && m_buffer.at(m_pos) < QChar(33))
        ++m_pos;
}

QString vlScriptCompiler::readWord(int *start)
{
    skipBlanks();
    if (start)
        *start = m_pos;
    const int begin = m_pos;
    while (m_pos < m_buffer.size() && m_buffer.at(m_pos) >= QChar(33))
        ++m_pos;
    return m_buffer.mid(begin, m_pos - begin).toUpper();
}

bool vlScriptCompiler::isIdentifierChar(QChar c) const
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

bool vlScriptCompiler::wordIs(const QString &word, const QString &keyword) const
{
    return word.startsWith(keyword) && (word.size() == keyword.size() || !isIdentifierChar(word.at(keyword.size())));
}

int vlScriptCompiler::addLine(const QString &line)
{
    m_coded.append(line);
    return int(m_coded.size()) - 1;
}

void vlScriptCompiler::setTarget(int line, int target)
{
    m_coded[line].replace(1, 2, TvlInterpretator::EncodeTarget(target));
}

void vlScriptCompiler::statement()
{
    int start = 0;
    const QString w = readWord(&start);
    if (wordIs(w, QStringLiteral("BEGIN"))) {
        m_pos = start + 5;
        block();
    } else if (wordIs(w, QStringLiteral("IF"))) {
        m_pos = start + 2;
        ifStatement();
    } else if (wordIs(w, QStringLiteral("REPEAT"))) {
        m_pos = start + 6;
        repeatStatement();
    } else if (wordIs(w, QStringLiteral("WHILE"))) {
        m_pos = start + 5;
        whileStatement();
    } else if (wordIs(w, QStringLiteral("GOTO"))) {
        m_pos = start + 4;
        gotoStatement();
    } else if (w.isEmpty() || w.startsWith(u';') || w.startsWith(QStringLiteral("END")) ||
               wordIs(w, QStringLiteral("ELSE")) || wordIs(w, QStringLiteral("UNTIL"))) {
        m_pos = start; // an empty statement
    } else {
        m_pos = start;
        labelOrAssignment();
    }
}

void vlScriptCompiler::block()
{
    for (;;) {
        statement();
        int start = 0;
        const QString w = readWord(&start);
        if (w.startsWith(u';')) {
            m_pos = start + 1;
        } else if (w.startsWith(QStringLiteral("END"))) {
            m_pos = start + 3;
            return;
        } else {
            fail(MsgSemicolonOrEnd, start);
        }
    }
}

void vlScriptCompiler::ifStatement()
{
    const QString condition = expression();
    const int jumpIfFalse = addLine(kJumpIfFalse + kBlankTarget + condition);
    int start = 0;
    if (!wordIs(readWord(&start), QStringLiteral("THEN")))
        fail(MsgThen, start);
    m_pos = start + 4;
    statement();
    const int save = m_pos;
    if (wordIs(readWord(&start), QStringLiteral("ELSE"))) {
        m_pos = start + 4;
        const int jump = addLine(kJump + kBlankTarget);
        setTarget(jumpIfFalse, jump + 1);
        statement();
        setTarget(jump, int(m_coded.size()));
    } else {
        m_pos = save;
        setTarget(jumpIfFalse, int(m_coded.size()));
    }
}

void vlScriptCompiler::repeatStatement()
{
    const int first = int(m_coded.size());
    int start = 0;
    QString w;
    for (;;) {
        statement();
        w = readWord(&start);
        if (!w.startsWith(u';'))
            break;
        m_pos = start + 1;
    }
    if (!wordIs(w, QStringLiteral("UNTIL")))
        fail(MsgSemicolonOrUntil, start);
    m_pos = start + 5;
    const QString condition = expression();
    addLine(kJumpIfFalse + TvlInterpretator::EncodeTarget(first) + condition);
}

void vlScriptCompiler::whileStatement()
{
    const int first = int(m_coded.size());
    const QString condition = expression();
    const int jumpIfFalse = addLine(kJumpIfFalse + kBlankTarget + condition);
    int start = 0;
    if (!wordIs(readWord(&start), QStringLiteral("DO")))
        fail(MsgDo, start);
    m_pos = start + 2;
    statement();
    const int jump = addLine(kJump + TvlInterpretator::EncodeTarget(first));
    setTarget(jumpIfFalse, jump + 1);
}

void vlScriptCompiler::gotoStatement()
{
    skipBlanks();
    const int start = m_pos;
    while (peek().isDigit())
        ++m_pos;
    if (m_pos == start)
        fail(MsgLabelNumber, start);
    const int line = addLine(kJump + m_buffer.mid(start, m_pos - start));
    m_gotos.append({line, start});
}

void vlScriptCompiler::labelOrAssignment()
{
    skipBlanks();
    const int start = m_pos;
    if (peek().isDigit()) {
        while (peek().isDigit())
            ++m_pos;
        if (peek() == u':' && peek(1) != u'=') {
            const QString label = m_buffer.mid(start, m_pos - start + 1);
            ++m_pos;
            if (!m_labels.contains(label))
                m_labels.insert(label, int(m_coded.size()));
            statement();
            return;
        }
        m_pos = start;
    }
    QString name;
    QString index;
    if (readVariableReference(&name, &index) && peek() != u'(') {
        int wordStart = 0;
        const QString w = readWord(&wordStart);
        if (w.startsWith(QStringLiteral(":="))) {
            m_pos = wordStart + 2;
            const QString value = expression();
            if (index.isEmpty())
                addLine(name + u' ' + value);
            else
                addLine(kCall + QStringLiteral("SETARRAY(%1, %2, %3)").arg(name, index, value));
            return;
        }
        if (w.isEmpty() || w.startsWith(u';') || w.startsWith(QStringLiteral("END")) ||
            wordIs(w, QStringLiteral("ELSE")) || wordIs(w, QStringLiteral("UNTIL"))) {
            m_pos = wordStart;
            addLine(kCall + name + QStringLiteral("(0)"));
            return;
        }
        fail(MsgAssign, wordStart);
    }
    m_pos = start;
    addLine(kCall + expression());
}

bool vlScriptCompiler::readVariableReference(QString *name, QString *index)
{
    skipBlanks();
    if (!peek().isLetter())
        return false;
    const int start = m_pos;
    while (isIdentifierChar(peek()) || peek() == u'"') {
        if (peek() == u'"') { // a quoted field name after a point
            ++m_pos;
            while (m_pos < m_buffer.size() && peek() != u'"')
                ++m_pos;
        }
        ++m_pos;
    }
    *name = m_buffer.mid(start, m_pos - start);
    if (peek() == u'[') {
        ++m_pos;
        *index = expression();
        skipBlanks();
        if (peek() != u']')
            fail(MsgCloseBracket, m_pos);
        ++m_pos;
    }
    return true;
}

bool vlScriptCompiler::matchWordOperator(const char *word)
{
    skipBlanks();
    const QString w = QString::fromLatin1(word);
    if (m_buffer.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
        return false;
    const int after = m_pos + int(w.size());
    if (after < m_buffer.size() && isIdentifierChar(m_buffer.at(after)))
        return false;
    m_pos = after;
    return true;
}

QString vlScriptCompiler::expression()
{
    skipBlanks();
    const int start = m_pos;
    simpleExpression();
    skipBlanks();
    const QChar c = peek();
    const QChar n = peek(1);
    if ((c == u'>' && n == u'=') || (c == u'<' && (n == u'=' || n == u'>'))) {
        m_pos += 2;
        simpleExpression();
    } else if (c == u'>' || c == u'<' || c == u'=') {
        m_pos += 1;
        simpleExpression();
    }
    return m_buffer.mid(start, m_pos - start).trimmed();
}

void vlScriptCompiler::simpleExpression()
{
    term();
    skipBlanks();
    if (peek() == u'+' || peek() == u'-') {
        ++m_pos;
        simpleExpression();
    } else if (matchWordOperator("OR")) {
        simpleExpression();
    }
}

void vlScriptCompiler::term()
{
    factor();
    skipBlanks();
    if (peek() == u'*' || peek() == u'/') {
        ++m_pos;
        term();
    } else if (matchWordOperator("AND") || matchWordOperator("MOD")) {
        term();
    }
}

void vlScriptCompiler::factor()
{
    skipBlanks();
    const QChar c = peek();
    if (c == u'(') {
        ++m_pos;
        expression();
        skipBlanks();
        if (peek() != u')')
            fail(MsgCloseParen, m_pos);
        ++m_pos;
    } else if (c == u'[') {
        const int at = m_pos;
        int start = m_pos + 1;
        int end = 0;
        try {
            vlText::ReadBracketedName(m_buffer, start, end);
        } catch (const TvlParserError &) {
            fail(MsgCloseBracket, at);
        }
        m_pos = end; // one past the "]" in 0-based terms
    } else if (c == u'+' || c == u'-') {
        ++m_pos;
        expression();
    } else if (matchWordOperator("NOT")) {
        expression();
    } else if (c == u'\'' || (c == u'%' && peek(2) == u'\'')) {
        if (c == u'%')
            m_pos += 2;
        int pos = m_pos + 1;
        try {
            vlText::ReadQuotedString(m_buffer, pos);
        } catch (const TvlParserError &) {
            fail(MsgCloseQuote, m_pos);
        }
        m_pos = pos - 1;
    } else if (c.isDigit()) {
        while (peek().isDigit())
            ++m_pos;
        if (peek() == u'.' && peek(1).isDigit()) {
            ++m_pos;
            while (peek().isDigit())
                ++m_pos;
        }
    } else if (c.isLetter()) {
        QString name;
        QString index;
        readVariableReference(&name, &index);
        if (index.isEmpty() && peek() == u'(') {
            ++m_pos;
            skipBlanks();
            if (peek() == u')') {
                ++m_pos;
                return;
            }
            for (;;) {
                expression();
                skipBlanks();
                if (peek() == u',') {
                    ++m_pos;
                } else if (peek() == u')') {
                    ++m_pos;
                    return;
                } else {
                    fail(MsgCommaOrParen, m_pos);
                }
            }
        }
    }
}

void vlScriptCompiler::resolveLabels()
{
    for (const auto &[line, position] : m_gotos) {
        const QString label = m_coded.at(line).mid(1) + u':';
        const auto it = m_labels.constFind(label);
        if (it == m_labels.constEnd())
            fail(MsgUndefinedLabel, position);
        m_coded[line] = kJump + TvlInterpretator::EncodeTarget(it.value());
    }
}

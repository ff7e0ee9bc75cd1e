#include "report/vlinterpreter.h"

#include "report/vloperators.h"
#include "report/vlscriptcompiler.h"

// --- TvlVariables ----------------------------------------------------------

int TvlVariables::IndexOf(const QString &name) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TvlVariables::SetVariable(const QString &name, const Variant &value)
{
    const int i = IndexOf(name);
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append({name, value});
}

Variant TvlVariables::GetVariable(const QString &name) const
{
    const int i = IndexOf(name);
    return i >= 0 ? m_entries.at(i).value : Variant::null();
}

QString TvlVariables::GetName(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).name : QString();
}

Variant TvlVariables::GetValue(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).value : Variant(0);
}

void TvlVariables::Delete(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

// --- TvlInterpretator ------------------------------------------------------

TvlInterpretator::TvlInterpretator()
{
    m_parser.OnGetValue = [this](const QString &name, Variant &value) { GetValue(name, value); };
    m_parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                 QString &val) { DoFunction(name, p1, p2, p3, val); };
}

void TvlInterpretator::GetValue(const QString &, Variant &) {}
void TvlInterpretator::SetValue(const QString &, const Variant &) {}
void TvlInterpretator::DoFunction(const QString &, const Variant &, const Variant &, const Variant &, QString &) {}

QString TvlInterpretator::EncodeTarget(int line)
{
    return QString(QChar(line & 0xFF)) + QChar((line >> 8) & 0xFF);
}

int TvlInterpretator::DecodeTarget(const QString &coded, int offset)
{
    if (coded.size() < offset + 2)
        return -1;
    return coded.at(offset).unicode() | (coded.at(offset + 1).unicode() << 8);
}

void TvlInterpretator::PrepareScript(const QStringList &source, QStringList &coded, QStringList &errors)
{
    coded.clear();
    errors.clear();
    vlScriptCompiler compiler(source);
    if (compiler.Compile())
        coded = compiler.Coded();
    else
        errors.append(compiler.Error());
}

void TvlInterpretator::DoScript(const QStringList &coded)
{
    qint64 steps = 0;
    int line = 0;
    while (line >= 0 && line < coded.size()) {
        if (++steps > MaxSteps)
            throw TvlParserError("Skript se zacyklil: překročen počet kroků.");
        if (steps % ServeEvery == 0)
            Serve();
        const QString &code = coded.at(line);
        const QChar kind = code.isEmpty() ? QChar() : code.at(0);
        if (kind == QChar(1)) {
            const Variant value = m_parser.Calculate(code.mid(3));
            line = vlIsZero(value) ? DecodeTarget(code) : line + 1;
        } else if (kind == QChar(2)) {
            line = DecodeTarget(code);
        } else if (kind == QChar(3)) {
            m_parser.Calculate(code.mid(1));
            ++line;
        } else {
            const int blank = int(code.indexOf(u' '));
            const QString name = blank < 0 ? code : code.left(blank);
            const QString expression = blank < 0 ? QString() : code.mid(blank + 1);
            SetValue(name, m_parser.Calculate(expression));
            ++line;
        }
    }
}

#include "report/vlpostfix.h"

#include "report/vloperators.h"

using namespace vlText;

namespace {

QString unquote(const QString &literal)
{
    QString inner = literal.mid(1, literal.size() - 2);
    return inner.replace(QStringLiteral("''"), QStringLiteral("'"));
}

} // namespace

TvlPostfixProgram::TvlPostfixProgram(const QString &postfix, int markers)
{
    try {
        int i = 1;
        while (i <= postfix.size()) {
            const QChar c = postfix.at(i - 1);
            if (c.unicode() >= vlCallMarker && c.unicode() - vlCallMarker < markers) {
                m_steps.push_back({Step::Insert, {}, Mode::None, c.unicode() - vlCallMarker, 0, {}});
                i += 2;
            } else if (c == u' ' || c == vlOp::Plus) {
                ++i;
            } else if (IsOperatorChar(c)) {
                m_steps.push_back({Step::Apply, c, Mode::None, 0, 0, {}});
                ++i;
            } else if (c == u'%') {
                const QChar m = i < postfix.size() ? postfix.at(i).toUpper() : QChar();
                if (m == u'D')
                    m_steps.push_back({Step::SetMode, {}, Mode::Date, 0, 0, {}});
                else if (m == u'T')
                    m_steps.push_back({Step::SetMode, {}, Mode::Time, 0, 0, {}});
                i += 2;
            } else if (c == u'[') {
                int from = i;
                int end = i;
                const QString name = ReadBracketedName(postfix, from, end);
                m_steps.push_back({Step::Bracketed, {}, Mode::None, 0, 0, name});
                i = end + 1;
            } else if (c == u'\'') {
                m_steps.push_back({Step::Text, {}, Mode::None, 0, 0, unquote(ReadQuotedString(postfix, i))});
            } else {
                const int before = i;
                const QString ident = ReadIdentifier(postfix, i);
                if (i == before) {
                    ++i;
                    continue;
                }
                const QChar lead = ident.at(0);
                if (lead.isDigit() || lead == u',' || lead == u'.') {
                    try {
                        m_steps.push_back({Step::Number, {}, Mode::None, 0, vlNumberLiteral(ident), {}});
                    } catch (const std::exception &) {
                        m_steps.push_back({Step::BadNumber, {}, Mode::None, 0, 0, ident}); // fails when run
                    }
                } else {
                    m_steps.push_back({Step::Name, {}, Mode::None, 0, 0, ident.toUpper()});
                }
            }
        }
    } catch (...) {
        m_error = std::current_exception();
    }
}

Variant TvlPostfixProgram::Run(TvlParser &parser, const Inserted &inserted) const
{
    TvlStack stack;
    Mode mode = Mode::None;
    RunInto(parser, stack, mode, inserted);
    return stack.isEmpty() ? Variant() : stack.first();
}

void TvlPostfixProgram::RunInto(TvlParser &parser, TvlStack &stack, Mode &mode, const Inserted &inserted) const
{
    for (const Step &step : m_steps) {
        switch (step.kind) {
        case Step::Apply:
            vlApplyOperator(step.op, stack);
            break;
        case Step::SetMode:
            mode = step.mode;
            break;
        case Step::Bracketed:
        case Step::Name: {
            Variant value;
            if (parser.OnGetValue)
                parser.OnGetValue(step.text, value);
            stack.append(value);
            break;
        }
        case Step::Number:
            stack.append(Variant(step.number));
            break;
        case Step::BadNumber:
            stack.append(Variant(vlNumberLiteral(step.text)));
            break;
        case Step::Text:
            if (mode == Mode::Date)
                stack.append(vlDateLiteral(step.text));
            else if (mode == Mode::Time)
                stack.append(vlTimeLiteral(step.text));
            else
                stack.append(Variant(step.text));
            mode = Mode::None;
            break;
        case Step::Insert:
            inserted.at(step.index)->RunInto(parser, stack, mode, {});
            break;
        }
    }
    if (m_error)
        std::rethrow_exception(m_error);
}

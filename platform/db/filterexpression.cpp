#include "platform/db/filterexpression.h"

#include "platform/db/caseless.h"
#include "platform/db/dataset.h"
#include "platform/formatdate.h"

#include <QDateTime>

#include <vector>

namespace Db {

namespace {

enum class Op { Or, And, Not, Eq, Ne, Lt, Gt, Le, Ge, Like, NotLike, IsNull, IsNotNull, True };

// A literal read as the type of the field it meets.
struct Literal
{
    bool isNull = false;
    QString text; // as written (strings) or the number's text
    bool quoted = false;
    qint64 integer = 0;
    Currency currency;
    double floating = 0;
    bool boolean = false;
};

struct Token
{
    enum Kind { End, Name, Text, Number, Symbol } kind = End;
    QString text;
    int position = 0;
};

// LIKE with "%" (or "*") for any run of characters, without regard to case;
// parts are the folded pieces between the wildcards.
bool likeMatch(const QString &value, const std::vector<QString> &parts, bool anchoredStart, bool anchoredEnd)
{
    const QString v = CaseFolded(value);
    if (parts.empty()) // "" matches only the empty text, "%" everything
        return !(anchoredStart && anchoredEnd) || v.isEmpty();
    qsizetype at = 0;
    size_t first = 0, last = parts.size();
    if (anchoredStart) {
        if (!v.startsWith(parts[0]))
            return false;
        at = parts[0].size();
        first = 1;
    }
    qsizetype limit = v.size();
    if (anchoredEnd) {
        if (last == first) // one piece, anchored at both ends
            return at == v.size();
        const QString &tail = parts[last - 1];
        if (!v.endsWith(tail) || v.size() - tail.size() < at)
            return false;
        limit = v.size() - tail.size();
        --last;
    }
    for (size_t i = first; i < last; ++i) {
        const qsizetype found = v.indexOf(parts[i], at);
        if (found < 0 || found + parts[i].size() > limit)
            return false;
        at = found + parts[i].size();
    }
    return true;
}

} // namespace

struct FilterExpression::Node
{
    Op op = Op::True;
    std::unique_ptr<Node> left, right; // operands of OR, AND, NOT
    const Field *field = nullptr;      // comparisons: the field ...
    Literal literal;                   // ... and the value it is compared with
    bool literalFirst = false;         // "5 < NAKUP": swap the comparison
    std::vector<QString> likeParts;
    bool likeStart = true, likeEnd = true;

    bool eval(int row) const;
    int compare(int row) const; // field value against the literal
};

int FilterExpression::Node::compare(int row) const
{
    const Snapshot &snap = *field->DataSet()->snapshot();
    const int c = field->Index();
    auto sign = [](auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); };
    switch (field->DataType()) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return sign(snap.integer(row, c), literal.integer);
    case FieldType::Currency:
        return sign(snap.currency(row, c), literal.currency);
    case FieldType::Float:
    case FieldType::DateTime:
        return sign(snap.floating(row, c), literal.floating);
    case FieldType::Boolean:
        return sign(int(snap.boolean(row, c)), int(literal.boolean));
    default:
        return field->StringAt(row).compare(literal.text, Qt::CaseInsensitive);
    }
}

bool FilterExpression::Node::eval(int row) const
{
    switch (op) {
    case Op::True:
        return true;
    case Op::Or:
        return left->eval(row) || right->eval(row);
    case Op::And:
        return left->eval(row) && right->eval(row);
    case Op::Not:
        return !left->eval(row);
    case Op::IsNull:
        return field->IsNullAt(row);
    case Op::IsNotNull:
        return !field->IsNullAt(row);
    default:
        break;
    }
    if (field->IsNullAt(row))
        return false;
    if (op == Op::Like || op == Op::NotLike) {
        const bool matched = likeMatch(field->StringAt(row), likeParts, likeStart, likeEnd);
        return op == Op::Like ? matched : !matched;
    }
    int result = compare(row);
    if (literalFirst)
        result = -result;
    switch (op) {
    case Op::Eq:
        return result == 0;
    case Op::Ne:
        return result != 0;
    case Op::Lt:
        return result < 0;
    case Op::Gt:
        return result > 0;
    case Op::Le:
        return result <= 0;
    case Op::Ge:
        return result >= 0;
    default:
        return false;
    }
}

namespace {

class Parser
{
public:
    Parser(const QString &text, const Dataset &dataset)
        : m_text(text)
        , m_dataset(dataset)
    {
        advance();
    }

    using NodePtr = std::unique_ptr<FilterExpression::Node>;

    NodePtr parseAll()
    {
        NodePtr node = parseOr();
        if (m_token.kind != Token::End)
            fail(QStringLiteral("neočekávaný text „%1“").arg(m_token.text));
        return node;
    }

private:
    [[noreturn]] void fail(const QString &reason) const
    {
        throw DatabaseError(QStringLiteral("Chybná podmínka filtru „%1“: %2.").arg(m_text, reason));
    }

    bool isKeyword(const char *word) const
    {
        return m_token.kind == Token::Name && m_token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char *symbol) const
    {
        return m_token.kind == Token::Symbol && m_token.text == QLatin1String(symbol);
    }

    void advance()
    {
        const int n = int(m_text.size());
        while (m_at < n && m_text[m_at].isSpace())
            ++m_at;
        m_token = Token{Token::End, QString(), m_at};
        if (m_at >= n)
            return;
        const QChar c = m_text[m_at];
        if (c == u'\'' || c == u'"' || c == u'#') {
            const QChar close = c;
            QString value;
            ++m_at;
            for (;;) {
                if (m_at >= n)
                    fail(QStringLiteral("neukončený text"));
                if (m_text[m_at] == close) {
                    if (close != u'#' && m_at + 1 < n && m_text[m_at + 1] == close) {
                        value += close;
                        m_at += 2;
                        continue;
                    }
                    ++m_at;
                    break;
                }
                value += m_text[m_at++];
            }
            m_token.kind = Token::Text;
            m_token.text = value;
        } else if (c == u'[') {
            const int close = int(m_text.indexOf(u']', m_at));
            if (close < 0)
                fail(QStringLiteral("chybí „]“"));
            m_token.kind = Token::Name;
            m_token.text = m_text.mid(m_at + 1, close - m_at - 1);
            m_at = close + 1;
        } else if (c.isDigit() || ((c == u'-' || c == u'.') && m_at + 1 < n && m_text[m_at + 1].isDigit())) {
            int end = m_at + 1;
            while (end < n && (m_text[end].isDigit() || m_text[end] == u'.' || m_text[end] == u',' ||
                               m_text[end] == u'e' || m_text[end] == u'E'))
                ++end;
            m_token.kind = Token::Number;
            m_token.text = m_text.mid(m_at, end - m_at);
            m_at = end;
        } else if (c.isLetter() || c == u'_') {
            int end = m_at + 1;
            while (end < n && (m_text[end].isLetterOrNumber() || m_text[end] == u'_' || m_text[end] == u'.'))
                ++end;
            m_token.kind = Token::Name;
            m_token.text = m_text.mid(m_at, end - m_at);
            m_at = end;
        } else {
            static const char *symbols[] = {"<>", "!=", "<=", ">=", "=", "<", ">", "(", ")"};
            for (const char *s : symbols) {
                if (QStringView(m_text).mid(m_at).startsWith(QLatin1String(s))) {
                    m_token.kind = Token::Symbol;
                    m_token.text = QLatin1String(s);
                    m_at += int(qstrlen(s));
                    return;
                }
            }
            fail(QStringLiteral("neznámý znak „%1“").arg(c));
        }
    }

    NodePtr binary(Op op, NodePtr left, NodePtr right)
    {
        auto node = std::make_unique<FilterExpression::Node>();
        node->op = op;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    NodePtr parseOr()
    {
        NodePtr node = parseAnd();
        while (isKeyword("OR")) {
            advance();
            node = binary(Op::Or, std::move(node), parseAnd());
        }
        return node;
    }

    NodePtr parseAnd()
    {
        NodePtr node = parseNot();
        while (isKeyword("AND")) {
            advance();
            node = binary(Op::And, std::move(node), parseNot());
        }
        return node;
    }

    NodePtr parseNot()
    {
        if (isKeyword("NOT")) {
            advance();
            return binary(Op::Not, parseNot(), nullptr);
        }
        if (isSymbol("(")) {
            advance();
            NodePtr node = parseOr();
            if (!isSymbol(")"))
                fail(QStringLiteral("chybí „)“"));
            advance();
            return node;
        }
        return parseComparison();
    }

    const Field *fieldNamed(const QString &written)
    {
        QString name = written;
        const Field *field = m_dataset.FindField(name);
        if (!field && name.contains(u'.')) // "tab_polozka.KOD" names the column KOD
            field = m_dataset.FindField(name.mid(name.lastIndexOf(u'.') + 1));
        if (!field || !field->IsBound())
            fail(QStringLiteral("neznámé pole „%1“").arg(written));
        return field;
    }

    bool isLiteralToken() const
    {
        return m_token.kind == Token::Text || m_token.kind == Token::Number || isKeyword("NULL") || isKeyword("TRUE") ||
               isKeyword("FALSE");
    }

    Literal takeLiteral()
    {
        Literal lit;
        lit.isNull = isKeyword("NULL");
        lit.quoted = m_token.kind == Token::Text;
        lit.text = m_token.text;
        advance();
        return lit;
    }

    // Reads the literal as the field's type; fails when it cannot be one.
    void typeLiteral(Literal &lit, const Field *field)
    {
        const QString t = lit.text.trimmed();
        bool ok = true;
        switch (field->DataType()) {
        case FieldType::Integer:
        case FieldType::LargeInt:
            lit.integer = t.toLongLong(&ok);
            if (!ok) { // "12.0" still names a whole number
                const double d = QString(t).replace(u',', u'.').toDouble(&ok);
                ok = ok && d == double(qint64(d));
                lit.integer = qint64(d);
            }
            break;
        case FieldType::Currency:
            if (const auto c = Currency::parse(t))
                lit.currency = *c;
            else
                ok = false;
            break;
        case FieldType::Float:
            lit.floating = QString(t).replace(u',', u'.').toDouble(&ok);
            break;
        case FieldType::Boolean: {
            const QString l = t.toLower();
            ok = l == u"true" || l == u"false" || l == u"1" || l == u"0";
            lit.boolean = l == u"true" || l == u"1";
            break;
        }
        case FieldType::DateTime:
            ok = readDate(t, lit.floating);
            break;
        default:
            break;
        }
        if (!ok)
            fail(QStringLiteral("hodnotu „%1“ nelze porovnat s polem „%2“").arg(lit.text, field->FieldName()));
    }

    static bool readDate(const QString &t, double &value)
    {
        static const char *pictures[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd",
                                         "d.M.yyyy H:mm:ss",    "d.M.yyyy H:mm",    "d.M.yyyy"};
        for (const char *picture : pictures) {
            const QDateTime dt = QDateTime::fromString(t, QLatin1String(picture));
            if (dt.isValid()) {
                value = DateTimeConv::fromQDateTime(dt);
                return true;
            }
        }
        return false;
    }

    // One of the comparison operators, or false.
    bool takeOperator(Op &op)
    {
        static const std::pair<const char *, Op> operators[] = {{"=", Op::Eq}, {"<>", Op::Ne}, {"!=", Op::Ne},
                                                                {"<", Op::Lt}, {">", Op::Gt},  {"<=", Op::Le},
                                                                {">=", Op::Ge}};
        for (const auto &[symbol, candidate] : operators) {
            if (isSymbol(symbol)) {
                op = candidate;
                advance();
                return true;
            }
        }
        return false;
    }

    NodePtr parseComparison()
    {
        auto node = std::make_unique<FilterExpression::Node>();
        Literal lit;
        if (isLiteralToken()) { // "5 < NAKUP"
            lit = takeLiteral();
            node->literalFirst = true;
            if (!takeOperator(node->op))
                fail(QStringLiteral("očekáván operátor porovnání"));
        }
        if (m_token.kind != Token::Name)
            fail(QStringLiteral("očekáváno jméno pole"));
        node->field = fieldNamed(m_token.text);
        advance();

        if (!node->literalFirst) {
            if (isKeyword("IS")) {
                advance();
                bool negated = false;
                if (isKeyword("NOT")) {
                    negated = true;
                    advance();
                }
                if (!isKeyword("NULL"))
                    fail(QStringLiteral("za IS má být NULL"));
                advance();
                node->op = negated ? Op::IsNotNull : Op::IsNull;
                return node;
            }
            bool negatedLike = false;
            if (isKeyword("NOT")) {
                advance();
                if (!isKeyword("LIKE"))
                    fail(QStringLiteral("za NOT má být LIKE"));
                negatedLike = true;
            }
            if (isKeyword("LIKE")) {
                advance();
                if (m_token.kind != Token::Text && m_token.kind != Token::Number)
                    fail(QStringLiteral("za LIKE má být text"));
                setLikePattern(*node, takeLiteral().text);
                node->op = negatedLike ? Op::NotLike : Op::Like;
                return node;
            }
            if (!takeOperator(node->op))
                fail(QStringLiteral("očekáván operátor porovnání"));
            if (!isLiteralToken())
                fail(QStringLiteral("očekávána hodnota"));
            lit = takeLiteral();
        }
        if (lit.isNull) { // "= NULL" as the filter language allows it
            if (node->op != Op::Eq && node->op != Op::Ne)
                fail(QStringLiteral("NULL lze jen porovnat na rovnost"));
            node->op = node->op == Op::Eq ? Op::IsNull : Op::IsNotNull;
            return node;
        }
        typeLiteral(lit, node->field);
        node->literal = lit;
        return node;
    }

    // "%" and "*" stand for any run of characters; a backslash makes the
    // character after it (a wildcard or a backslash) stand for itself.
    static void setLikePattern(FilterExpression::Node &node, const QString &pattern)
    {
        const QString p = CaseFolded(pattern);
        node.likeParts.clear();
        node.likeStart = true;
        node.likeEnd = true;
        QString part;
        for (qsizetype i = 0; i < p.size(); ++i) {
            const QChar c = p.at(i);
            if (c == u'\\' && i + 1 < p.size()) {
                part += p.at(++i);
                node.likeEnd = true;
            } else if (c == u'%' || c == u'*') {
                if (i == 0)
                    node.likeStart = false;
                if (!part.isEmpty())
                    node.likeParts.push_back(part);
                part.clear();
                node.likeEnd = false;
            } else {
                part += c;
                node.likeEnd = true;
            }
        }
        if (!part.isEmpty())
            node.likeParts.push_back(part);
    }

    QString m_text;
    const Dataset &m_dataset;
    int m_at = 0;
    Token m_token;
};

} // namespace

FilterExpression::~FilterExpression() = default;

std::unique_ptr<FilterExpression> FilterExpression::Parse(const QString &text, const Dataset &dataset)
{
    Parser parser(text, dataset);
    std::unique_ptr<FilterExpression> expression(new FilterExpression);
    expression->m_root = parser.parseAll();
    return expression;
}

bool FilterExpression::Matches(int row) const
{
    return !m_root || m_root->eval(row);
}

} // namespace Db

#include "data/mssqladoquery.h"

#include "data/rowkeytests.h"

#include "platform/messages.h"

namespace {

// The characters that end a placeholder name.
bool isDelimiter(QChar c)
{
    switch (c.unicode()) {
    case 0:
    case 10:
    case 13:
    case ' ':
    case '%':
    case '(':
    case ')':
    case ',':
    case ':':
    case ';':
        return true;
    default:
        return false;
    }
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

// Whether `text` contains `what` as a whole column reference: the match may
// not run on into a longer name ("KOD" inside "KOD_EAN").
bool containsWhole(const QString &text, const QString &what)
{
    qsizetype at = 0;
    while ((at = text.indexOf(what, at)) >= 0) {
        const qsizetype end = at + what.size();
        if (end >= text.size() || !isIdentifierChar(text[end]) || !isIdentifierChar(what.back()))
            return true;
        ++at;
    }
    return false;
}

} // namespace

TMSSQLADOQuery::TMSSQLADOQuery(QObject *parent)
    : Db::Dataset(parent)
    , m_formatParameters(new TFormatParameters(this))
{
    m_positionClone.DisableControls();
    m_sumClone.DisableControls();
}

TMSSQLADOQuery::~TMSSQLADOQuery() = default;

QString TMSSQLADOQuery::FormatSQLText() const
{
    QString text;
    for (const QString &line : m_formatSQL)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TMSSQLADOQuery::SetFormatSQL(const QStringList &lines)
{
    m_formatSQL = lines;
    if (FormatSQLText().isEmpty() || !FormatParamCheck)
        return;
    if (m_formatParameters->Count() > 0 &&
        ShowQuestion(QStringLiteral("Some format paramaters exists, do you want to delete them?"), QString(), true))
        m_formatParameters->Clear();
    CreateFormatParameters();
}

QStringList TMSSQLADOQuery::ScanPlaceholders() const
{
    const QString text = FormatSQLText();
    QStringList names;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text[i] == u'%' && i + 1 < n && !isDelimiter(text[i + 1])) {
            qsizetype end = i + 1;
            while (end < n && !isDelimiter(text[end]))
                ++end;
            names << text.mid(i, end - i);
            i = end + 1; // the delimiter that ended the name goes with it
        } else {
            ++i;
        }
    }
    return names;
}

void TMSSQLADOQuery::CreateFormatParameters()
{
    if (FormatSQLText().isEmpty())
        return;
    for (const QString &name : ScanPlaceholders()) {
        if (!m_formatParameters->FindParameter(name))
            m_formatParameters->Add()->SetName(name);
    }
}

bool TMSSQLADOQuery::FormatParametersComplete() const
{
    if (FormatSQLText().isEmpty())
        return false;
    // Every placeholder needs its parameter: one left in the text would
    // reach the server as it stands.
    int count = 0;
    for (const QString &name : ScanPlaceholders()) {
        if (!m_formatParameters->FindParameter(name))
            return false;
        ++count;
    }
    return count == m_formatParameters->Count();
}

QString TMSSQLADOQuery::fillPlaceholders(const QString &text) const
{
    QString result = text;
    for (int i = 0; i < m_formatParameters->Count(); ++i) {
        const TFormatParameter *p = m_formatParameters->Items(i);
        if (!p->Name().isEmpty())
            result.replace(p->Name(), PlaceholderValue(p->Name(), p->Value()), Qt::CaseInsensitive);
    }
    return result;
}

QString TMSSQLADOQuery::ApplyFormatParameters(const QString &text) const
{
    return StateRowKeyTests(fillPlaceholders(text), RowKeysRead::WholeList).text;
}

void TMSSQLADOQuery::fireRefresh()
{
    if (OnRefreshQuery)
        OnRefreshQuery(this);
}

void TMSSQLADOQuery::RefreshQuery()
{
    if (FormatParametersComplete())
        SetSQL(ApplyFormatParameters(FormatSQLText()));
    Open();
    fireRefresh();
}

void TMSSQLADOQuery::RequeryQuery()
{
    if (!Active())
        return;
    Requery();
    fireRefresh();
}

void TMSSQLADOQuery::RequeryLocate(const QString &fieldName)
{
    if (!Active())
        return;
    const Db::Field *field = fieldName.isEmpty() ? nullptr : FindField(fieldName);
    const Variant kept = field ? field->Value() : Variant();
    const int row = currentRow();
    Requery();
    if (field && !kept.isEmpty() && !kept.toString().isEmpty()) {
        // When nothing came or went before it (F5 on a list no one changed),
        // the row stands where it stood: no look through a long list for it.
        const Db::SnapshotPtr rows = snapshot();
        if (CanSpliceRows() && row >= 0 && row < rows->rowCount() &&
            rows->rawText(row, field->Index()) == kept.toString().toUtf8())
            SetRecNo(row + 1);
        else
            Locate(fieldName, kept);
    }
    fireRefresh();
}

QString TMSSQLADOQuery::sortColumn(const Db::Field *field) const
{
    return field->Origin.isEmpty() ? field->FieldName() : field->Origin + u'.' + field->FieldName();
}

void TMSSQLADOQuery::SortByColumn(const QString &keyFieldName, Db::Field *field, const QString &paramName)
{
    // Without the placeholder there is nothing to sort by: leave the list as it is.
    TFormatParameter *parameter = m_formatParameters->FindParameter(paramName);
    if (!field || !parameter)
        return;
    const Db::Field *keyField = FindField(keyFieldName);
    const Variant kept = keyField && Active() ? keyField->Value() : Variant();
    const QString column = sortColumn(field);
    Close();
    const QString text = SQL();
    QString value;
    if (containsWhole(text, column + QStringLiteral(" DESC")))
        value = column;
    else if (containsWhole(text, QStringLiteral("ORDER BY ") + column))
        value = column + QStringLiteral(" DESC");
    else
        value = column;
    parameter->SetFormatParameterValue(value);
    RefreshQuery();
    if (!kept.isEmpty() && !kept.toString().isEmpty())
        Locate(keyFieldName, kept);
}

int TMSSQLADOQuery::SortState(const Db::Field *field) const
{
    if (!field)
        return 0;
    const QString column = sortColumn(field);
    if (containsWhole(SQL(), column + QStringLiteral(" DESC")))
        return 2;
    if (containsWhole(SQL(), QStringLiteral("ORDER BY ") + column))
        return 1;
    return 0;
}

void TMSSQLADOQuery::SavePosition(const QString &keyFieldName)
{
    m_savedKeyField = keyFieldName;
    try {
        // The clone shares the rows: it stands on the same row without a
        // search through them (a long list is saved at every write).
        m_positionClone.Clone(*this);
        if (FindField(keyFieldName) && Active() && currentRow() >= 0)
            m_positionClone.SetRecNo(currentRow() + 1);
    } catch (const std::exception &) {
        // Nothing saved: RestorePosition then finds no row to come back to.
    }
}

void TMSSQLADOQuery::RestorePosition()
{
    if (m_savedKeyField.isEmpty() || !m_positionClone.Active() || m_positionClone.IsEmpty() || !Active())
        return;
    const Db::Field *key = m_positionClone.FindField(m_savedKeyField);
    if (!key || !FindField(m_savedKeyField))
        return;
    // Back through the rows as they were until one of them is still listed.
    for (;;) {
        if (Locate(m_savedKeyField, key->Value()))
            return;
        if (m_positionClone.RecNo() <= 1)
            return;
        m_positionClone.Prior();
    }
}

void TMSSQLADOQuery::LocateOrRestore(const Variant &keyValue)
{
    if (m_savedKeyField.isEmpty() || keyValue.isEmpty() || keyValue.toString().isEmpty())
        return;
    if (!FindField(m_savedKeyField) || !Locate(m_savedKeyField, keyValue))
        RestorePosition();
}

bool TMSSQLADOQuery::LocateValue(const QString &fieldName, const Variant &value)
{
    if (value.isEmpty() || value.toString().isEmpty())
        return false;
    try {
        return Locate(fieldName, value, Db::loCaseInsensitive | Db::loPartialKey);
    } catch (const std::exception &) {
        return false;
    }
}

bool TMSSQLADOQuery::LocateText(const QString &fieldName, const QString &text)
{
    return !text.isEmpty() && LocateValue(fieldName, Variant(text));
}

bool TMSSQLADOQuery::LocateInteger(const QString &fieldName, qint64 number)
{
    return Locate(fieldName, Variant(QString::number(number)));
}

Currency TMSSQLADOQuery::SumField(const QString &fieldName)
{
    std::vector<Currency> sums;
    SumFields({fieldName}, sums);
    return sums.front();
}

void TMSSQLADOQuery::SumFields(const QStringList &fieldNames, std::vector<Currency> &sums)
{
    sums.assign(size_t(fieldNames.size()), Currency());
    // Every row is listed: the sums the rows keep (a long list brought up to
    // date row by row is not walked again for each row).
    if (CanSpliceRows()) {
        try {
            for (qsizetype i = 0; i < fieldNames.size(); ++i) {
                const int column = FieldByName(fieldNames[i]).Index();
                sums[size_t(i)] = column < 0 ? Currency() : snapshot()->columnSum(column);
            }
            return;
        } catch (const std::exception &) {
            sums.assign(size_t(fieldNames.size()), Currency()); // walked below, as far as it goes
        }
    }
    try {
        m_sumClone.Clone(*this);
        if (!m_sumClone.Active())
            return;
        std::vector<const Db::Field *> fields;
        for (const QString &name : fieldNames)
            fields.push_back(&m_sumClone.FieldByName(name));
        for (m_sumClone.First(); !m_sumClone.Eof(); m_sumClone.Next()) {
            for (size_t i = 0; i < fields.size(); ++i)
                sums[i] += fields[i]->AsCurrency();
        }
    } catch (const std::exception &) {
        // The sums so far stand.
    }
}

#include "app/spreadsheet/importbatch.h"

#include "app/spreadsheet/spreadsheetsource.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

QString questionKey(TDMImportQuestion::Kind kind, const QString &text)
{
    return QString::number(int(kind)) + u'|' + text;
}

// First pass: the checks run with every answer the one that lets them go on,
// so every question a row's checks can ask is asked (and recorded).
class RecordingLookups : public ImportLookups
{
public:
    bool ItemMarkExists(const QString &mark) override { return ask(TDMImportQuestion::Mark, mark), false; }
    bool ItemCodeExists(const QString &code) override { return ask(TDMImportQuestion::Code, code), false; }
    bool ItemNameExists(const QString &name) override { return ask(TDMImportQuestion::Name, name), false; }
    int VatIdByRate(Currency rate) override
    {
        ask(TDMImportQuestion::Vat, rate.toString(), rate);
        return 1;
    }
    int FindCategoryByPath(const QString &path) override { return ask(TDMImportQuestion::Category, path), 1; }
    int ContactIdByName(const QString &name) override { return ask(TDMImportQuestion::Contact, name), 1; }
    int UnitIdByName(const QString &name) override { return ask(TDMImportQuestion::Unit, name), 1; }

    std::vector<TDMImportQuestion> questions;
    QHash<QString, size_t> index; // by questionKey

private:
    void ask(TDMImportQuestion::Kind kind, const QString &text, Currency rate = Currency())
    {
        const QString key = questionKey(kind, text);
        if (index.contains(key))
            return;
        index.insert(key, questions.size());
        questions.push_back({kind, text, rate});
    }
};

// Second pass: the answers the server gave.
class AnsweredLookups : public ImportLookups
{
public:
    AnsweredLookups(const RecordingLookups &asked, std::vector<Variant> answers)
        : m_asked(asked)
        , m_answers(std::move(answers))
    {}
    bool ItemMarkExists(const QString &mark) override { return answer(TDMImportQuestion::Mark, mark) != 0; }
    bool ItemCodeExists(const QString &code) override { return answer(TDMImportQuestion::Code, code) != 0; }
    bool ItemNameExists(const QString &name) override { return answer(TDMImportQuestion::Name, name) != 0; }
    int VatIdByRate(Currency rate) override { return answer(TDMImportQuestion::Vat, rate.toString()); }
    int FindCategoryByPath(const QString &path) override { return answer(TDMImportQuestion::Category, path); }
    int ContactIdByName(const QString &name) override { return answer(TDMImportQuestion::Contact, name); }
    int UnitIdByName(const QString &name) override { return answer(TDMImportQuestion::Unit, name); }

    // Whether every question has its answer.
    bool complete() const
    {
        for (const Variant &answer : m_answers) {
            if (answer.isEmpty())
                return false;
        }
        return true;
    }

private:
    int answer(TDMImportQuestion::Kind kind, const QString &text) const
    {
        return int(m_answers.at(m_asked.index.value(questionKey(kind, text))).toInt());
    }
    const RecordingLookups &m_asked;
    std::vector<Variant> m_answers;
};

// The values the uniqueness checks compare, as the server compares them
// (without regard to case); an empty one is never taken.
QStringList uniqueKeys(const TDMItem &item)
{
    QStringList keys;
    const std::pair<QChar, QString> values[] = {{u'O', item.OZNACENI}, {u'K', item.KOD}, {u'P', item.POLOZKA}};
    for (const auto &[kind, value] : values) {
        if (!value.isEmpty())
            keys << kind + value.toLower();
    }
    return keys;
}

} // namespace

ImportRowCells ReadImportRow(const SpreadsheetSource &source, int sheetRow)
{
    ImportRowCells cells;
    for (int column = 1; column <= ImportColumnCount; ++column)
        cells[size_t(column - 1)] = source.Cell(sheetRow, column);
    return cells;
}

void ImportBatchPlanner::forgetReadRows()
{
    m_ahead.clear();
    m_aheadError.clear();
}

void ImportBatchPlanner::readAhead(int first, int lastRow, int maxRows)
{
    if (first < m_aheadFirst || first > m_aheadFirst + int(m_ahead.size()))
        forgetReadRows();
    else
        m_ahead.erase(m_ahead.begin(), m_ahead.begin() + (first - m_aheadFirst));
    m_aheadFirst = first;
    while (m_aheadError.isEmpty() && int(m_ahead.size()) < maxRows && first + int(m_ahead.size()) < lastRow) {
        try {
            m_ahead.push_back(ReadImportRow(m_source, first + int(m_ahead.size()) + 1));
        } catch (const SheetReadError &error) {
            m_aheadError = error.reason;
        }
    }
}

ImportBatch ImportBatchPlanner::plan(int first, int lastRow, int maxRows)
{
    ImportBatch batch;
    batch.first = first;
    // The rows and the questions their checks can ask.
    readAhead(first, lastRow, maxRows);
    const std::deque<ImportRowCells> &rows = m_ahead;
    const QString &readError = m_aheadError;
    RecordingLookups asked;
    for (const ImportRowCells &row : rows)
        CheckImportRow(row, asked);
    AnsweredLookups answers(asked, m_dm.AskImportQuestions(m_storeId, asked.questions));
    const bool answered = answers.complete();
    QSet<QString> taken;
    for (size_t i = 0;; ++i) {
        const int record = first + int(i);
        const bool unread = i == rows.size();
        if (record >= lastRow || (unread && readError.isEmpty()))
            break;
        if (Messages().progressInterrupted()) {
            batch.end = ImportBatch::End::Interrupted;
            break;
        }
        ImportRowCheck check;
        if (!unread && answered) {
            check = CheckImportRow(rows[i], answers);
            const QStringList keys = check.failure ? QStringList() : uniqueKeys(check.item);
            if (std::any_of(keys.cbegin(), keys.cend(), [&](const QString &key) { return taken.contains(key); }))
                break; // checked again once the rows before it are in
            for (const QString &key : keys)
                taken.insert(key);
        }
        Messages().stepProgress(QStringLiteral(" Importuji záznam [%1]").arg(record), record);
        if (unread) {
            batch.end = ImportBatch::End::Unread;
            batch.readError = readError;
            break;
        }
        if (!answered) {
            batch.end = ImportBatch::End::Single;
            break;
        }
        if (check.failure) {
            batch.end = ImportBatch::End::Failed;
            batch.failure = *check.failure;
            break;
        }
        check.item.SKLAD = m_storeName;
        batch.items.push_back(std::move(check.item));
    }
    return batch;
}

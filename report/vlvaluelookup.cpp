// What the expressions of a running build see: names through the value
// lookup chain, functions through the libraries, bracket expansion of memo
// text, and the interpreter's view of the page.
#include "platform/db/field.h"
#include "platform/messages.h"
#include "report/components.h"
#include "report/dbdataset.h"
#include "report/vlbuilder.h"
#include "report/vlmemoview.h"
#include "report/vlregistry.h"
#include "report/vlsubreportview.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

Variant fieldValue(const Db::Field &field)
{
    if (vlIsBlob(&field))
        return field.IsNull() ? Variant::null() : Variant(field.AsString());
    return field.Value(); // Null when the field is
}

// Names that lead to ever new names ("[[[[x]]]]") would only end with the
// stack (each level takes a few kilobytes of it); legitimate chains of
// variables stay far below this depth.
constexpr int maxNameDepth = 256;

// Marks a name as being evaluated for a scope; a name met again inside its
// own evaluation is a cycle and is refused instead of recursing without end.
class Evaluating
{
public:
    Evaluating(QStringList &names, const QString &name)
        : m_names(names)
    {
        const QString key = name.toUpper();
        if (const qsizetype first = m_names.indexOf(key); first >= 0) {
            // Only the name itself between: nothing else knows it.
            if (first == m_names.size() - 1)
                throw TvlParserError(
                    QStringLiteral(
                        "Jméno „%1“ není pole, proměnná ani jiná hodnota sestavy, nebo odkazuje samo na sebe.")
                        .arg(vlQuotedExpression(name))
                        .toStdString());
            QStringList cycle = m_names.mid(first);
            cycle << key;
            for (QString &step : cycle)
                step = vlQuotedExpression(step, 60);
            throw TvlParserError(
                QStringLiteral("Proměnné se odkazují jedna na druhou v kruhu (%1), takže žádnou z nich "
                               "nelze vyhodnotit.")
                    .arg(vlQuotedExpression(cycle.join(QStringLiteral(" → "))))
                    .toStdString());
        }
        if (m_names.size() >= maxNameDepth)
            throw TvlParserError(
                QStringLiteral("Výraz „%1“ vede přes příliš mnoho dalších jmen a nelze jej vyhodnotit.")
                    .arg(vlQuotedExpression(name, 60))
                    .toStdString());
        m_names.append(key);
    }
    ~Evaluating() { m_names.removeLast(); }
    Evaluating(const Evaluating &) = delete;
    Evaluating &operator=(const Evaluating &) = delete;

private:
    QStringList &m_names;
};

} // namespace

Variant TvlReportBuilder::Calculate(const QString &expression)
{
    return m_expressions.Calculate(m_parser, expression);
}

void TvlReportBuilder::GetReportValue(const QString &name, Variant &value)
{
    if (m_report->OnGetValue) {
        Variant given;
        m_report->OnGetValue(name, given);
        if (!given.isUnassigned()) {
            value = given;
            return;
        }
    }
    if (LookupValueEntry(name, value) || LookupField(name, value) || LookupSpecial(name, value))
        return;
    if (vlScriptVariables().IndexOf(name) >= 0) {
        value = vlScriptVariables().GetVariable(name);
        return;
    }
    Evaluating guard(m_evaluating, name);
    value = Calculate(name);
}

bool TvlReportBuilder::LookupValueEntry(const QString &name, Variant &value)
{
    TvlValue *entry = m_report->Values().FindVariable(name);
    if (!entry)
        return false;
    switch (entry->Kind) {
    case vkDataField: {
        Db::Dataset *dataset = vlSourceDataSet(entry->ResolvedDataSet.data());
        if (!dataset)
            dataset = vlSourceDataSet(vlFindComponent(entry->DataSet));
        if (!dataset)
            throw TvlParserError(
                QStringLiteral("Datová sada „%1“ hodnoty „%2“ neexistuje.").arg(entry->DataSet, name).toStdString());
        if (!dataset->Active())
            dataset->Open();
        value = fieldValue(dataset->FieldByName(entry->Field));
        return true;
    }
    case vkSpecial:
        if (entry->OtherKind == vlSpecialExpression) {
            Evaluating guard(m_evaluating, name);
            value = Calculate(entry->Field);
            return true;
        }
        if (entry->OtherKind >= 0 && entry->OtherKind < vlSpecialValueNames.size())
            return LookupSpecial(vlSpecialValueNames.at(entry->OtherKind), value);
        value = Variant(QString());
        return true;
    case vkExpression: {
        Evaluating guard(m_evaluating, name);
        value = Calculate(entry->Field);
        return true;
    }
    default:
        value = Variant(QString());
        return true;
    }
}

TvlBand *TvlReportBuilder::DataBandOf(TvlBand *band) const
{
    if (band && band->IsDataBand()) {
        for (TvlBand *first = band; first; first = first->Prev)
            if (first->DataSet && !first->Prev)
                return first;
        return band;
    }
    return m_lastDataBand;
}

TvlBand *TvlReportBuilder::FieldBand() const
{
    TvlBand *band = m_curBand;
    if (band && band->DataSet)
        return band;
    if (band && m_curRun) {
        // A header or footer reads the rows of its data band; groups those of the first level.
        for (const auto &data : m_curRun->Bands)
            if (data->IsDataBand() && data->DataSet && (data->HeaderBand == band || data->FooterBand == band))
                return data.get();
        if (band->Typ == btGroupHeader || band->Typ == btGroupFooter || !m_lastDataBand)
            for (TvlBand *data = m_curRun->Table[btMasterData]; data; data = data->Next)
                if (data->DataSet)
                    return data;
    }
    return m_lastDataBand;
}

bool TvlReportBuilder::LookupField(const QString &name, Variant &value)
{
    TvlBand *band = FieldBand();
    Db::Dataset *dataset = band ? vlSourceDataSet(band->DataSet) : nullptr;
    Db::Field *field = nullptr;
    if (dataset)
        for (const FoundField &found : m_foundFields)
            if (found.DataSet == dataset && found.Stamp == dataset->FieldsStamp() && found.Name == name) {
                value = fieldValue(*found.Field);
                return true;
            }
    if (std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c == u'.' || c == u'"'; })) {
        field = dataset ? dataset->FindField(name) : nullptr;
        if (field) {
            m_foundFields[m_nextFoundField] = {dataset, dataset->FieldsStamp(), name, field};
            m_nextFoundField = (m_nextFoundField + 1) % int(m_foundFields.size());
        }
    } else {
        vlGetDataSetAndField(name, dataset, field);
        if (field && !dataset->Active())
            dataset->Open();
    }
    if (!field)
        return false;
    value = fieldValue(*field);
    return true;
}

bool TvlReportBuilder::LookupSpecial(const QString &name, Variant &value)
{
    TvlBand *data = DataBandOf(m_curBand);
    if (name == u"VALUE")
        value = m_currentValue;
    else if (name == u"PAGE#")
        value = Variant(qint64(m_pageIndex + 1));
    else if (name == u"DATE")
        value = Variant::fromDateTime(DateTimeConv::fromQDate(m_started.date()));
    else if (name == u"TIME")
        value =
            Variant::fromDateTime(DateTimeConv::fromQDateTime(m_started) - DateTimeConv::fromQDate(m_started.date()));
    else if (name == u"LINE#")
        value = Variant(qint64(data ? data->RecordNo : 0));
    else if (name == u"LINETHROUGH#")
        value = Variant(qint64(data ? data->LineThrough : 0));
    else if (name == u"COLUMN#")
        value = Variant(qint64(PageColumn() + 1));
    else if (name == u"CURRENT#")
        value = Variant(qint64(data ? data->PageRecords : 0));
    else if (name == u"TOTALPAGES")
        value = Variant(qint64(m_totalPages));
    else
        return false;
    return true;
}

void TvlReportBuilder::CallReportFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                          QString &val)
{
    val = QStringLiteral("0");
    if (m_stdLibrary.OnFunction(name, p1, p2, p3, val))
        return;
    for (TvlFunctionLibrary *library : vlFunctionLibraries())
        if (library->OnFunction(name, p1, p2, p3, val))
            return;
    if (m_report->OnUserFunction && (!m_curBand || m_curBand->Visible()))
        m_report->OnUserFunction(name, p1, p2, p3, val);
}

// --- bracket expansion ------------------------------------------------------------------

std::shared_ptr<const TvlReportBuilder::BracketLine> TvlReportBuilder::ParseBracketLine(const QString &line)
{
    // Text held by a counted block cannot change while a copy is kept here:
    // the same block and length is the same line.
    const bool shared = line.data_ptr().isMutable();
    if (shared)
        for (const RecentLine &recent : m_recentLines)
            if (recent.Line.constData() == line.constData() && recent.Line.size() == line.size() && recent.Parsed)
                return recent.Parsed;
    auto remember = [&](std::shared_ptr<const BracketLine> parsed) {
        if (shared) {
            m_recentLines[m_nextRecentLine] = {line, parsed};
            m_nextRecentLine = (m_nextRecentLine + 1) % int(m_recentLines.size());
        }
        return parsed;
    };
    const auto found = m_bracketLines.find(line);
    if (found != m_bracketLines.end())
        return remember(found->second);
    auto parsed = std::make_shared<BracketLine>();
    int i = 0;
    while (i < line.size()) {
        const int open = int(line.indexOf(u'[', i));
        if (open < 0)
            break;
        int start = open + 1, pos = start;
        QString content;
        try {
            content = vlText::ReadBracketedName(line, start, pos);
        } catch (const TvlParserError &) {
            break; // an unclosed bracket is plain text
        }
        BracketLine::Item item{line.mid(i, open - i), content, {}, false, {}};
        const int hash = int(content.indexOf(QStringLiteral(" #")));
        if (hash >= 0) {
            item.Expression = content.left(hash);
            item.FormatSpec = content.mid(hash + 2);
            item.HasFormat = true;
        }
        parsed->Items.push_back(item);
        i = pos;
    }
    parsed->Tail = line.mid(i);
    if (m_bracketLines.size() >= 4096) // texts made at run time must not pile up
        m_bracketLines.clear();
    return remember(m_bracketLines.emplace(line, std::move(parsed)).first->second);
}

QString TvlReportBuilder::ExpandLine(const QString &line, qint32 format, const QString &formatText)
{
    if (!line.contains(u'['))
        return line;
    // Held here: evaluating may expand other lines, which may renew the parsed lines.
    const std::shared_ptr<const BracketLine> parsed = ParseBracketLine(line);
    // A line that is one bracket and nothing else is the value's text itself.
    const bool alone = parsed->Items.size() == 1 && parsed->Items.front().Before.isEmpty() && parsed->Tail.isEmpty();
    QString result;
    for (const BracketLine::Item &item : parsed->Items) {
        if (!item.Before.isEmpty())
            result += item.Before;
        qint32 itemFormat = format;
        QString itemText = formatText;
        if (item.HasFormat) {
            BracketLine::Item::Read &read = item.LastRead;
            if (!read.Done || read.FromFormat != format || read.FromText != formatText) {
                read.FromFormat = read.Format = format;
                read.FromText = read.Text = formatText;
                vlParseFormatSuffix(item.FormatSpec, read.Format, read.Text);
                read.Done = true;
            }
            itemFormat = read.Format;
            itemText = read.Text;
        }
        m_currentExpression = item.Expression;
        Variant value;
        GetReportValue(item.Expression, value);
        m_currentValue = value;
        // A footer adding up a row only evaluates; nobody reads the text.
        if (!m_aggregatingBand || m_aggregatingBand->Visible()) {
            if (alone)
                return vlFormatViewValue(value, itemFormat, itemText);
            result += vlFormatViewValue(value, itemFormat, itemText);
        }
    }
    if (!parsed->Tail.isEmpty())
        result += parsed->Tail;
    return result;
}

QStringList TvlReportBuilder::ExpandMemo(const QStringList &memo, qint32 format, const QString &formatText)
{
    QStringList lines;
    lines.reserve(memo.size());
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    for (const QString &line : memo) {
        const QString expanded = ExpandLine(line, format, formatText);
        if (std::any_of(expanded.cbegin(), expanded.cend(), [](QChar c) { return c == u'\n' || c == u'\r'; }))
            lines << expanded.split(breaks);
        else
            lines << expanded;
    }
    return lines;
}

void TvlReportBuilder::BindBlobObjects(TvlPageRun &run)
{
    for (const auto &object : run.Objects) {
        TvlView &view = *object;
        // Memos show a field's text through their bracket expressions; bands,
        // sub-reports and lines hold no content of their own.
        if (view.Memo.isEmpty() || dynamic_cast<TvlMemoView *>(&view) || dynamic_cast<TvlBandView *>(&view) ||
            dynamic_cast<TvlSubReportView *>(&view) || view.ObjectType == otLine)
            continue;
        const QString line = view.Memo.first().trimmed();
        QString name;
        if (line.startsWith(u'[')) {
            int start = 1, pos = 1;
            try {
                name = vlText::ReadBracketedName(line, start, pos);
            } catch (const TvlParserError &) {
                continue;
            }
            if (pos != line.size())
                continue; // more than one expression: no field of its own
        } else if (view.ObjectType == otPicture) {
            name = line; // pictures may name the field without brackets
        }
        if (!name.trimmed().isEmpty())
            m_blobs[&view] = name.trimmed();
    }
}

void TvlReportBuilder::BindBlob(TvlView &view)
{
    const auto bound = m_blobs.find(&view);
    if (bound == m_blobs.end())
        return;
    const QString &name = bound->second;
    TvlBand *band = view.OwnerBand && view.OwnerBand->DataSet ? view.OwnerBand : FieldBand();
    Db::Dataset *dataset = band ? vlSourceDataSet(band->DataSet) : nullptr;
    Db::Field *field = nullptr;
    if (TvlValue *entry = m_report->Values().FindVariable(name); entry && entry->Kind == vkDataField) {
        dataset = vlSourceDataSet(entry->ResolvedDataSet.data());
        field = dataset ? dataset->FindField(entry->Field) : nullptr;
    } else {
        vlGetDataSetAndField(name, dataset, field);
    }
    if (!field)
        return;
    // Binary columns hold the bytes themselves, text columns Unicode text.
    if (field->DataType() == Db::FieldType::Bytes)
        view.LoadBlob(field->AsBytes(), field->IsNull());
    else
        view.LoadBlobText(field->AsString(), field->IsNull());
}

// --- the interpreter's view of the report -----------------------------------------------

TvlScriptView *TvlReportBuilder::CurrentView()
{
    return m_curView;
}

TvlScriptView *TvlReportBuilder::FindView(const QString &name)
{
    if (!m_curRun)
        return nullptr;
    for (const auto &view : m_curRun->Objects)
        if (view->Name.compare(name, Qt::CaseInsensitive) == 0)
            return view.get();
    return nullptr;
}

int TvlReportBuilder::FreeSpace()
{
    return m_curRun ? m_curRun->CurBottomY - m_curRun->CurY : 0;
}

void TvlReportBuilder::ForceNewPage()
{
    if (m_curBand)
        m_curBand->ForceNewPage = true;
}

void TvlReportBuilder::ForceNewColumn()
{
    if (m_curBand)
        m_curBand->ForceNewColumn = true;
}

bool TvlReportBuilder::WalkDataset(const QString &reference, bool forCount,
                                   const std::function<void(const Variant &)> &visit)
{
    Db::Dataset *dataset = nullptr;
    Db::Field *field = nullptr;
    if (forCount) {
        QObject *component = vlFindComponent(reference);
        dataset = vlSourceDataSet(component);
    } else {
        if (!reference.contains(u'.'))
            return false;
        vlGetDataSetAndField(reference, dataset, field);
        if (!field)
            return false;
    }
    if (!dataset)
        return false;
    if (!dataset->Active())
        dataset->Open();
    const Db::Bookmark position = dataset->GetBookmark();
    for (dataset->First(); !dataset->Eof(); dataset->Next())
        visit(field ? fieldValue(*field) : Variant(qint64(0)));
    if (position.IsValid())
        dataset->GotoBookmark(position);
    return true;
}

QString TvlReportBuilder::Input(const QString &prompt, const QString &defaultText)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return defaultText;
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, QString(), prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : defaultText;
}

#include "app/spreadsheet/xlsxautomation.h"

#include "platform/paths.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <xlsxwriter.h>

#include <cmath>

XlsxAutomation::XlsxAutomation(const QString &folder)
    : Open([](const QString &file) {
        return DesktopHasProgramFor(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    })
    , m_folder(folder)
{}

// The desktop's opener starts in the background and reports success even when
// it then finds no program, so the desktop's choice is asked first, of the
// same tool the opener asks.
bool XlsxAutomation::DesktopHasProgramFor(const QString &file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty())
        return true;
    const QString type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name();
    QProcess query;
    query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(10000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

bool XlsxAutomation::CreateApplication()
{
    const QString folder = m_folder.isEmpty() ? Paths::exportFolder() : m_folder;
    return QDir().mkpath(folder);
}

void XlsxAutomation::WorkBooksAdd()
{
    m_cells.clear();
    m_autoFit = false;
    m_fileName.clear();
}

void XlsxAutomation::SetNumberFormat(int row, int column, const QString &format)
{
    m_cells[{row, column}].format = format;
}

void XlsxAutomation::SetValue(int row, int column, const Variant &value)
{
    m_cells[{row, column}].value = value;
}

void XlsxAutomation::ColumnsAutoFit()
{
    m_autoFit = true;
}

QString XlsxAutomation::XlsxFormat(const QString &exportFormat)
{
    // The export's codes are those of a Czech spreadsheet, where "," is the
    // decimal separator; in the file the codes are locale-free.
    if (exportFormat == u"0,00")
        return QStringLiteral("0.00");
    return exportFormat;
}

QString XlsxAutomation::newFileName() const
{
    const QDir folder(m_folder.isEmpty() ? Paths::exportFolder() : m_folder);
    const QString stem = QStringLiteral("Export_") + QDateTime::currentDateTime().toString(u"yyyyMMdd_HHmmss");
    QString name = folder.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = folder.filePath(QStringLiteral("%1_%2.xlsx").arg(stem).arg(n));
    return name;
}

namespace {

// What a cell holds in the file: a number, or a text.
struct FileCell
{
    bool isNumber = false;
    double number = 0;
    QString text;
};

FileCell fileCell(const QString &format, const Variant &value)
{
    FileCell cell;
    if (value.isNumeric() && format != u"@") {
        cell.isNumber = true;
        cell.number = value.toDouble();
    } else if (value.isString() && format == u"0") {
        // A text given to a cell formatted as a number becomes that number.
        bool ok = false;
        const double number = value.stringValue().trimmed().toDouble(&ok);
        if (ok && std::isfinite(number)) {
            cell.isNumber = true;
            cell.number = number;
        }
    }
    if (!cell.isNumber)
        cell.text = value.isEmpty() ? QString() : value.toString();
    return cell;
}

// The width of the text a cell shows, in characters.
int shownLength(const FileCell &cell, const QString &format)
{
    if (!cell.isNumber)
        return int(cell.text.size());
    if (format == u"0,00")
        return int(QString::number(cell.number, 'f', 2).size());
    return int(QString::number(cell.number, 'g', 15).size());
}

} // namespace

void XlsxAutomation::write(const QString &fileName) const
{
    const QByteArray path = QFile::encodeName(fileName);
    lxw_workbook *workbook = workbook_new(path.constData());
    if (!workbook)
        throw AutomationError(QStringLiteral("Sešit %1 nelze vytvořit.").arg(fileName));
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    QHash<QString, lxw_format *> formats;
    auto formatFor = [&](const QString &code) -> lxw_format * {
        if (code.isEmpty())
            return nullptr;
        if (!formats.contains(code)) {
            lxw_format *format = workbook_add_format(workbook);
            format_set_num_format(format, XlsxFormat(code).toUtf8().constData());
            formats.insert(code, format);
        }
        return formats.value(code);
    };
    QHash<int, int> widths;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        const int row = it.key().first - 1;
        const int column = it.key().second - 1;
        if (row < 0 || column < 0)
            continue;
        const FileCell cell = fileCell(it->format, it->value);
        lxw_format *format = formatFor(it->format);
        if (cell.isNumber)
            worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(column), cell.number, format);
        else
            worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(column), cell.text.toUtf8().constData(), format);
        widths[column] = qMax(widths.value(column), shownLength(cell, it->format));
    }
    if (m_autoFit) {
        for (auto it = widths.cbegin(); it != widths.cend(); ++it)
            worksheet_set_column(sheet, lxw_col_t(it.key()), lxw_col_t(it.key()), qMin(255, it.value() + 2), nullptr);
    }
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        throw AutomationError(
            QStringLiteral("Sešit %1 nelze uložit: %2").arg(fileName, QString::fromUtf8(lxw_strerror(error))));
}

void XlsxAutomation::SetVisible()
{
    m_fileName = newFileName();
    write(m_fileName);
    if (Open && !Open(m_fileName))
        throw WorkbookNotShown(m_fileName);
}

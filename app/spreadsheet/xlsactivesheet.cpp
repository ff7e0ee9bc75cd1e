// The structured-file library's headers come before Qt's: GLib names a
// member "signals", which Qt defines as a word of its own.
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>

#include "app/spreadsheet/xlsactivesheet.h"

#include <QList>

#include <QtEndian>
#include <algorithm>

namespace {

constexpr quint16 RecordEof = 0x000A;
constexpr quint16 RecordWindow1 = 0x003D;
constexpr quint16 RecordBoundSheet = 0x0085;
// The sheet kind in a sheet's record: 0 is a worksheet.
constexpr quint8 KindWorksheet = 0;
// The global records are few and small; a stream whose globals run longer
// than this is not looked at further.
constexpr qint64 GlobalsLimit = 16 * 1024 * 1024;

// Releases a GLib object at the end of a scope.
template <typename T>
struct Unref
{
    T *object;
    ~Unref()
    {
        if (object)
            g_object_unref(object);
    }
};

bool readBytes(GsfInput *stream, int count, quint8 *into)
{
    return count == 0 || gsf_input_read(stream, size_t(count), into) != nullptr;
}

XlsSheetList scanGlobals(GsfInput *stream)
{
    XlsSheetList list;
    int window = -1;
    QList<quint8> kinds;
    quint8 body[0xFFFF + 1];
    qint64 read = 0;
    quint8 header[4];
    while (read < GlobalsLimit && readBytes(stream, 4, header)) {
        const quint16 record = qFromLittleEndian<quint16>(header);
        const quint16 length = qFromLittleEndian<quint16>(header + 2);
        if (!readBytes(stream, length, body))
            break;
        read += 4 + length;
        if (record == RecordEof)
            break;
        if (record == RecordWindow1 && length >= 12)
            window = qFromLittleEndian<quint16>(body + 10);
        else if (record == RecordBoundSheet && length >= 6)
            kinds.append(body[5]);
    }
    list.sheetCount = int(kinds.size());
    if (window < 0 || window >= kinds.size() || kinds[window] != KindWorksheet)
        return list;
    list.activeSheet = window;
    list.activeWorksheet = int(std::count(kinds.cbegin(), kinds.cbegin() + window, KindWorksheet));
    return list;
}

} // namespace

XlsSheetList ReadXlsSheetList(const QByteArray &bytes)
{
    Unref<GsfInput> input{
        gsf_input_memory_new(reinterpret_cast<const guint8 *>(bytes.constData()), gsf_off_t(bytes.size()), FALSE)};
    if (!input.object)
        return {};
    GError *error = nullptr;
    Unref<GsfInfile> file{gsf_infile_msole_new(input.object, &error)};
    if (error)
        g_error_free(error);
    if (!file.object)
        return {};
    // "Workbook" in the later format, "Book" in the older one.
    Unref<GsfInput> stream{gsf_infile_child_by_name(file.object, "Workbook")};
    if (!stream.object)
        stream.object = gsf_infile_child_by_name(file.object, "Book");
    if (!stream.object)
        return {};
    return scanGlobals(stream.object);
}

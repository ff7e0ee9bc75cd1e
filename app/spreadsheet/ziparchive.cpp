#include "app/spreadsheet/ziparchive.h"

#include "app/spreadsheet/readerrors.h"

#include <zip.h>

namespace {

int zipErrorCode(zip_error_t *error)
{
    return error ? zip_error_code_zip(error) : ZIP_ER_INTERNAL;
}

SheetReadError damagedPart(const QString &name, int code)
{
    return UnreadableWorkbook(QStringLiteral("část %1: %2").arg(name, ZipErrorReason(code)));
}

} // namespace

SheetReadError UnreadableWorkbook(const QString &what)
{
    return {QStringLiteral("Sešit nelze přečíst: %1.").arg(what)};
}

ZipArchive::ZipArchive(const QByteArray &bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (source && !m_zip)
        zip_source_free(source);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!m_zip)
        throw UnreadableWorkbook(ZipErrorReason(code));
}

ZipArchive::~ZipArchive()
{
    zip_discard(m_zip);
}

bool ZipArchive::has(const QString &name) const
{
    return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipArchive::part(const QString &name, qint64 maxBytes) const
{
    const QByteArray utf8 = name.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(m_zip, utf8.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        throw UnreadableWorkbook(QStringLiteral("chybí část %1").arg(name));
    if (stat.size > zip_uint64_t(maxBytes))
        throw UnreadableWorkbook(QStringLiteral("část %1 je příliš velká").arg(name));
    zip_file_t *file = zip_fopen(m_zip, utf8.constData(), 0);
    if (!file)
        throw damagedPart(name, zipErrorCode(zip_get_error(m_zip)));
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    const int code = read < 0 ? zipErrorCode(zip_file_get_error(file)) : ZIP_ER_EOF;
    zip_fclose(file);
    if (read != zip_int64_t(stat.size))
        throw damagedPart(name, code);
    return data;
}

ZipEntryDevice::ZipEntryDevice(const ZipArchive &zip, const QString &name)
{
    m_file = zip_fopen(zip.handle(), name.toUtf8().constData(), 0);
    if (!m_file) {
        const int code = zipErrorCode(zip_get_error(zip.handle()));
        if (code == ZIP_ER_NOENT)
            throw UnreadableWorkbook(QStringLiteral("chybí část %1").arg(name));
        throw damagedPart(name, code);
    }
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    setObjectName(name);
}

ZipEntryDevice::~ZipEntryDevice()
{
    if (m_file)
        zip_fclose(m_file);
}

qint64 ZipEntryDevice::readData(char *data, qint64 maxSize)
{
    if (!m_failure.isEmpty())
        return -1;
    const zip_int64_t read = zip_fread(m_file, data, zip_uint64_t(maxSize));
    if (read < 0) {
        m_failure =
            QStringLiteral("část %1: %2").arg(objectName(), ZipErrorReason(zipErrorCode(zip_file_get_error(m_file))));
        m_finished = true;
        return -1;
    }
    if (read == 0)
        m_finished = true;
    return read;
}

void ZipEntryDevice::readToEnd()
{
    char buffer[16384];
    while (!m_finished && read(buffer, sizeof buffer) > 0) {
    }
}

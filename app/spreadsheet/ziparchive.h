#pragma once
// A workbook's zip archive, read from its bytes in memory: small parts
// whole, large ones as a stream (a device that unpacks as it is read).
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

typedef struct zip zip_t;
typedef struct zip_file zip_file_t;

class ZipArchive
{
public:
    // The bytes must outlive the archive. Throws SheetReadError.
    explicit ZipArchive(const QByteArray &bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool has(const QString &name) const;
    // A part whole; throws SheetReadError (also for a part over maxBytes).
    QByteArray part(const QString &name, qint64 maxBytes) const;
    zip_t *handle() const { return m_zip; }

private:
    zip_t *m_zip = nullptr;
};

// One part of the archive as a sequential device. A failure to unpack ends
// the data early; failure() then says why.
class ZipEntryDevice : public QIODevice
{
public:
    // Throws SheetReadError when the part is missing or cannot be opened.
    ZipEntryDevice(const ZipArchive &zip, const QString &name);
    ~ZipEntryDevice() override;
    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_finished && QIODevice::atEnd(); }
    // Empty while everything read went well.
    const QString &failure() const { return m_failure; }
    // Reads what the reader left after its document's end, so the part's
    // checksum, tested at its end, is tested.
    void readToEnd();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file_t *m_file = nullptr;
    bool m_finished = false;
    QString m_failure;
};

// "Sešit nelze přečíst: <what>."
SheetReadError UnreadableWorkbook(const QString &what);

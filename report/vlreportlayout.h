#pragma once
// The stored part of a report: its design pages, values and variables and
// the two report options, with the layout file (".vlf"), the template file
// (".vlt"), the embedded form property and the XML layout (".vl3").
// A file that cannot be read is reported to the caller and leaves the
// layout as it was.
#include "report/values.h"
#include "report/vlpage.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>

class QObject;

// Writes a file through a memory stream, so a failing writer leaves the file
// alone; false with the reason in error.
bool vlWriteFile(const QString &path, const std::function<void(ByteStream &)> &write, QString *error);

class TvlReportLayout
{
public:
    TvlReportLayout();
    ~TvlReportLayout();
    TvlReportLayout(const TvlReportLayout &) = delete;
    TvlReportLayout &operator=(const TvlReportLayout &) = delete;

    // The message of unreadable layouts.
    static const QString UnsupportedFormat; // "Nepodporovaný VLF formát"

    TvlPages Pages;
    TvlValues &Values() { return *m_values; }
    const TvlValues &Values() const { return *m_values; }
    QStringList Variables;
    quint16 KeepCurrentPrinter = 0;
    quint16 TwoPass = 0;
    QString FileName;

    // An object of any page by name (without regard to case).
    TvlView *FindObject(const QString &name) const;
    // Gives the object a name no object of the layout has.
    void CreateUniqueName(TvlView &view) const;
    void Clear(); // no pages, no values, no variables

    // Version byte and body. Loading returns false with the reason in error
    // and keeps the layout when the stream is too new or damaged.
    bool LoadFromStream(ByteStream &stream, QString *error = nullptr);
    void SaveToStream(ByteStream &stream) const; // raises StreamError, EReportFormatError
    bool LoadFromFile(const QString &path, QString *error = nullptr);
    bool SaveToFile(const QString &path, QString *error = nullptr) const;

    // The body alone (templates, the pages part of a report stream); raise
    // on damage. LoadBody reads into this layout, which it first clears.
    void SaveBody(ByteStream &stream) const;
    void LoadBody(ByteStream &stream, int version);

    // The form property: 23, then (when stored) the length and the report stream.
    void WriteReportForm(ByteStream &stream, bool storeInForm) const;
    bool ReadReportForm(ByteStream &stream, bool storeInForm, QString *error = nullptr);

    // Templates: description and preview bitmap, then the body.
    bool SaveTemplate(const QString &path, const QStringList &description, const QImage &bitmap,
                      QString *error = nullptr) const;
    // Reads description and bitmap; with loadBody also the body.
    bool LoadTemplate(const QString &path, QStringList *description, QImage *bitmap, bool loadBody,
                      QString *error = nullptr);

    // The XML layout; the owner's data sets go into the property data.
    void SaveToVL3Stream(ByteStream &stream, const QObject *owner = nullptr) const;
    // The file gets the extension ".vl3".
    bool SaveToVL3File(const QString &path, QString *error = nullptr, const QObject *owner = nullptr) const;

private:
    void Swap(TvlReportLayout &other);

    std::unique_ptr<TvlValues> m_values;
};

#pragma once
// Report objects: the base of every object a layout page holds. The same
// objects are design objects, print templates while a report is built and
// records of prepared pages. Each object is owned by the list that holds it.
#include "platform/bytestream.h"
#include "report/vlcanvas.h"
#include "report/vlscriptbinding.h"
#include "report/vlstreams.h"

#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <functional>

class TvlBand;
class TvlXmlWriter;

// Object type codes of the files.
enum TvlObjectType : quint8 {
    otMemo = 0,
    otPicture = 1,
    otBand = 2,
    otSubReport = 3,
    otLine = 4,
    otRichView = 5, // rich text, built by a later part of the engine
    otAddIn = 10,
};

// Frame edges in FrameTyp.
enum TvlFrameEdge : quint16 { frRight = 1, frBottom = 2, frLeft = 4, frTop = 8, frAll = 15 };

// StorageMode: which record layout the object reads and writes.
enum TvlStorageMode : quint8 { smDesign = 0, smPrepared = 1 };

// What the XML layout writer tells the objects about their surroundings.
struct TvlXmlContext
{
    int LeftOffset = 0; // subtracted from every left position
    // Data set component name of a data set name, empty when there is none.
    std::function<QString(const QString &)> DataSetComponent;
    // Splits "DataSet.Field" into the data set component and field of a
    // report data set; false when the text names none.
    std::function<bool(const QString &, QString *, QString *)> DataField;
};

// An item of the designer's context menu for an object: a flag toggled on
// every selected object, or one of the memo's dialogs.
struct TvlMenuOption
{
    enum Action { ToggleFlag, FormatDialog, FontDialog };
    QString Text;
    quint16 Flag = 0;
    bool Enabled = true;
    Action Kind = ToggleFlag;
};

// Banker's rounding, as all geometry of the engine rounds.
int vlRound(double value);

class TvlView : public TvlScriptView
{
public:
    TvlView();
    ~TvlView() override;
    TvlView(const TvlView &) = delete;
    TvlView &operator=(const TvlView &) = delete;

    // The class name the files and the XML layout use.
    virtual QString ClassName() const { return QStringLiteral("TvlView"); }

    virtual void DrawBackground(TvlCanvas &canvas);
    virtual void DrawFrame(TvlCanvas &canvas);
    // Content from a blob field (memo text, picture); empty by default.
    virtual void LoadBlob(const QByteArray &data, bool isNull);
    // Content from a text column: Unicode text, handed on as UTF-8 by default.
    virtual void LoadBlobText(const QString &text, bool isNull);
    // Called for objects with Flags bit 0x8000 each time a memo was printed.
    virtual void ObjectPrinted(TvlView *view);
    virtual void Assign(const TvlView &source);
    // Saves the layout rectangle, applies scale and offset and works out the
    // drawing rectangle and the text gaps.
    virtual void PrepareDrawRect(TvlDrawMode mode);
    virtual void RestoreBounds();
    virtual void Draw(TvlCanvas &canvas) = 0;
    // The object's record in a prepared page: type byte, class name of
    // add-ins, the prepared record; nothing for invisible objects.
    virtual void Print(ByteStream &stream);
    virtual void ExportData() {}
    // Records in the layout StorageMode selects; version chooses the older
    // encodings of files below version 23 (design records only).
    virtual void LoadFromStream(ByteStream &stream, int version = vlCurrentVersion);
    virtual void SaveToStream(ByteStream &stream);
    virtual void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context);
    virtual void SpareHookB() {}
    // The object's items of the designer's context menu, after a separator.
    virtual QList<TvlMenuOption> FillPopupMenu() const;
    // Region the object covers, for hit tests and clipping.
    virtual QRegion GetClipRgn(bool withMargin) const;
    // Content with bracketed expressions of its own besides Memo (rich text):
    // its text lines, and its expansion while a report is built, valueOf
    // giving the text of a bracket's content.
    virtual QStringList ExpressionText() const { return {}; }
    virtual void ExpandContent(const std::function<QString(const QString &)> &valueOf) { (void)valueOf; }

    void SetBounds(int left, int top, int width, int height);
    // Name := NamePrefix and the smallest free number from 1 to 10000 (empty
    // when every one is taken); taken tells whether a name is in use.
    void CreateUniqueName(const std::function<bool(const QString &)> &taken);
    bool IsVisible() const { return Visible != 0; }

    // TvlScriptView
    Kind ScriptKind() const override { return Kind::Other; }
    Variant ScriptProperty(TvlScriptProperty property) const override;
    void SetScriptProperty(TvlScriptProperty property, const Variant &value) override;

    QString Name;
    QString NamePrefix = QStringLiteral("View");
    qint32 ObjectId = 0;
    quint8 ObjectType = otMemo;
    TvlBand *OwnerBand = nullptr;
    bool Selected = false;
    quint8 StorageMode = smDesign;
    qint32 Left = 0, Top = 0, Width = 0, Height = 0;
    quint16 Flags = 1;
    quint16 FrameTyp = 0;
    double FrameWidth = 1.0;
    qint32 FrameColor = 0;
    quint16 FrameStyle = psSolid;
    qint32 FillColor = vlclNone;
    qint32 Format = 0;
    QString FormatText;
    QStringList Memo;
    QStringList WorkMemo;
    QStringList Script;
    quint16 Visible = 0xFFFF;
    double ScaleX = 1.0, ScaleY = 1.0;
    qint32 OffsX = 0, OffsY = 0;
    bool PrintingToPrinter = false;
    qint32 GapX = 0, GapY = 0;
    // Worked out by PrepareDrawRect; right and bottom exclusive.
    QRect DrawRect;

    // Frame width as stored: whole widths up to 10 as they are, any other in thousandths.
    static qint32 EncodeFrameWidth(double width);
    static double DecodeFrameWidth(qint32 stored);

protected:
    // The memo field of the record; memos override it for prepared lines.
    virtual void WriteTextField(ByteStream &stream, const QStringList &lines);
    virtual void ReadTextField(ByteStream &stream, int version, QStringList &lines);
    // The attributes every element carries, then the element's own.
    void WriteXmlCommon(TvlXmlWriter &xml, const TvlXmlContext &context);
    QString XmlElementName() const;
    // A frame edge; the line runs from (x1, y1) to (x2, y2).
    void DrawEdge(TvlCanvas &canvas, int x1, int y1, int x2, int y2, bool vertical);
    void DrawCornerMarks(TvlCanvas &canvas);

private:
    struct Saved
    {
        qint32 left = 0, top = 0, width = 0, height = 0;
        double frameWidth = 0;
    } m_saved;
};

// The display format code: kind in bits 24-27, the kind's format index in
// bits 16-23 (4 = custom text), decimals in bits 8-15, separator in 0-7.
enum TvlFormatKind { fkText = 0, fkNumber = 1, fkDate = 2, fkTime = 3, fkBoolean = 4 };
inline int vlFormatKind(qint32 format)
{
    return (format >> 24) & 0x0F;
}
inline int vlFormatIndex(qint32 format)
{
    return (format >> 16) & 0xFF;
}
inline int vlFormatDecimals(qint32 format)
{
    return (format >> 8) & 0xFF;
}
inline QChar vlFormatSeparator(qint32 format)
{
    return QChar(format & 0xFF);
}
// The default of new objects: text kind with the system decimal separator.
qint32 vlDefaultFormat();

#pragma once
// The rich text object of reports: formatted text kept as a text document,
// stored as rich text (RTF). Like a memo it stretches: before it prints,
// every "[expression]" in its text is replaced by the expression's value in
// the formatting of the replaced characters, its height follows the text and
// a long text continues on the next page from the character where the page
// ended. It is an add-in object (type 10, class "TvlRichView").
#include "report/vlmemoview.h"

#include <QObject>
#include <QTextDocument>
#include <functional>
#include <memory>

// The text of an expression's value, as the report being built gives it.
using TvlRichValueLookup = std::function<QString(const QString &expression)>;

class TvlRichView : public TvlStretcheable
{
public:
    TvlRichView();
    ~TvlRichView() override;

    QString ClassName() const override { return QStringLiteral("TvlRichView"); }
    void Assign(const TvlView &source) override;
    // A binary field holds a rich text in its own code page (plain text in
    // the 8-bit code page); a text field holds Unicode text, rich or plain.
    void LoadBlob(const QByteArray &data, bool isNull) override;
    void LoadBlobText(const QString &text, bool isNull) override;
    void Draw(TvlCanvas &canvas) override;
    // Writes the prepared record of the work text: the part that fits the
    // view's height from where the last part ended.
    void Print(ByteStream &stream) override;
    void LoadFromStream(ByteStream &stream, int version = vlCurrentVersion) override;
    void SaveToStream(ByteStream &stream) override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;
    int CalcHeight() override;
    int GetLineHeight() override { return 8; }
    int GetRemainingHeight() override;
    bool PrintsInParts() const override { return Flags & mfStretched; }
    bool PartLeft() const override;
    QStringList ExpressionText() const override;
    void ExpandContent(const std::function<QString(const QString &)> &valueOf) override { PrepareText(valueOf); }

    // Copies the text into the work text and, unless NoExpansion, replaces
    // each bracketed expression by its value. Without a lookup the brackets stay.
    void PrepareText(const TvlRichValueLookup &lookup);
    // The text being printed: the prepared copy, or the view's own text.
    QTextDocument &WorkText();
    // Width of the text inside the frame and gaps, in layout pixels.
    qreal TextWidth() const;
    // Starts the output again at the first character.
    void ResetOutput();

    // The view's own text.
    QTextDocument RichEdit;
    // Where the current output starts, where the last measured output ended,
    // and up to where the text has been printed in earlier parts.
    int StartPos = 0;
    int LastEnd = 0;
    int PrintedPos = 0;
    bool NoExpansion = false;

    // The view's text as rich text, and back.
    QByteArray Rtf() const;
    void SetRtf(const QByteArray &rtf);

    // Gaps of the frame around the text, as the memo keeps them.
    int TextGap() const;

private:
    std::unique_ptr<QTextDocument> m_work; // the prepared (expanded) text
    std::unique_ptr<QTextDocument> m_part; // the part of it being printed
};

// A copy of a rich text with its pictures, ready for the fixed layout.
QTextDocument *vlCloneRichText(const QTextDocument &source);

// The component a program places on a form so that rich text objects are
// part of it: creating one registers the object class with the engine.
class TvlRichObject : public QObject
{
    Q_OBJECT
public:
    explicit TvlRichObject(QObject *parent = nullptr);
};

// The rich text object's entry of the engine's add-in table: class
// "TvlRichView", hint "Vložit RichText", editor TvlRichForm. The engine
// starts with it; registering again changes nothing.
struct TvlAddInObjectInfo;
TvlAddInObjectInfo vlRichViewInfo();
void vlRegisterRichView();

#pragma once
// An edit for a floating-point Value. While it has the focus the user types
// plain digits (the editing text); without the focus it shows the value in
// DisplayFormat. Keys that would make an invalid number or too many decimals
// are refused, values can be rounded to DecimalPlaces and are kept within
// MinValue..MaxValue.
#include "kit/comboedit.h"

#include <stdexcept>

// The value lies outside MinValue..MaxValue.
class ERangeError : public std::runtime_error
{
public:
    explicit ERangeError(const QString &message)
        : std::runtime_error(message.toStdString())
        , text(message)
    {}
    const QString &message() const { return text; }

private:
    QString text;
};

class TCustomNumEdit : public TCustomComboEdit
{
    Q_OBJECT
    Q_PROPERTY(double MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(double MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int DecimalPlaces READ decimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(bool DecimalPlaceRound READ decimalPlaceRound WRITE setDecimalPlaceRound)
    Q_PROPERTY(QString DisplayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(bool ZeroEmpty READ zeroEmpty WRITE setZeroEmpty)
    Q_PROPERTY(bool BeepOnError READ beepOnError WRITE setBeepOnError)
    Q_PROPERTY(bool CheckOnExit READ checkOnExit WRITE setCheckOnExit)
    Q_PROPERTY(bool FormatOnEditing READ formatOnEditing WRITE setFormatOnEditing)
    Q_PROPERTY(double Value READ value WRITE setValue)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY OnChange USER true)

public:
    explicit TCustomNumEdit(QWidget *parent = nullptr);

    double value();
    void setValue(double value);
    long double extendedValue();
    void setExtendedValue(long double value);
    double minValue() const { return double(minLimit); }
    void setMinValue(double value);
    double maxValue() const { return double(maxLimit); }
    void setMaxValue(double value);
    int decimalPlaces() const { return decimals; }
    void setDecimalPlaces(int value);
    bool decimalPlaceRound() const { return roundFlag; }
    void setDecimalPlaceRound(bool value);
    QString displayFormat() const { return displayPicture; }
    void setDisplayFormat(const QString &value);
    // Form storage writes DisplayFormat only when it differs from the class's own.
    bool isDisplayFormatStored() const { return displayPicture != defaultDisplayFormat(); }
    bool zeroEmpty() const { return zeroEmptyFlag; }
    void setZeroEmpty(bool value);
    bool beepOnError() const { return beepFlag; }
    void setBeepOnError(bool value) { beepFlag = value; }
    bool checkOnExit() const { return checkOnExitFlag; }
    void setCheckOnExit(bool value) { checkOnExitFlag = value; }
    bool formatOnEditing() const { return formatOnEditingFlag; }
    void setFormatOnEditing(bool value);

    // Parses the text into the value (range-checked) and rebuilds the text.
    void setText(const QString &text);
    void Clear() { setText(QString()); }

    // Rounds (with DecimalPlaceRound) and keeps the value in range; with
    // `raise` a value that had to be clamped throws ERangeError instead.
    long double checkValue(long double value, bool raise) const;
    // The text typed while focused, and the text shown without the focus.
    QString editingText() const;
    QString formattedDisplayText() const;

    // A typed text made ready for conversion: thousand separators dropped,
    // "." and "," read as the decimal separator, "" as "0", "-" as "-0".
    static QString normalizedText(const QString &text);
    static bool isValidFloat(const QString &text);
    // Digits after the decimal separator (up to an exponent).
    static int decimalCount(const QString &text);

signals:
    // Leaving the edit with CheckOnExit found the value out of range. When
    // nothing is connected the message is shown in a message box.
    void OnRangeError(const QString &message);

protected:
    virtual QString defaultDisplayFormat() const { return QStringLiteral(",0.##"); }
    QImage getDefaultBitmap() const override;
    Qt::Alignment editAlignment() const override;
    void acceptValue(const QVariant &value) override;
    void change() override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void loaded() override;
    // Finishes construction once the derived class knows its display format.
    void initDisplayFormat();

private:
    std::optional<long double> textValue(const QString &text) const;
    void updateData();
    void rebuildText();
    void regroupText();
    void refuse();
    void reportRangeError(const QString &message);

    long double storedValue = 0;
    long double minLimit = 0;
    long double maxLimit = 0;
    int decimals = 2;
    bool roundFlag = false;
    QString displayPicture;
    bool zeroEmptyFlag = true;
    bool beepFlag = true;
    bool checkOnExitFlag = false;
    bool formatOnEditingFlag = false;
    bool focusedFlag = false;
    bool reformatting = false;
};

// The program's money and quantity edit: no button, and a display format
// made from the currency settings (",0.00 Kč;-,0.00 Kč").
class TCurrencyEdit : public TCustomNumEdit
{
    Q_OBJECT

public:
    explicit TCurrencyEdit(QWidget *parent = nullptr);
    static QString currencyDisplayFormat();

protected:
    QString defaultDisplayFormat() const override { return currencyDisplayFormat(); }
};

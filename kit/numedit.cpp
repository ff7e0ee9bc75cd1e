#include "kit/numedit.h"

#include "kit/glyphs.h"
#include "kit/numbertext.h"
#include "platform/formatfloat.h"
#include "platform/formatnumber.h"
#include "platform/parsenumber.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace {

const FormatSettings &settings()
{
    return czechFormatSettings();
}

QString fixedText(long double value, int decimals)
{
    return FloatToStrF(double(value), ffFixed, 18, decimals, settings());
}

} // namespace

TCustomNumEdit::TCustomNumEdit(QWidget *parent)
    : TCustomComboEdit(parent)
{
    setAlignmentValue(Kx::taRightJustify);
    // A paste that makes no number leaves the old text, selected.
    NumberText::guardPaste(
        this, [](const QString &candidate) { return isValidFloat(normalizedText(candidate)); },
        [this] {
            selectAll();
            if (isEnabled())
                setFocus();
            refuse();
        });
    setGlyphKind(gkDropDown);
    setButtonWidth(21);
    initDisplayFormat();
}

void TCustomNumEdit::initDisplayFormat()
{
    displayPicture = defaultDisplayFormat();
    rebuildText();
    update();
}

QString TCustomNumEdit::normalizedText(const QString &text)
{
    const QChar decimal = settings().DecimalSeparator;
    const QChar thousand = settings().ThousandSeparator;
    QString result = text.trimmed();
    if (decimal != thousand)
        result.remove(thousand);
    if (decimal != QLatin1Char('.') && thousand != QLatin1Char('.'))
        result.replace(QLatin1Char('.'), decimal);
    if (decimal != QLatin1Char(',') && thousand != QLatin1Char(','))
        result.replace(QLatin1Char(','), decimal);
    if (result.isEmpty())
        return QStringLiteral("0");
    if (result == QLatin1String("-"))
        return QStringLiteral("-0");
    return result;
}

bool TCustomNumEdit::isValidFloat(const QString &text)
{
    const QChar decimal = settings().DecimalSeparator;
    for (QChar c : text)
        if (!QStringLiteral("+-0123456789Ee").contains(c) && c != decimal)
            return false;
    double ignored = 0;
    return TryStrToFloat(text, ignored, settings());
}

int TCustomNumEdit::decimalCount(const QString &text)
{
    const qsizetype separator = text.indexOf(settings().DecimalSeparator);
    if (separator < 0)
        return 0;
    qsizetype exponent = text.indexOf(QLatin1Char('E'), separator, Qt::CaseInsensitive);
    if (exponent < 0)
        exponent = text.size();
    return int(exponent - separator - 1);
}

std::optional<long double> TCustomNumEdit::textValue(const QString &text) const
{
    double result = 0;
    if (!TryStrToFloat(normalizedText(text), result, settings()))
        return std::nullopt;
    return result;
}

long double TCustomNumEdit::checkValue(long double value, bool raise) const
{
    if (roundFlag) {
        // Halves round away from zero; the tiny extra absorbs binary noise.
        const long double scale = std::pow(10.0L, decimals);
        const long double sign = value > 0 ? 1 : value < 0 ? -1 : 0;
        value = std::trunc(value * scale + sign * 0.50000001L) / scale;
    }
    long double result = value;
    if (minLimit != maxLimit) {
        if (maxLimit > minLimit)
            result = std::clamp(value, minLimit, maxLimit);
        else if (maxLimit == 0 && value < minLimit)
            result = minLimit;
        else if (minLimit == 0 && value > maxLimit)
            result = maxLimit;
    }
    if (raise && result != value)
        throw ERangeError(QStringLiteral("Hodnota musí být v rozmezí %1 až %2.")
                              .arg(fixedText(minLimit, decimals), fixedText(maxLimit, decimals)));
    return result;
}

QString TCustomNumEdit::editingText() const
{
    if (storedValue == 0 && zeroEmptyFlag)
        return QString();
    QString picture = QStringLiteral("0");
    if (decimals > 0)
        picture += QLatin1Char('.') + QString(decimals, QLatin1Char('#'));
    return FormatFloat(picture, double(checkValue(storedValue, false)), settings());
}

QString TCustomNumEdit::formattedDisplayText() const
{
    if (displayPicture.isEmpty())
        return FloatToStr(double(storedValue), settings());
    return FormatFloat(displayPicture, double(storedValue), settings());
}

long double TCustomNumEdit::extendedValue()
{
    if (!isLoading())
        updateData();
    return storedValue;
}

double TCustomNumEdit::value()
{
    return double(extendedValue());
}

void TCustomNumEdit::updateData()
{
    if (text().trimmed().isEmpty() && zeroEmptyFlag) {
        storedValue = 0;
    } else {
        const std::optional<long double> typed = textValue(text());
        storedValue = typed ? checkValue(*typed, false) : minLimit;
    }
    // While the user types, the text stays as typed: rebuilding it here would
    // swallow a separator just typed whenever a screen reads the value.
    if (!focusedFlag)
        rebuildText();
}

void TCustomNumEdit::setExtendedValue(long double value)
{
    storedValue = checkValue(value, false);
    rebuildText();
    update();
}

void TCustomNumEdit::setValue(double value)
{
    setExtendedValue(value);
}

void TCustomNumEdit::setMinValue(double value)
{
    if (minLimit == value)
        return;
    minLimit = value;
    setExtendedValue(storedValue);
}

void TCustomNumEdit::setMaxValue(double value)
{
    if (maxLimit == value)
        return;
    maxLimit = value;
    setExtendedValue(storedValue);
}

void TCustomNumEdit::setDecimalPlaces(int value)
{
    if (decimals == value || value < 0)
        return;
    decimals = value;
    setExtendedValue(storedValue);
}

void TCustomNumEdit::setDecimalPlaceRound(bool value)
{
    if (roundFlag == value)
        return;
    roundFlag = value;
    setExtendedValue(storedValue);
}

void TCustomNumEdit::setDisplayFormat(const QString &value)
{
    if (displayPicture == value)
        return;
    displayPicture = value;
    update();
    rebuildText();
}

void TCustomNumEdit::setZeroEmpty(bool value)
{
    zeroEmptyFlag = value;
    rebuildText();
}

void TCustomNumEdit::setFormatOnEditing(bool value)
{
    formatOnEditingFlag = value;
    applyEditAlignment();
    if (focusedFlag)
        regroupText();
}

Qt::Alignment TCustomNumEdit::editAlignment() const
{
    return formatOnEditingFlag ? Kx::toQtAlignment(alignmentValue()) : Qt::AlignLeft | Qt::AlignVCenter;
}

void TCustomNumEdit::setText(const QString &text)
{
    if (isLoading()) {
        QLineEdit::setText(text);
        return;
    }
    // A text that is no number leaves the value as it was.
    if (const std::optional<long double> typed = textValue(text))
        storedValue = checkValue(*typed, false);
    rebuildText();
    update();
}

void TCustomNumEdit::loaded()
{
    TCustomComboEdit::loaded();
    // The text given while loading becomes the value now.
    if (const std::optional<long double> typed = textValue(text()))
        storedValue = checkValue(*typed, false);
    rebuildText();
}

void TCustomNumEdit::rebuildText()
{
    QLineEdit::setText(editingText());
    if (focusedFlag && formatOnEditingFlag)
        regroupText();
}

void TCustomNumEdit::regroupText()
{
    const QString current = text();
    if (reformatting || current.isEmpty() || current == QLatin1String("-"))
        return;
    const QString normal = normalizedText(current);
    const QChar decimal = settings().DecimalSeparator;
    qsizetype start = (normal.startsWith(QLatin1Char('-')) || normal.startsWith(QLatin1Char('+'))) ? 1 : 0;
    qsizetype end = start;
    while (end < normal.size() && normal[end] != decimal && normal[end].toUpper() != QLatin1Char('E'))
        ++end;
    QString integerPart = normal.mid(start, end - start);
    if (displayPicture.contains(QLatin1Char(',')))
        for (qsizetype at = integerPart.size() - 3; at > 0; at -= 3)
            integerPart.insert(at, settings().ThousandSeparator);
    const QString grouped = normal.left(start) + integerPart + normal.mid(end);
    if (grouped == current)
        return;
    const int caret = cursorPosition() + int(grouped.size() - current.size());
    reformatting = true;
    QLineEdit::setText(grouped);
    setCursorPosition(qBound(0, caret, int(grouped.size())));
    reformatting = false;
}

void TCustomNumEdit::change()
{
    if (reformatting)
        return; // our own rewrite of the same number
    if (focusedFlag && formatOnEditingFlag)
        regroupText();
    TCustomComboEdit::change();
}

void TCustomNumEdit::acceptValue(const QVariant &value)
{
    TCustomComboEdit::acceptValue(value);
    updateData();
}

void TCustomNumEdit::refuse()
{
    if (beepFlag)
        Glyphs::beep();
}

void TCustomNumEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !popupVisible()) {
        rebuildText();
        SelectAll();
        TCustomComboEdit::keyPressEvent(event); // still a dialog key
        return;
    }
    QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].unicode() >= 32 && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!printable || isReadOnly()) {
        TCustomComboEdit::keyPressEvent(event);
        return;
    }
    QChar c = typed[0];
    if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && c != settings().ThousandSeparator)
        c = settings().DecimalSeparator;
    QString candidate = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    candidate.replace(start, hasSelectedText() ? selectedText().size() : 0, c);
    const QString normal = normalizedText(candidate);
    const bool negative = normal.startsWith(QLatin1Char('-'));
    if (decimalCount(normal) > decimals || !isValidFloat(normal) || (negative && minLimit >= 0 && maxLimit > 0)) {
        refuse();
        event->accept();
        return;
    }
    insert(QString(c));
    event->accept();
}

void TCustomNumEdit::focusInEvent(QFocusEvent *event)
{
    // Coming back after a range error the typed text stays for correction.
    if (!focusedFlag) {
        focusedFlag = true;
        rebuildText();
    }
    TCustomComboEdit::focusInEvent(event);
    update();
}

void TCustomNumEdit::focusOutEvent(QFocusEvent *event)
{
    if (checkOnExitFlag && !isLoading()) {
        try {
            if (const std::optional<long double> typed = textValue(text()))
                checkValue(*typed, true);
        } catch (const ERangeError &error) {
            TCustomComboEdit::focusOutEvent(event);
            reportRangeError(error.message());
            return; // the text stays as typed and the focus comes back
        }
    }
    const std::optional<long double> typed = textValue(text());
    if (text().trimmed().isEmpty() && zeroEmptyFlag)
        storedValue = 0;
    else if (typed)
        storedValue = checkValue(*typed, false);
    focusedFlag = false;
    rebuildText();
    setCursorPosition(0);
    TCustomComboEdit::focusOutEvent(event);
    update();
}

void TCustomNumEdit::reportRangeError(const QString &message)
{
    QPointer<TCustomNumEdit> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->setFocus(Qt::OtherFocusReason);
    });
    if (isSignalConnected(QMetaMethod::fromSignal(&TCustomNumEdit::OnRangeError))) {
        emit OnRangeError(message);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Chyba"), message, QMessageBox::Ok, window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [self] {
        if (self)
            self->setFocus(Qt::OtherFocusReason);
    });
    box->open();
}

void TCustomNumEdit::paintEvent(QPaintEvent *event)
{
    const bool standard = hasFocus() && !popupVisible();
    if (!standard) {
        QPainter painter(this);
        const QString shown = popupVisible() && popup() ? popup()->getPopupText() : formattedDisplayText();
        if (PaintEditText(painter, shown, alignmentValue(), false))
            return;
    }
    TCustomComboEdit::paintEvent(event);
}

QImage TCustomNumEdit::getDefaultBitmap() const
{
    // A small pocket calculator: a display above a grid of keys.
    QImage image(12, 14, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(1, 0, 10, 12);
    painter.fillRect(3, 2, 7, 3, Qt::black);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            painter.fillRect(3 + col * 3, 6 + row * 2, 1, 1, Qt::black);
    return image;
}

TCurrencyEdit::TCurrencyEdit(QWidget *parent)
    : TCustomNumEdit(parent)
{
    setButtonWidth(0);
    initDisplayFormat();
}

QString TCurrencyEdit::currencyDisplayFormat()
{
    const FormatSettings &s = settings();
    const QString number = QStringLiteral(",0.") + QString(s.CurrencyDecimals, QLatin1Char('0'));
    QString symbol;
    for (QChar c : s.CurrencyString)
        symbol += (c == QLatin1Char(',') || c == QLatin1Char('.')) ? QStringLiteral("'") + c + QStringLiteral("'")
                                                                   : QString(c);
    QString positive;
    switch (s.CurrencyFormat) {
    case 0:
        positive = symbol + number;
        break;
    case 1:
        positive = number + symbol;
        break;
    case 2:
        positive = symbol + QLatin1Char(' ') + number;
        break;
    default:
        positive = number + QLatin1Char(' ') + symbol;
        break;
    }
    return positive + QStringLiteral(";-") + positive;
}

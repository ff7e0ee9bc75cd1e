#include "kit/realedit.h"

#include "kit/numbertext.h"
#include "platform/formatfloat.h"
#include "platform/parsenumber.h"

#include <QKeyEvent>

using NumberText::KeyCandidate;

namespace {
const QChar kComma(QLatin1Char(','));

std::optional<double> realOf(const QString &text)
{
    double value = 0;
    return TryStrToFloat(text, value) ? std::optional<double>(value) : std::nullopt;
}
} // namespace

TRealEdit::TRealEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setText(FloatToStrF(0, ffFixed, 18, decimals));
    NumberText::guardPaste(this, [this](const QString &text) {
        for (QChar c : text)
            if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != kComma)
                return false;
        return accepts(text, KeyCandidate::Typed);
    });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isLoading())
            emit OnChange();
    });
}

double TRealEdit::value()
{
    double result = realOf(text()).value_or(0);
    bool clamped = false;
    if (result < minValue) {
        result = minValue;
        clamped = true;
    } else if (maxValue != 0 && result > maxValue) {
        result = maxValue;
        clamped = true;
    }
    if (clamped)
        setValue(result);
    return result;
}

void TRealEdit::setValue(double value)
{
    setText(zeroEmptyFlag && value == 0 ? QString() : FloatToStrF(value, ffFixed, 18, decimals));
}

void TRealEdit::setMin(double value)
{
    if (value == minValue || value > maxValue)
        return;
    minValue = value;
    setValue(this->value());
}

void TRealEdit::setMax(double value)
{
    if (value == maxValue || value < minValue)
        return;
    maxValue = value;
    setValue(this->value());
}

void TRealEdit::setDecimalPlaces(int value)
{
    if (value == decimals || value < 1 || value > 8)
        return;
    decimals = value;
    setValue(this->value());
}

void TRealEdit::setZeroEmpty(bool value)
{
    zeroEmptyFlag = value;
    setValue(this->value());
}

void TRealEdit::setAlignmentValue(Kx::TAlignment value)
{
    alignmentSetting = value;
    setAlignment(Kx::toQtAlignment(value));
}

bool TRealEdit::accepts(const QString &candidate, int kind) const
{
    const std::optional<double> value = realOf(candidate);
    if (kind == KeyCandidate::Backspace || kind == KeyCandidate::Delete) {
        if (candidate.isEmpty())
            return minValue == 0;
        return value && (*value >= minValue || minValue == 0);
    }
    if (!value || *value < minValue || (maxValue != 0 && *value > maxValue))
        return false;
    const qsizetype comma = candidate.indexOf(kComma);
    return comma < 0 || candidate.size() - comma - 1 <= decimals;
}

void TRealEdit::keyPressEvent(QKeyEvent *event)
{
    const KeyCandidate key = NumberText::classifyKey(*event, *this);
    switch (key.kind) {
    case KeyCandidate::Enter:
        selectAll();
        break;
    case KeyCandidate::Typed:
        if (!(key.typed.isDigit() && key.typed.unicode() <= '9') && key.typed != kComma) {
            event->accept();
            return;
        }
        [[fallthrough]];
    case KeyCandidate::Backspace:
    case KeyCandidate::Delete:
        if (!accepts(key.candidate, key.kind)) {
            event->accept();
            return;
        }
        break;
    case KeyCandidate::Other:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void TRealEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    selectAll();
}

#include "kit/intedit.h"

#include "kit/numbertext.h"
#include "platform/parsenumber.h"

#include <QKeyEvent>

using NumberText::KeyCandidate;

int IntegerRule::valueOf(const QString &text, const std::function<void(const QString &)> &writeBack) const
{
    int value = 0;
    if (!TryStrToInt(text, value))
        value = 0;
    const int clamped = value < min ? min : (max != 0 && value > max) ? max : value;
    if (clamped != value)
        writeBack(textOf(clamped));
    return clamped;
}

QString IntegerRule::textOf(int value) const
{
    return zeroEmpty && value == 0 ? QString() : QString::number(value);
}

bool IntegerRule::accepts(const KeyCandidate &key) const
{
    int parsed = 0;
    const std::optional<int> value = TryStrToInt(key.candidate, parsed) ? std::optional<int>(parsed) : std::nullopt;
    switch (key.kind) {
    case KeyCandidate::Backspace:
    case KeyCandidate::Delete:
        if (key.candidate.isEmpty())
            return min == 0; // only an edit that may be empty can be emptied
        return value && (min == 0 || *value >= min);
    case KeyCandidate::Typed:
        if (key.typed < QLatin1Char('0') || key.typed > QLatin1Char('9'))
            return false;
        return value && *value >= min && (max == 0 || *value <= max);
    case KeyCandidate::Enter:
    case KeyCandidate::Other:
        break;
    }
    return true;
}

bool IntegerRule::acceptsPasted(const QString &candidate) const
{
    for (QChar c : candidate)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    int value = 0;
    return TryStrToInt(candidate, value) && value >= min && (max == 0 || value <= max);
}

bool IntegerRule::setMin(int value)
{
    if (value == min || value > max)
        return false;
    min = value;
    return true;
}

bool IntegerRule::setMax(int value)
{
    if (value == max || value < min)
        return false;
    max = value;
    return true;
}

namespace {

// Runs the shared key rules; true when the key was refused or handled.
bool filterKey(QKeyEvent *event, QLineEdit &edit, const IntegerRule &rule)
{
    const KeyCandidate key = NumberText::classifyKey(*event, edit);
    if (key.kind == KeyCandidate::Enter) {
        edit.selectAll();
        return false;
    }
    if (key.kind != KeyCandidate::Other && !rule.accepts(key)) {
        event->accept();
        return true;
    }
    return false;
}

} // namespace

TIntegerEdit::TIntegerEdit(QWidget *parent)
    : QLineEdit(QStringLiteral("0"), parent)
{
    NumberText::guardPaste(this, [this](const QString &text) { return rule.acceptsPasted(text); });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isLoading())
            emit OnChange();
    });
}

int TIntegerEdit::value()
{
    return rule.valueOf(text(), [this](const QString &clamped) { setText(clamped); });
}

void TIntegerEdit::setValue(int value)
{
    setText(rule.textOf(value));
}

void TIntegerEdit::setMin(int value)
{
    if (rule.setMin(value))
        setValue(this->value());
}

void TIntegerEdit::setMax(int value)
{
    if (rule.setMax(value))
        setValue(this->value());
}

void TIntegerEdit::setZeroEmpty(bool value)
{
    rule.zeroEmpty = value;
    setValue(this->value());
}

void TIntegerEdit::setAlignmentValue(Kx::TAlignment value)
{
    alignmentSetting = value;
    setAlignment(Kx::toQtAlignment(value));
}

void TIntegerEdit::keyPressEvent(QKeyEvent *event)
{
    if (!filterKey(event, *this, rule))
        QLineEdit::keyPressEvent(event);
}

void TIntegerEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    selectAll();
}

TIntegerComboBox::TIntegerComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->installEventFilter(this);
    NumberText::guardPaste(lineEdit(), [this](const QString &text) { return rule.acceptsPasted(text); });
    setEditText(QStringLiteral("0"));
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!isLoading())
            emit OnChange();
    });
}

int TIntegerComboBox::value()
{
    return rule.valueOf(currentText(), [this](const QString &clamped) { setEditText(clamped); });
}

void TIntegerComboBox::setValue(int value)
{
    setEditText(rule.textOf(value));
}

void TIntegerComboBox::setMin(int value)
{
    if (rule.setMin(value))
        setValue(this->value());
}

void TIntegerComboBox::setMax(int value)
{
    if (rule.setMax(value))
        setValue(this->value());
}

void TIntegerComboBox::setZeroEmpty(bool value)
{
    rule.zeroEmpty = value;
    setValue(this->value());
}

QStringList TIntegerComboBox::items() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result << itemText(i);
    return result;
}

void TIntegerComboBox::setItems(const QStringList &values)
{
    const QString current = currentText();
    clear();
    addItems(values);
    setEditText(current);
}

bool TIntegerComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        return filterKey(static_cast<QKeyEvent *>(event), *lineEdit(), rule);
    return QComboBox::eventFilter(watched, event);
}

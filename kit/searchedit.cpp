#include "kit/searchedit.h"

#include <QKeyEvent>

TSearchEdit::TSearchEdit(QWidget *parent)
    : QLineEdit(parent)
{}

void TSearchEdit::setAlignmentValue(Kx::TAlignment value)
{
    alignmentSetting = value;
    setAlignment(Kx::toQtAlignment(value));
}

bool TSearchEdit::accepts(TSearchEditStyle style, QChar c)
{
    // Letters are any alphabet's letters, so the Czech accented ones pass.
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    switch (style) {
    case sesOnlyAlfabetic:
        return c.isLetter();
    case sesOnlyNumeric:
        return digit;
    case sesAlfaNumeric:
        return digit || c.isLetter();
    case sesAll:
        break;
    }
    return true;
}

void TSearchEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        selectAll();
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (printable && event->key() != Qt::Key_Backspace) {
        for (QChar c : typed) {
            if (!accepts(styleSetting, c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TSearchEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    selectAll();
}

#pragma once
// A plain text memo whose lines the form storage keeps ("Memo.Lines").
#include <QPlainTextEdit>
#include <QStringList>

class TLinesMemo : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
public:
    using QPlainTextEdit::QPlainTextEdit;
    QStringList Lines() const { return toPlainText().split(u'\n'); }
    void SetLines(const QStringList &lines) { setPlainText(lines.join(u'\n')); }
};

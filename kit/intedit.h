#pragma once
// Edits for whole numbers that refuse every key whose result would leave the
// range: an edit, and a combo box whose list offers preset values. Reading
// Value clamps it to Min..Max (Max 0: no upper bound) and writes the clamped
// value back into the text.
#include "kit/kxtypes.h"

#include <QComboBox>
#include <QLineEdit>

#include <functional>

namespace NumberText {
struct KeyCandidate;
}

// The range and key rules that both integer controls share.
class IntegerRule
{
public:
    int min = 0;
    int max = 0;
    bool zeroEmpty = false;

    // The value of the text, clamped; a clamped value is also written back.
    int valueOf(const QString &text, const std::function<void(const QString &)> &writeBack) const;
    QString textOf(int value) const;
    // Whether the key may change the text as it would.
    bool accepts(const NumberText::KeyCandidate &key) const;
    // Whether pasting may leave this text: digits only, within the range.
    bool acceptsPasted(const QString &candidate) const;
    // A minimum above the maximum, or a maximum below the minimum, is ignored
    // (forms therefore give Max before Min); true when the range changed.
    bool setMin(int value);
    bool setMax(int value);
};

class TIntegerEdit : public QLineEdit, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue STORED false)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(bool ZeroEmpty READ zeroEmpty WRITE setZeroEmpty)
    Q_PROPERTY(Kx::TAlignment Alignment READ alignmentValue WRITE setAlignmentValue)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY OnChange USER true)

public:
    explicit TIntegerEdit(QWidget *parent = nullptr);

    int value();
    void setValue(int value);
    int min() const { return rule.min; }
    void setMin(int value);
    int max() const { return rule.max; }
    void setMax(int value);
    bool zeroEmpty() const { return rule.zeroEmpty; }
    void setZeroEmpty(bool value);
    Kx::TAlignment alignmentValue() const { return alignmentSetting; }
    void setAlignmentValue(Kx::TAlignment value);

signals:
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    IntegerRule rule;
    Kx::TAlignment alignmentSetting = Kx::taLeftJustify;
};

class TIntegerComboBox : public QComboBox, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue STORED false)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(bool ZeroEmpty READ zeroEmpty WRITE setZeroEmpty)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(QString Text READ currentText WRITE setEditText NOTIFY OnChange USER true)

public:
    explicit TIntegerComboBox(QWidget *parent = nullptr);

    int value();
    void setValue(int value);
    int min() const { return rule.min; }
    void setMin(int value);
    int max() const { return rule.max; }
    void setMax(int value);
    bool zeroEmpty() const { return rule.zeroEmpty; }
    void setZeroEmpty(bool value);
    QStringList items() const;
    void setItems(const QStringList &values);

signals:
    void OnChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    IntegerRule rule;
};

#pragma once
// An edit for a decimal number with a fixed number of decimals (1 to 8),
// typed with a decimal comma. Like the integer edits it refuses keys whose
// result would leave Min..Max (Max 0: no upper bound), and reading Value
// clamps it and writes the clamped value back.
#include "kit/kxtypes.h"

#include <QLineEdit>

class TRealEdit : public QLineEdit, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(double Value READ value WRITE setValue STORED false)
    Q_PROPERTY(double Max READ max WRITE setMax)
    Q_PROPERTY(double Min READ min WRITE setMin)
    Q_PROPERTY(int DecimalPlaces READ decimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(bool ZeroEmpty READ zeroEmpty WRITE setZeroEmpty)
    Q_PROPERTY(Kx::TAlignment Alignment READ alignmentValue WRITE setAlignmentValue)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY OnChange USER true)

public:
    explicit TRealEdit(QWidget *parent = nullptr);

    double value();
    void setValue(double value);
    double min() const { return minValue; }
    void setMin(double value);
    double max() const { return maxValue; }
    void setMax(double value);
    int decimalPlaces() const { return decimals; }
    void setDecimalPlaces(int value);
    bool zeroEmpty() const { return zeroEmptyFlag; }
    void setZeroEmpty(bool value);
    Kx::TAlignment alignmentValue() const { return alignmentSetting; }
    void setAlignmentValue(Kx::TAlignment value);

signals:
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool accepts(const QString &candidate, int kind) const;

    double minValue = 0;
    double maxValue = 0;
    int decimals = 2;
    bool zeroEmptyFlag = false;
    Kx::TAlignment alignmentSetting = Kx::taLeftJustify;
};

#pragma once
// The quick-search field: a plain edit that filters typed characters by
// style and selects its whole text on Enter and on a click.
#include "kit/kxtypes.h"

#include <QLineEdit>

class TSearchEdit : public QLineEdit, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(Kx::TAlignment Alignment READ alignmentValue WRITE setAlignmentValue)
    Q_PROPERTY(TSearchEditStyle SearchEditStyle READ searchEditStyle WRITE setSearchEditStyle)

public:
    enum TSearchEditStyle { sesAll, sesOnlyAlfabetic, sesOnlyNumeric, sesAlfaNumeric };
    Q_ENUM(TSearchEditStyle)

    explicit TSearchEdit(QWidget *parent = nullptr);

    Kx::TAlignment alignmentValue() const { return alignmentSetting; }
    void setAlignmentValue(Kx::TAlignment value);
    TSearchEditStyle searchEditStyle() const { return styleSetting; }
    void setSearchEditStyle(TSearchEditStyle value) { styleSetting = value; }

    // Whether a typed character gets through the style's filter.
    static bool accepts(TSearchEditStyle style, QChar c);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Kx::TAlignment alignmentSetting = Kx::taLeftJustify;
    TSearchEditStyle styleSetting = sesAll;
};

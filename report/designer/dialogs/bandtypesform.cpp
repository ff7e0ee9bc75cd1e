#include "report/designer/dialogs/bandtypesform.h"

#include "report/designer/dialogs/dialogparts.h"

#include "report/vlbandview.h"
#include "report/vldialogbuttons.h"
#include "report/vlpage.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

bool TvlBandTypesForm::Repeatable(int type)
{
    return (type >= btMasterHeader && type <= btSubDetailFooter) || type == btGroupHeader || type == btGroupFooter;
}

QList<bool> TvlBandTypesForm::Selectable(const QList<bool> &exists)
{
    QList<bool> result;
    for (int type = 0; type < btCount; ++type)
        result << (Repeatable(type) || !exists.value(type));
    return result;
}

QList<bool> TvlBandTypesForm::TypesOnPage(const TvlPage &page)
{
    QList<bool> exists(btCount, false);
    for (const auto &object : page.Objects)
        if (const auto *band = dynamic_cast<const TvlBandView *>(object.get()))
            if (band->GetBandType() >= 0 && band->GetBandType() < btCount)
                exists[band->GetBandType()] = true;
    return exists;
}

TvlBandTypesForm::TvlBandTypesForm(const QList<bool> &exists, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlBandTypesForm");
    setWindowTitle("Vložit nový band");
    GB1 = dialogparts::groupBox(this, "GB1", "Typ bandu");
    const QList<bool> selectable = Selectable(exists);
    int widest = 0;
    for (int type = 0; type < btCount; ++type) {
        auto *button = new QRadioButton(vlBandName(type), GB1);
        button->setObjectName(QStringLiteral("RB%1").arg(type));
        button->setProperty("Tag", type);
        button->setEnabled(selectable.at(type));
        widest = std::max(widest, button->sizeHint().width());
        connect(button, &QRadioButton::clicked, this, [this, type] { m_type = type; });
        Buttons << button;
    }
    // Types 0 to 10 in the first column, 11 to 20 in the second.
    const int second = std::max(130, 8 + widest + 12);
    for (int type = 0; type < btCount; ++type) {
        const int row = type <= 10 ? type : type - 11;
        Buttons[type]->move(type <= 10 ? 8 : second, 20 + 20 * row);
        Buttons[type]->resize(Buttons[type]->sizeHint());
    }
    GB1->setMinimumSize(second + widest + 12, 20 + 20 * 11 + 8);
    for (int type = 0; type < btCount; ++type)
        if (selectable.at(type)) {
            Buttons[type]->setChecked(true);
            m_type = type;
            break;
        }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GB1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
}

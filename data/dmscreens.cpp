#include "data/dmscreens.h"

namespace {
TDMScreens *g_screens = nullptr;
}

QString SummaryLabelName(TSummaryLabel label)
{
    switch (label) {
    case TSummaryLabel::Sklad:
        return QStringLiteral("Label_Sklad_");
    case TSummaryLabel::ProdejStatus:
        return QStringLiteral("Label_Prodej_Status_");
    case TSummaryLabel::Doklady:
        return QStringLiteral("Label_Doklady_");
    case TSummaryLabel::Prodeje:
        return QStringLiteral("Label_Prodeje_");
    case TSummaryLabel::Zisk:
        return QStringLiteral("Label_Zisk_");
    case TSummaryLabel::Pokladna:
        return QStringLiteral("Label_Pokladna_");
    }
    return QString();
}

TDMScreens *DataModuleScreens()
{
    return g_screens;
}

TDMScreens *SetDataModuleScreens(TDMScreens *screens)
{
    TDMScreens *previous = g_screens;
    g_screens = screens;
    return previous;
}

// The preview screen the data module prints documents and overviews
// through. See actions_common.cpp for how a screen is wired in.
#include "app/main/nahledpreview.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingPrintingScreens() const
{
    return {};
}

std::unique_ptr<TDMPreview> TForm_Tarmil::CreatePreview()
{
    return std::make_unique<NahledPreview>(this);
}

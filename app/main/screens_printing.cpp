// The preview screen the data module prints documents and overviews
// through. See actions_common.cpp for how a screen is wired in.
#include "app/main/tarmilform.h"

#include <QAction>

namespace {

// Until the preview screen exists nothing is printed.
class NoPreview : public TDMPreview
{
public:
    void PrintDocument(int, int, const QString &, bool, bool) override {}
    void ShowItemOverview() override {}
    void ShowDocumentOverview() override {}
};

} // namespace

QList<QAction *> TForm_Tarmil::PendingPrintingScreens() const
{
    return {Action_PolozkaTisk, Action_DokladTisk, Action_DokladPokladni, Action_DokladPrehled};
}

std::unique_ptr<TDMPreview> TForm_Tarmil::CreatePreview()
{
    return std::make_unique<NoPreview>(); // the preview screen (Form_Nahled) is created here
}

// The preview screen the data module prints documents and overviews
// through. See actions_common.cpp for how a screen is wired in.
#include "app/main/tarmilform.h"
#include "app/print/nahled.h"

#include <QAction>

namespace {

// One print: the preview screen over the window's document, line and item
// rows, freed when the print is done.
class NahledPreview : public TDMPreview
{
public:
    explicit NahledPreview(TForm_Tarmil *window)
        : m_form(window->DataSource_Doklad, window->DataSource_DokladDetail, window->DataSource_Polozka, window)
    {}
    void PrintDocument(int operation, int voucher, const QString &note, bool secondCopy, bool preview) override
    {
        m_form.PrintDocument(operation, voucher, note, secondCopy, preview);
    }
    void ShowItemOverview() override { m_form.ShowItemOverview(); }
    void ShowDocumentOverview() override { m_form.ShowDocumentOverview(); }

private:
    TForm_Nahled m_form;
};

} // namespace

QList<QAction *> TForm_Tarmil::PendingPrintingScreens() const
{
    return {};
}

std::unique_ptr<TDMPreview> TForm_Tarmil::CreatePreview()
{
    return std::make_unique<NahledPreview>(this);
}

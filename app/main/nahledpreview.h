#pragma once
// One print: the preview screen over the main window's document, line and
// item rows, freed when the print is done. An output file, when named, takes
// the prints instead of the printer.
#include "app/main/tarmilform.h"
#include "app/print/nahled.h"

class NahledPreview : public TDMPreview
{
public:
    explicit NahledPreview(TForm_Tarmil *window, const QString &outputFile = {})
        : m_form(window->DataSource_Doklad, window->DataSource_DokladDetail, window->DataSource_Polozka, window)
    {
        if (!outputFile.isEmpty())
            m_form.SetOutputFile(outputFile);
    }
    void PrintDocument(int operation, int voucher, const QString &note, bool secondCopy, bool preview) override
    {
        m_form.PrintDocument(operation, voucher, note, secondCopy, preview);
    }
    void ShowItemOverview() override { m_form.ShowItemOverview(); }
    void ShowDocumentOverview() override { m_form.ShowDocumentOverview(); }

private:
    TForm_Nahled m_form;
};

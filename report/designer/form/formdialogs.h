#pragma once
// The designer form's own questions and windows, behind one interface so
// that tests answer them: the save-changes and delete-page questions, the
// save dialog with its three file kinds, the about window. The other
// dialogs are the designer dialogs' (TvlDialogAnswers).
#include <QString>

class QWidget;

class TvlFormDialogs
{
public:
    enum Answer { Yes, No, Cancel };

    virtual ~TvlFormDialogs() = default;
    // A question with the caption "Pokračovat"; Yes/No/Cancel or Yes/No.
    virtual Answer Ask(QWidget *parent, const QString &text, bool withCancel) = 0;
    // filter as "Text (*.x)|*.x|..."; filterIndex 1-based in and out; empty
    // when cancelled.
    virtual QString SaveFileName(QWidget *parent, const QString &filter, const QString &fileName, int &filterIndex) = 0;
    virtual void About(QWidget *parent) = 0;
};

// The real windows.
class TvlStandardFormDialogs : public TvlFormDialogs
{
public:
    Answer Ask(QWidget *parent, const QString &text, bool withCancel) override;
    QString SaveFileName(QWidget *parent, const QString &filter, const QString &fileName, int &filterIndex) override;
    void About(QWidget *parent) override;
};

#pragma once
// A designer form with scripted dialogs and a registry file of its own, on a
// report of one page.
#include "common/scripted_messages.h"
#include "platform/registry.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/form/designerform.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/vlmemoview.h"
#include "report/vlregistry.h"

#include <QApplication>
#include <QList>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

class ScriptedFormDialogs : public TvlFormDialogs
{
public:
    QList<Answer> answers;
    QStringList asked;
    // The next save dialog's answer ("" cancels) and its filter.
    QList<QString> fileNames;
    QList<int> filterIndexes;
    int saveDialogs = 0;

    Answer Ask(QWidget *, const QString &text, bool) override
    {
        asked << text;
        EXPECT_FALSE(answers.isEmpty()) << "unexpected question " << text.toStdString();
        return answers.isEmpty() ? Cancel : answers.takeFirst();
    }
    QString SaveFileName(QWidget *, const QString &, const QString &, int &filterIndex) override
    {
        ++saveDialogs;
        if (!filterIndexes.isEmpty())
            filterIndex = filterIndexes.takeFirst();
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    void About(QWidget *) override {}
};

// The designer dialogs, answered.
class ScriptedDialogAnswers : public TvlDialogAnswers
{
public:
    QList<QString> openNames;
    QString template_;
    bool descriptionConfirmed = true;
    std::function<bool(TvlPageSetup &)> pageOptions = [](TvlPageSetup &) { return false; };
    int templateDialogs = 0, openDialogs = 0;
    QString openFolder; // where the last open dialog started

    QString OpenFile(const QString &, QWidget *, const QString &folder) override
    {
        ++openDialogs;
        openFolder = folder;
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString Template(const QString &, QWidget *) override
    {
        ++templateDialogs;
        return template_;
    }
    bool NewTemplate(QStringList &description, QImage &, QWidget *) override
    {
        description = QStringList{"Faktura"};
        return descriptionConfirmed;
    }
    bool PageOptions(TvlPageSetup &options, QWidget *) override { return pageOptions(options); }
    int bandType = -1;
    int BandType(const QList<bool> &, QWidget *) override { return bandType; }
    // The memo editor's answer: the text typed, or nothing to cancel.
    QString memoText;
    int MemoEditor(TvlEditorForm &form) override
    {
        if (memoText.isEmpty())
            return QDialog::Rejected;
        form.M1->setPlainText(memoText);
        return QDialog::Accepted;
    }
};

class DesignerFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TvlDesignerForm>();
        form->SetDialogs(&dialogs);
        vlSetDialogAnswers(&answers);
        form->SetRegistryFile(dir.filePath("registry.ini"));
        report.Pages.Add();
    }
    void TearDown() override
    {
        vlSetDialogAnswers(nullptr);
        TemplateDir.clear();
        ClipboardList.clear();
    }
    // A memo on the current page.
    TvlView *AddMemo(const QString &name, int left = 20, int top = 20)
    {
        auto view = vlCreateView(otMemo);
        view->Name = name;
        view->SetBounds(left, top, 100, 18);
        view->Memo = QStringList{"Text " + name};
        return report.Pages[0]->Add(std::move(view));
    }
    // A bold memo of the family and size, its form shown and the memo clicked.
    TvlMemoView *SelectedBoldMemo(const QString &family, int size)
    {
        auto *memo = static_cast<TvlMemoView *>(AddMemo("Nadpis", 40, 40));
        memo->FontName = family;
        memo->FontSize = size;
        memo->FontStyle = fsBold;
        form->FormShow(report);
        form->show();
        QApplication::processEvents();
        QTest::mouseClick(form->PageView(), Qt::LeftButton, {}, QPoint(60, 48));
        return memo;
    }
    QString Path(const QString &name) const { return dir.filePath(name); }
    // New objects stay closed: the designer's setting in its registry.
    void NoEditAfterInsert()
    {
        Registry registry(Path("registry.ini"));
        TvlDesignerSettings settings;
        settings.EditAfterInsert = false;
        settings.Save(registry, "vlDesignerForm");
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    ScriptedFormDialogs dialogs;
    ScriptedDialogAnswers answers;
    TvlReport report;
    std::unique_ptr<TvlDesignerForm> form;
};

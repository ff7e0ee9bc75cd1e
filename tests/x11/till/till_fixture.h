#pragma once
// The main window at the real keyboard: the program's own window with its
// real screens and message windows over a database of the test's own, shown
// at the default width on the private display. Printing is recorded.
#include "app/common/windowmessages.h"
#include "app/main/tarmilform.h"
#include "app/sale/sale_fixture.h"
#include "app/start/appglobals.h"
#include "x11/harness/x11harness.h"

#include <QApplication>

class TillWindow : public TForm_Tarmil
{
public:
    explicit TillWindow(RecordingScreens &screens)
        : m_screens(screens)
    {}
    bool PreviewBeforePrint() const override { return false; }
    std::unique_ptr<TDMPreview> CreatePreview() override { return m_screens.CreatePreview(); }
    bool BackupOnExit(QString &) const override { return false; }
    void WriteLogLine(const QString &) override {}
    TFlagSettings FlagSettings() const override { return {}; }

private:
    RecordingScreens &m_screens;
};

class TillTest : public SaleScreenTest
{
protected:
    void SetUp() override
    {
        SaleScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        SetAppGlobals();
        LoginUzivatel = QStringLiteral("tester");
        LoginServer = server;
        previousMessages = SetMessageService(&windowMessages);
    }
    void TearDown() override
    {
        window.reset();
        SetMessageService(previousMessages);
        SaleScreenTest::TearDown();
    }
    // The window at the program's default size, on the page.
    void showWindow(int page)
    {
        window = std::make_unique<TillWindow>(screens);
        window->resize(1024, 740);
        window->move(0, 0);
        window->show();
        window->MenuItem_PageClick(page);
    }
    // A widget of the window by its name (from the driver's steps too).
    template <typename W = QWidget>
    W *named(const char *name)
    {
        return X11::OnGui([&] { return window->findChild<W *>(QString::fromLatin1(name)); });
    }
    // Where a grid shows the row whose first column reads the text.
    QPoint rowPoint(TKxDBGrid *grid, const QString &text)
    {
        return X11::OnGui([&] {
            QAbstractItemModel *model = grid->model();
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->index(row, 0).data().toString() == text)
                    return grid->viewport()->mapToGlobal(grid->visualRect(model->index(row, 1)).center());
            return QPoint();
        });
    }
    QString focusName()
    {
        return X11::OnGui([] {
            QWidget *focus = QApplication::focusWidget();
            return focus ? focus->objectName() : QString();
        });
    }

    std::unique_ptr<TillWindow> window;
    WindowMessageService windowMessages;
    MessageService *previousMessages = nullptr;
};

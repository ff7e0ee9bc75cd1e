#include "kit/formstorage.h"
#include "kit/storagefixtures.h"
#include "kit/windowplacement.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WindowPlacementTest : public ::testing::Test, public IniFixture
{
protected:
    TFormPlacement *placeOn(QWidget *form, const QString &section)
    {
        auto *placement = new TFormPlacement(form);
        placement->SetIniFileName(path());
        placement->SetIniSection(section);
        return placement;
    }
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static QByteArray dpi() { return QByteArray::number(ScreenPixelsPerInch()); }
};

} // namespace

TEST_F(WindowPlacementTest, PositionKeysAreWrittenWithAndWithoutTheScreenSize)
{
    TForm_Test form;
    TFormPlacement *placement = placeOn(&form, "Tarmil");
    form.setGeometry(10, 20, 400, 300);
    form.show();
    form.setGeometry(10, 20, 400, 300);
    ASSERT_TRUE(form.close());
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QByteArray suffix =
        "(" + QByteArray::number(screen.width()) + "x" + QByteArray::number(screen.height()) + ")";
    EXPECT_EQ(ScreenResolutionSuffix().toLatin1(), suffix);
    EXPECT_EQ(content(), "[Tarmil]\n"
                         "FormVersion=0\n"
                         "Flags=0\n"
                         "ShowCmd=1\n"
                         "PixelsPerInch=" +
                             dpi() +
                             "\n"
                             "MinMaxPos" +
                             suffix +
                             "=-1,-1,-1,-1\n"
                             "MinMaxPos=-1,-1,-1,-1\n"
                             "NormPos" +
                             suffix +
                             "=10,20,410,320\n"
                             "NormPos=10,20,410,320\n"
                             "Visible=0\n");
    EXPECT_TRUE(placement->Saved());
}

TEST_F(WindowPlacementTest, RestoreAppliesThePlainKeyOnAnotherScreenSizeAndStaysVisible)
{
    put("[Tarmil]\nPixelsPerInch=" + dpi() + "\nNormPos(1x1)=1,1,2,2\nNormPos=30,40,330,240\nShowCmd=1\n");
    TForm_Test form;
    placeOn(&form, "Tarmil");
    form.show();
    EXPECT_EQ(form.geometry(), QRect(30, 40, 300, 200));
    form.hide();

    // Far off every screen, and larger than the screen: pulled back inside.
    put("[Tarmil]\nPixelsPerInch=" + dpi() + "\nNormPos=5000,5000,9000,9000\n");
    form.show();
    EXPECT_TRUE(available().contains(form.frameGeometry()));
    form.hide();

    put("[Tarmil]\nPixelsPerInch=" + dpi() + "\nNormPos=-900,10,-700,110\n");
    form.show();
    EXPECT_EQ(form.frameGeometry().left(), available().left());
    EXPECT_EQ(form.geometry().size(), QSize(200, 100));
}

TEST_F(WindowPlacementTest, OtherPixelsPerInchRestoreTheStateOnly)
{
    put("[Tarmil]\nPixelsPerInch=" + QByteArray::number(ScreenPixelsPerInch() + 24) +
        "\nNormPos=30,40,330,240\nShowCmd=3\n");
    TForm_Test form;
    SetApplicationMainForm(&form);
    form.setGeometry(50, 60, 200, 100);
    placeOn(&form, "Tarmil");
    form.show();
    EXPECT_EQ(form.geometry().size(), QSize(200, 100));
    EXPECT_FALSE(form.isMaximized()); // maximizing is posted
    QApplication::processEvents();
    EXPECT_TRUE(form.isMaximized());
    SetApplicationMainForm(nullptr);
}

TEST_F(WindowPlacementTest, AStoredMinimizedStateMinimizesTheMainWindowOnceItIsUp)
{
    put("[Tarmil]\nShowCmd=2\n[Other]\nShowCmd=6\n");
    TForm_Test main, other;
    SetApplicationMainForm(&main);
    placeOn(&main, "Tarmil");
    placeOn(&other, "Other");
    main.show();
    EXPECT_FALSE(main.isMinimized());
    QApplication::processEvents();
    EXPECT_TRUE(main.isMinimized());
    other.show();
    EXPECT_TRUE(other.isMinimized()); // any other form takes the state at once
    SetApplicationMainForm(nullptr);
}

TEST_F(WindowPlacementTest, FixedSizeFormsGetTheirPositionButKeepTheirSize)
{
    put("[Dlg]\nPixelsPerInch=" + dpi() + "\nNormPos=30,40,530,440\n");
    TForm_Test form;
    form.setFixedSize(250, 150);
    placeOn(&form, "Dlg");
    form.show();
    EXPECT_EQ(form.geometry(), QRect(30, 40, 250, 150));
}

TEST_F(WindowPlacementTest, DamagedPositionsAndStatesAreIgnored)
{
    put("[Tarmil]\nPixelsPerInch=abc\nNormPos=a,b\nShowCmd=77\nFlags=x\n");
    TForm_Test form;
    form.setGeometry(50, 60, 200, 100);
    placeOn(&form, "Tarmil");
    form.show();
    EXPECT_EQ(form.geometry(), QRect(50, 60, 200, 100));
    EXPECT_FALSE(form.isMaximized());
    EXPECT_FALSE(form.isMinimized());
}

TEST_F(WindowPlacementTest, DialogsEndedByTheirButtonsAreSaved)
{
    QDialog dialog;
    TFormPlacement *placement = placeOn(&dialog, "Database");
    int saves = 0;
    placement->OnSavePlacement = [&](TFormPlacement *) { ++saves; };
    dialog.show();
    dialog.accept();
    EXPECT_EQ(saves, 1);
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(saves, 2);
}

TEST_F(WindowPlacementTest, PreventResizeFixesTheSizeAndDropsTheMaximizeButton)
{
    TForm_Test form;
    form.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    form.resize(320, 200);
    TFormPlacement *placement = placeOn(&form, "Fixed");
    placement->Loaded();
    placement->SetPreventResize(true);
    EXPECT_EQ(form.minimumSize(), QSize(320, 200));
    EXPECT_EQ(form.maximumSize(), QSize(320, 200));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The form's own events still reach the placement while it is hooked.
    int restores = 0;
    placement->OnRestorePlacement = [&](TFormPlacement *) { ++restores; };
    form.show();
    EXPECT_EQ(restores, 1);
    form.resize(400, 300);
    EXPECT_EQ(form.size(), QSize(320, 200));
    placement->SetPreventResize(false);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_NE(form.minimumSize(), form.maximumSize());
    placement->MinMaxInfo()->SetMinTrackWidth(100);
    placement->MinMaxInfo()->SetMaxTrackHeight(500);
    EXPECT_EQ(form.minimumWidth(), 100);
    EXPECT_EQ(form.maximumHeight(), 500);
}

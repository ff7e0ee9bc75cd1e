// The designer at the real keyboard: the menus' keys act wherever the focus
// is in the designer window, the edit boxes keep the keys of their text.
#include "designer/form/designerform_fixture.h"
#include "report/designer/page/designerpage.h"
#include "report/vlbandview.h"
#include "report/vlregistry.h"
#include "report/vltoolbuttons.h"
#include "x11/harness/x11harness.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QWhatsThis>

namespace {

class DesignerKeys : public DesignerFormTest
{
protected:
    void SetUp() override
    {
        DesignerFormTest::SetUp();
        cena = AddMemo("Cena", 40, 40);
        kus = AddMemo("Kus", 40, 100);
    }
    // Runs the steps with the designer shown modally, as the engine shows it,
    // and closes it after them.
    void Drive(const std::function<void()> &steps)
    {
        // What an earlier test left queued for closing windows goes first.
        QCoreApplication::sendPostedEvents();
        X11::RunDriven(
            [&] {
                ASSERT_TRUE(X11::WaitForWindow(form.get()));
                steps();
                X11::OnGui([&] {
                    form->SetModified(false);
                    form->accept();
                });
            },
            [&] { form->ShowModal(report); });
    }
    // A click on the design page, in its own coordinates.
    void ClickPage(QPoint point) { X11::Input().Click(X11::ScreenPoint(form->PageView(), point)); }
    int Count()
    {
        return X11::OnGui([&] { return report.Pages[0]->Count(); });
    }
    int Selected()
    {
        return X11::OnGui([&] {
            int n = 0;
            for (const auto &view : report.Pages[0]->Objects)
                n += view->Selected;
            return n;
        });
    }
    QRect Bounds(const TvlView *view)
    {
        return X11::OnGui([&] { return QRect(view->Left, view->Top, view->Width, view->Height); });
    }

    TvlView *cena = nullptr;
    TvlView *kus = nullptr;
};

TEST_F(DesignerKeys, UndoRedoSelectAllAndTheClipboardFromTheKeyboard)
{
    Drive([&] {
        ClickPage({60, 48});
        ASSERT_TRUE(X11::WaitUntil([&] { return cena->Selected; }));
        const QRect before = Bounds(cena);
        X11::Input().Key("ctrl+Right");
        ASSERT_TRUE(X11::WaitUntil([&] { return Bounds(cena) != before; }));
        const QRect moved = Bounds(cena);
        X11::Input().Key("ctrl+z");
        EXPECT_TRUE(X11::WaitUntil([&] { return Bounds(cena) == before; })) << "Ctrl+Z";
        X11::Input().Key("ctrl+y");
        EXPECT_TRUE(X11::WaitUntil([&] { return Bounds(cena) == moved; })) << "Ctrl+Y";

        X11::Input().Key("ctrl+a");
        EXPECT_TRUE(X11::WaitUntil([&] { return Selected() == 2; })) << "Ctrl+A";
        X11::Input().Key("ctrl+c");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([] { return ClipboardList.size(); }) == 2; })) << "Ctrl+C";
        X11::Input().Key("ctrl+v");
        EXPECT_TRUE(X11::WaitUntil([&] { return Count() == 4; })) << "Ctrl+V";
        X11::Input().Key("ctrl+x");
        EXPECT_TRUE(X11::WaitUntil([&] { return Count() == 2; })) << "Ctrl+X";
    });
}

TEST_F(DesignerKeys, NewOpenSaveAndPreviewFromTheKeyboard)
{
    // A title band, so the preview has a page to show.
    auto band = vlCreateView(otBand);
    static_cast<TvlBandView *>(band.get())->SetBandType(btReportTitle);
    band->SetBounds(0, 30, 700, 100);
    report.Pages[0]->Objects.insert(report.Pages[0]->Objects.begin(), std::move(band));
    Drive([&] {
        X11::Input().Key("ctrl+s"); // untitled: the save-as dialog
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return dialogs.saveDialogs; }) == 1; })) << "Ctrl+S";
        X11::Input().Key("ctrl+o");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return answers.openDialogs; }) == 1; })) << "Ctrl+O";
        X11::Input().Key("ctrl+n");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return answers.templateDialogs; }) == 1; }))
            << "Ctrl+N";
        X11::Input().Key("ctrl+p");
        QWidget *preview = X11::WaitForModal("TvlPreviewForm");
        EXPECT_TRUE(preview) << "Ctrl+P";
        if (preview)
            X11::OnGui([&] { preview->close(); });
        EXPECT_TRUE(X11::WaitForWindow(form.get()));
    });
}

TEST_F(DesignerKeys, HelpKeysActAndTheBoxesKeepTheKeysOfTheirText)
{
    Drive([&] {
        X11::Input().Key("F1");
        EXPECT_TRUE(X11::WaitUntil([&] { return !X11::OnGui([&] { return form->LastHelpText(); }).isEmpty(); }))
            << "F1";
        X11::OnGui([] { QWhatsThis::hideText(); });
        auto *helpButton = static_cast<TvlSpeedButton *>(form->Control("HelpBtn"));
        X11::Input().Key("shift+F1");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return helpButton->Down(); }); })) << "Shift+F1";
        ClickPage({300, 300}); // ends the help mode
        EXPECT_TRUE(X11::WaitUntil([&] { return !X11::OnGui([&] { return helpButton->Down(); }); }));
        X11::OnGui([] { QWhatsThis::hideText(); });

        // In the frame width box Delete and Ctrl+A edit the text; saving
        // still works from there.
        ClickPage({60, 48});
        ASSERT_TRUE(X11::WaitUntil([&] { return cena->Selected; }));
        auto *width = qobject_cast<QLineEdit *>(form->Control("E1"));
        X11::Input().Click(X11::ScreenPoint(width));
        ASSERT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return width->hasFocus(); }); }));
        X11::Input().Key("ctrl+a");
        X11::Input().Key("Delete");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return width->text(); }).isEmpty(); }));
        X11::Settle();
        EXPECT_EQ(Count(), 2);
        EXPECT_EQ(Selected(), 1);
        X11::Input().Key("ctrl+s");
        EXPECT_TRUE(X11::WaitUntil([&] { return X11::OnGui([&] { return dialogs.saveDialogs; }) == 1; }))
            << "Ctrl+S in the box";
    });
}

} // namespace

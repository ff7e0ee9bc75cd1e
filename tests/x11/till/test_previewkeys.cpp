// The printing screen at the real keyboard: the pages take the keys as soon
// as it opens, without a click into them.
#include "app/main/nahledpreview.h"
#include "app/print/nahled.h"
#include "platform/paths.h"
#include "report/vlpreviewform.h"
#include "till_fixture.h"

#include <QScrollBar>

namespace {

class PreviewKeys : public TillTest
{};

} // namespace

TEST_F(PreviewKeys, PageDownMovesThroughThePagesFromTheStart)
{
    Paths::installProgramFiles();
    for (const char *mark : {"A1", "A2", "A3"})
        newItem(QString::fromLatin1(mark));
    dm->RefreshAll();
    showWindow(0);
    NahledPreview preview(window.get());
    QMetaObject::invokeMethod(
        window.get(), [&] { preview.ShowItemOverview(); }, Qt::QueuedConnection);
    X11::RunDriven([&] {
        auto *form = static_cast<TForm_Nahled *>(X11::WaitForModal("TForm_Nahled", 20000));
        ASSERT_TRUE(form) << "no printing screen";
        ASSERT_TRUE(X11::WaitForWindow(form));
        TvlPreviewForm *pages = X11::OnGui([&] { return form->vlPreview->Form(); });
        ASSERT_TRUE(X11::WaitUntil([&] { return pages->VScrollBar->maximum() > 0; })) << "the page fits the window";
        EXPECT_TRUE(X11::WaitUntil([&] { return QApplication::focusWidget() == pages->PBox; }))
            << qPrintable(X11::OnGui(
                   [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }));
        const int top = X11::OnGui([&] { return pages->VScrollBar->value(); });
        X11::Input().Key("Next");
        EXPECT_TRUE(X11::WaitUntil([&] { return pages->VScrollBar->value() > top; })) << "Page Down did nothing";
        X11::Input().Key("Escape");
        EXPECT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
    });
}

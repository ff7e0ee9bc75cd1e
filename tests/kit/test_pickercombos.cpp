#include "kit/colorcombo.h"
#include "kit/printercombo.h"
#include "platform/printers.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

FixedPrinterBackend::Printer printer(const QString &name, bool isDefault = false, bool remote = false)
{
    FixedPrinterBackend::Printer p;
    p.description.name = name;
    p.description.isDefault = isDefault;
    p.description.isRemote = remote;
    p.papers = {QPageSize(QPageSize::A4)};
    return p;
}

std::unique_ptr<PrinterBackend> backend(QList<FixedPrinterBackend::Printer> printers)
{
    return std::make_unique<FixedPrinterBackend>(std::move(printers));
}

// A colour box whose "other" entry answers without a dialog.
class ScriptedColorBox : public TColorComboBox
{
public:
    std::optional<TColor> answer;
    int asked = 0;

protected:
    std::optional<TColor> chooseOtherColor(TColor) override
    {
        ++asked;
        return answer;
    }
};

} // namespace

TEST(PrinterComboBox, ListsPrintersWithIconsAndSelectsTheDefault)
{
    ScopedPrinterBackend scoped(
        backend({printer("Pokladna"), printer("Kancelar", true), printer("Sklad", false, true)}));
    TPrinterComboBox box;
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(2), "Sklad");
    EXPECT_EQ(box.printerIndex(), 1);
    EXPECT_EQ(box.printerName(), "Kancelar");
    EXPECT_TRUE(box.printers()[2].IsNetwork);
    EXPECT_FALSE(box.printers()[0].IsNetwork);
    EXPECT_EQ(box.printers()[2].Icon, TPrinterComboBox::printerIcon(true, false));
    EXPECT_NE(box.printers()[0].Icon, box.printers()[2].Icon);

    QSignalSpy changes(&box, &TPrinterComboBox::OnChange);
    box.setIconSizeKind(TPrinterComboBox::tiLargeIcon);
    EXPECT_EQ(box.printers()[0].Icon.size(), QSize(32, 32));
    EXPECT_EQ(box.printerIndex(), 1);
    EXPECT_EQ(changes.count(), 1);
}

TEST(PrinterComboBox, EmptySpoolerListsNothing)
{
    ScopedPrinterBackend scoped(backend({}));
    TPrinterComboBox box;
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.printerIndex(), -1);
    EXPECT_EQ(box.printerName(), QString());
    box.setPrinterIndex(3);
    EXPECT_EQ(box.printerIndex(), -1);
}

TEST(PrinterComboBox, StoredNameWinsOverAMovedPosition)
{
    ScopedPrinterBackend scoped(backend({printer("Etikety"), printer("Faktury", true), printer("Pokladna")}));
    TPrinterComboBox box;
    QSignalSpy changes(&box, &TPrinterComboBox::OnChange);
    box.beginLoading();
    // Stored when "Pokladna" was the second printer; one was removed before it since.
    box.setPrinterIndex(1);
    box.setPrinterName("Pokladna");
    box.endLoading();
    EXPECT_EQ(box.printerIndex(), 2);
    EXPECT_EQ(changes.count(), 0) << "nothing fires while loading";

    box.setPrinterIndex(0);
    box.setPrinterName("Etikety");
    EXPECT_EQ(box.printerIndex(), 0) << "same printer at the same place";
    box.setPrinterName("Odinstalovana");
    EXPECT_EQ(box.printerIndex(), 1) << "a printer that is gone gives the default one";
    EXPECT_EQ(changes.count(), 2);
}

TEST(ColorComboBox, TableOptionsAndPositions)
{
    TColorComboBox box;
    EXPECT_EQ(box.count(), 16);
    EXPECT_EQ(box.colorValue(), clBlack);
    EXPECT_EQ(box.currentIndex(), 0);
    box.setOptions(TColorComboBox::coIncludeDefault | TColorComboBox::coIncludeNone | TColorComboBox::coIncludeOther);
    ASSERT_EQ(box.count(), 19);
    EXPECT_EQ(box.itemColor(16), clNone);
    EXPECT_EQ(box.itemColor(17), clDefault);
    EXPECT_EQ(box.itemText(18), QStringLiteral("Jiná..."));
    box.setAllColors(true);
    EXPECT_EQ(box.count(), 47);
    EXPECT_EQ(box.itemColor(16), TColor(0x80000000u));
    EXPECT_EQ(box.itemText(9), QStringLiteral("Červená"));

    box.setColorNames({"A", "", "C"});
    EXPECT_EQ(box.itemText(0), "A");
    EXPECT_EQ(box.itemText(1), "Maroon") << "an empty name falls back to the identifier";
    EXPECT_EQ(box.itemText(45), "Default");
}

TEST(ColorComboBox, ValueWithoutItemSelectsOtherNothingOrWritesTheText)
{
    TColorComboBox box;
    QSignalSpy changes(&box, &TColorComboBox::OnChange);
    box.setColorValue(clRed);
    EXPECT_EQ(box.currentIndex(), 9);
    EXPECT_EQ(changes.count(), 1);
    box.setColorValue(clRed);
    EXPECT_EQ(changes.count(), 1) << "no change, no event";

    box.setColorValue(0x123456);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.colorValue(), 0x123456);

    box.setOptions(TColorComboBox::coIncludeOther);
    EXPECT_EQ(box.currentIndex(), 16) << "the other entry holds the colour";
    EXPECT_EQ(box.itemColor(16), 0x123456);

    TColorComboBox editable;
    editable.setComboStyle(TOwnerDrawComboBox::csDropDown);
    editable.setColorValue(TColor(0x8000000F));
    EXPECT_EQ(editable.currentIndex(), -1) << "system colours are not in the short list";
    EXPECT_EQ(editable.currentText(), "BtnFace");
    editable.setEditText(QStringLiteral("Žlutá"));
    EXPECT_EQ(editable.colorValue(), 0x00FFFF);
    editable.setEditText("255");
    EXPECT_EQ(editable.colorValue(), 255);
}

TEST(ColorComboBox, OtherEntryAsksForAColour)
{
    ScriptedColorBox box;
    box.setOptions(TColorComboBox::coIncludeOther);
    box.setColorValue(clRed);
    QSignalSpy changes(&box, &TColorComboBox::OnChange);
    box.answer = 0x0A0B0C;
    box.setCurrentIndex(16);
    emit box.activated(16);
    EXPECT_EQ(box.asked, 1);
    EXPECT_EQ(box.colorValue(), 0x0A0B0C);
    EXPECT_EQ(changes.count(), 1);
    box.answer.reset();
    box.setCurrentIndex(16);
    emit box.activated(16);
    EXPECT_EQ(box.colorValue(), 0x0A0B0C) << "cancelled: the colour stays";
    box.setCurrentIndex(3);
    emit box.activated(3);
    EXPECT_EQ(box.colorValue(), 0x008080);
    EXPECT_EQ(changes.count(), 2);
}

TEST(ColorComboBox, SwatchFrameAndScreenColours)
{
    const QPalette palette;
    const QColor yellow = TColorComboBox::swatchColor(0x00FFFF, palette);
    EXPECT_EQ(yellow, QColor(255, 255, 0));
    EXPECT_EQ(TColorComboBox::swatchFrameColor(yellow, false), QColor(Qt::black));
    const QColor navy = TColorComboBox::swatchColor(0x800000, palette);
    EXPECT_EQ(navy, QColor(0, 0, 128));
    EXPECT_EQ(TColorComboBox::swatchFrameColor(navy, false), navy);
    EXPECT_EQ(TColorComboBox::swatchFrameColor(navy, true), QColor(Qt::white));
    EXPECT_EQ(TColorComboBox::swatchColor(TColor(0x8000000F), palette), palette.color(QPalette::Button));
    EXPECT_EQ(TColorComboBox::swatchColor(clDefault, palette), palette.color(QPalette::Base));
}

TEST(ColorComboBox, LoadingFiresNoChange)
{
    TColorComboBox box;
    QSignalSpy changes(&box, &TColorComboBox::OnChange);
    box.beginLoading();
    box.setColorValue(clRed);
    box.endLoading();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(box.currentIndex(), 9);
}

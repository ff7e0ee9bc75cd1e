// The sale dialog at the real keyboard: the keypad's "+" sells from every
// control and is never typed into one.
#include "app/common/modalresult.h"
#include "app/sale/prodat.h"
#include "app/sale/sale_fixture.h"
#include "kit/intedit.h"
#include "x11/harness/x11harness.h"

#include <QApplication>
#include <QLineEdit>

namespace {

class SaleDialogKeys : public SaleScreenTest
{};

TEST_F(SaleDialogKeys, KeypadPlusSellsFromEveryControl)
{
    // The dialog's first focus, then each control in turn; in the edits
    // something is typed first, which must stay as it was.
    const QStringList controls{QString(),
                               QStringLiteral("ComboBox_Doklad"),
                               QStringLiteral("ComboBox_Odberatel"),
                               QStringLiteral("Button_Odberatel"),
                               QStringLiteral("IntegerComboBox_Sleva"),
                               QStringLiteral("CheckBox_Tisk"),
                               QStringLiteral("CheckBox_Tisk_Kopie"),
                               QStringLiteral("CheckBox_Doklad"),
                               QStringLiteral("Edit_Poznamka"),
                               QStringLiteral("Button_Ok"),
                               QStringLiteral("Button_Storno")};
    X11::RunDriven([&] {
        for (const QString &name : controls) {
            SCOPED_TRACE("focus in " + (name.isEmpty() ? std::string("the first control") : name.toStdString()));
            auto *dialog = X11::OnGui([] {
                auto *created = new TForm_Prodat;
                created->show();
                return created;
            });
            ASSERT_TRUE(X11::WaitForWindow(dialog));
            if (!name.isEmpty()) {
                QWidget *control = X11::OnGui([&] { return dialog->findChild<QWidget *>(name); });
                ASSERT_TRUE(control);
                X11::OnGui([&] { control->setFocus(Qt::TabFocusReason); });
                ASSERT_TRUE(X11::WaitUntil([&] {
                    return QApplication::focusWidget() == control || control->isAncestorOf(QApplication::focusWidget());
                }));
            }
            if (name == QLatin1String("Edit_Poznamka"))
                X11::Input().Type(QStringLiteral("Zelí"));
            if (name == QLatin1String("IntegerComboBox_Sleva")) {
                X11::Input().Key("ctrl+a");
                X11::Input().Type(QStringLiteral("5"));
            }
            X11::Input().Key("KP_Add");
            EXPECT_TRUE(X11::WaitUntil([&] { return !dialog->isVisible() && dialog->result() == mrOk; }, 5000));
            EXPECT_EQ(X11::OnGui([&] { return dialog->Edit_Poznamka->text(); }),
                      name == QLatin1String("Edit_Poznamka") ? QStringLiteral("Zelí") : QString());
            EXPECT_EQ(X11::OnGui([&] { return dialog->IntegerComboBox_Sleva->currentText(); }),
                      name == QLatin1String("IntegerComboBox_Sleva") ? QStringLiteral("5") : QStringLiteral("0"));
            X11::OnGui([&] { delete dialog; });
        }
    });
}

} // namespace

// The search dialogs as the main window opens them: the grids' titles as
// the column choice and a typed character as the text.
#include "app/modal_helper.h"
#include "app/search/form_hledat.h"
#include "mainwindow_fixture.h"

#include <QComboBox>

TEST_F(MainWindowTest, SearchDialogsShowTheGridTitlesAndTheTypedCharacter)
{
    QStringList columns;
    QString text;
    WhenModal([&](QDialog *dialog) {
        auto *search = qobject_cast<TForm_Hledat *>(dialog);
        ASSERT_NE(search, nullptr);
        for (int i = 0; i < search->ComboBox_Prohledavat->count(); ++i)
            columns << search->ComboBox_Prohledavat->itemText(i);
        text = search->ComboBox_Hledat->currentText();
        dialog->reject();
    });
    window->TForm_Tarmil::ShowSearchDialog(false, QChar(u'š'));
    EXPECT_EQ(text, QStringLiteral("š"));
    EXPECT_EQ(columns.value(0), QStringLiteral("Vše"));
    EXPECT_TRUE(columns.contains(QStringLiteral("Označení"))) << qPrintable(columns.join(u'|'));
    EXPECT_TRUE(columns.contains(QStringLiteral("Položka (historie)"))) << qPrintable(columns.join(u'|'));

    columns.clear();
    WhenModal([&](QDialog *dialog) {
        auto *search = qobject_cast<TForm_Hledat *>(dialog);
        ASSERT_NE(search, nullptr);
        for (int i = 0; i < search->ComboBox_Prohledavat->count(); ++i)
            columns << search->ComboBox_Prohledavat->itemText(i);
        dialog->reject();
    });
    window->TForm_Tarmil::ShowSearchDialog(true, std::nullopt);
    EXPECT_EQ(columns.value(0), QStringLiteral("Vše"));
    EXPECT_GT(columns.size(), 10);
}

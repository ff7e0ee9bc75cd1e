// The search dialogs as the main window opens them: the grids' titles as
// the column choice (no ids, the first choice on the name and the document
// number) and a typed character as the text.
#include "app/modal_helper.h"
#include "app/search/form_hledat.h"
#include "mainwindow_fixture.h"

#include <QComboBox>
#include <QRegularExpression>

TEST_F(MainWindowTest, SearchDialogsShowTheGridTitlesAndTheTypedCharacter)
{
    QStringList columns;
    QString text;
    QString chosen;
    const QRegularExpression rawName(QStringLiteral("^[A-Z_]+$")); // a column name instead of a title
    WhenModal([&](QDialog *dialog) {
        auto *search = qobject_cast<TForm_Hledat *>(dialog);
        ASSERT_NE(search, nullptr);
        for (int i = 0; i < search->ComboBox_Prohledavat->count(); ++i)
            columns << search->ComboBox_Prohledavat->itemText(i);
        chosen = search->ComboBox_Prohledavat->currentText();
        text = search->ComboBox_Hledat->currentText();
        dialog->reject();
    });
    window->TForm_Tarmil::ShowSearchDialog(false, QChar(u'š'));
    EXPECT_EQ(text, QStringLiteral("š"));
    EXPECT_EQ(columns.value(0), QStringLiteral("Vše"));
    EXPECT_TRUE(columns.contains(QStringLiteral("Označení"))) << qPrintable(columns.join(u'|'));
    EXPECT_TRUE(columns.contains(QStringLiteral("Položka (historie)"))) << qPrintable(columns.join(u'|'));
    EXPECT_EQ(chosen, QStringLiteral("Položka"));
    EXPECT_TRUE(columns.filter(rawName).isEmpty()) << qPrintable(columns.join(u'|'));

    columns.clear();
    WhenModal([&](QDialog *dialog) {
        auto *search = qobject_cast<TForm_Hledat *>(dialog);
        ASSERT_NE(search, nullptr);
        for (int i = 0; i < search->ComboBox_Prohledavat->count(); ++i)
            columns << search->ComboBox_Prohledavat->itemText(i);
        chosen = search->ComboBox_Prohledavat->currentText();
        dialog->reject();
    });
    window->TForm_Tarmil::ShowSearchDialog(true, std::nullopt);
    EXPECT_EQ(columns.value(0), QStringLiteral("Vše"));
    EXPECT_GT(columns.size(), 10);
    EXPECT_EQ(chosen, QStringLiteral("Vytištěný doklad"));
    EXPECT_TRUE(columns.filter(rawName).isEmpty()) << qPrintable(columns.join(u'|'));
}

#include "app/start/frameworktexts.h"

#include <QApplication>
#include <QTranslator>
#include <gtest/gtest.h>

TEST(Startup, ApplicationObjectExists)
{
    ASSERT_NE(qApp, nullptr);
}

// The file dialogs and edit menus the program opens speak Czech too.
TEST(Startup, TheFrameworksOwnTextsAreCzech)
{
    // An earlier start-up in the same test program may have installed it already.
    const QString english = QStringLiteral("Look in:");
    QTranslator *texts = InstallFrameworkTexts(qApp);
    ASSERT_NE(texts, nullptr) << "the system's Czech translation of the framework is missing";
    const QString czech = QCoreApplication::translate("QFileDialog", "Look in:");
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    QCoreApplication::removeTranslator(texts);
    delete texts;
    EXPECT_NE(czech, english);
    EXPECT_EQ(cancel, QStringLiteral("Zrušit"));
}

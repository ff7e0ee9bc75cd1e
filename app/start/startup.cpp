#include "app/start/startup.h"

#include "app/main/tarmilform.h"
#include "app/search/form_hledat.h"
#include "app/settings/databaze.h"
#include "app/settings/nastaveni.h"
#include "app/settings/zaloha.h"
#include "app/start/appglobals.h"
#include "app/start/frameworktexts.h"
#include "app/start/loginloop.h"
#include "app/start/prihlaseni.h"
#include "app/start/secondcopy.h"
#include "app/start/startuplog.h"
#include "app/start/tarmilapplication.h"
#include "data/dm.h"
#include "kit/formstorage.h"
#include "platform/paths.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <cstdio>

// The one place that makes the main window.
QWidget *CreateMainWindow()
{
    return new TForm_Tarmil;
}

TForm_HledatPolozku *Form_HledatPolozku = nullptr;
TForm_HledatDoklad *Form_HledatDoklad = nullptr;

namespace {

// Frees the long-lived forms in the reverse order of their creation.
void freeForms(QWidget *mainWindow)
{
    delete Form_Prihlaseni;
    Form_Prihlaseni = nullptr;
    delete Form_HledatDoklad;
    Form_HledatDoklad = nullptr;
    delete Form_HledatPolozku;
    Form_HledatPolozku = nullptr;
    delete Form_Zaloha;
    Form_Zaloha = nullptr;
    delete Form_Nastaveni;
    Form_Nastaveni = nullptr;
    delete Form_Databaze;
    Form_Databaze = nullptr;
    delete DM;
    delete mainWindow;
    InitializationFree();
}

void createSettingsForms()
{
    InitializationLog(QStringLiteral("Start nastavení programu..."));
    Form_Nastaveni = new TForm_Nastaveni;
    Form_Nastaveni->FormStorage->FormPlacementRestore();
    SetShopSettings(Form_Nastaveni);
    Form_Zaloha = new TForm_Zaloha;
    Form_Zaloha->FormStorage->FormPlacementRestore();
    // They restore their own storage when shown.
    Form_HledatPolozku = new TForm_HledatPolozku(*DM);
    Form_HledatDoklad = new TForm_HledatDoklad(*DM);
    InitializationLogOk();
}

} // namespace

int RunTarmil(const StartupOptions &options)
{
    // Without the program's own application object an error leaving an event
    // handler would end the program: the smoke test of the program says so.
    if (options.smokeTest && !dynamic_cast<TarmilApplication *>(QCoreApplication::instance())) {
        std::fputs("Tarmil: the application object is not the program's own\n", stderr);
        return 1;
    }
    SetAppGlobals();
    InstallFrameworkTexts(qApp);
    Paths::installProgramFiles();

    SecondCopyGuard guard;
    if (!options.smokeTest && !SecondCopyMayStart(guard))
        return 0;

    InitializationCreate();
    InitializationShow();
    InitializationLog(QStringLiteral("Start programu ") + AppTitle + QStringLiteral("..."));

    // The main window comes first: the data module's detail lists take their
    // masters from it.
    QPointer<QWidget> mainWindow = options.createMainWindow ? options.createMainWindow() : CreateMainWindow();
    guard.onRaiseRequest = [mainWindow] { BringToFront(mainWindow); };
    new TDM(qApp);
    DM->FormStorage->FormPlacementRestore();
    InitializationLogOk();

    Form_Prihlaseni = new TForm_Prihlaseni;
    Form_Prihlaseni->FormStorage->FormPlacementRestore();

    if (!options.smokeTest) {
        LoginLoop loop(Form_Prihlaseni, options.arguments);
        if (!loop.run()) {
            freeForms(mainWindow);
            return 0;
        }
        Form_Prihlaseni->FormStorage->FormPlacementSave();
    }
    delete Form_Prihlaseni;
    Form_Prihlaseni = nullptr;

    createSettingsForms();
    InitializationClose();

    mainWindow->show();
    if (options.smokeTest)
        QTimer::singleShot(0, mainWindow, [mainWindow] { mainWindow->close(); });
    const int exitCode = QApplication::exec();
    freeForms(mainWindow);
    return exitCode;
}

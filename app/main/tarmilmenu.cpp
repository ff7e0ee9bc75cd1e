// The action list and the main menu.
#include "app/main/tarmilform.h"

#include "app/common/menubarkey.h"
#include "app/main/notebook.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void TForm_Tarmil::createActions()
{
    using Handler = void (TForm_Tarmil::*)();
    auto action = [this](QAction *&member, const char *name, const QString &caption, Handler handler,
                         const QKeySequence &key = {}) {
        member = new QAction(caption, this);
        member->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            member->setShortcut(key);
        member->setShortcutContext(Qt::WindowShortcut);
        connect(member, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        addAction(member); // the keys work while the menu bar is hidden too
        ActionList << member;
    };
    action(Action_VybratSklad, "Action_VybratSklad", QStringLiteral("Vybrat sklad..."),
           &TForm_Tarmil::Action_VybratSkladExecute);
    action(Action_Hledat, "Action_Hledat", QStringLiteral("Hledat..."), &TForm_Tarmil::Action_HledatExecute,
           QKeySequence(Qt::CTRL | Qt::Key_F));
    action(Action_VybratKategorii, "Action_VybratKategorii", QStringLiteral("Vybrat kategorii..."),
           &TForm_Tarmil::Action_VybratKategoriiExecute, QKeySequence(Qt::Key_F3));
    action(Action_Filtr, "Action_Filtr", QStringLiteral("Filtrovat..."), &TForm_Tarmil::Action_FiltrExecute,
           QKeySequence(Qt::Key_F4));
    action(Action_Obnovit, "Action_Obnovit", QStringLiteral("Obnovit"), &TForm_Tarmil::Action_ObnovitExecute,
           QKeySequence(Qt::Key_F5));
    action(Action_SQL, "Action_SQL", QStringLiteral("SQL..."), &TForm_Tarmil::Action_SQLExecute);
    action(Action_Pokladna_Historie, "Action_Pokladna_Historie", QStringLiteral("Historie..."),
           &TForm_Tarmil::Action_Pokladna_HistorieExecute);
    action(Action_Pokladna_Vklad_Vyber, "Action_Pokladna_Vklad_Vyber", QStringLiteral("Výběry a vklady..."),
           &TForm_Tarmil::Action_Pokladna_Vklad_VyberExecute);
    action(Action_PolozkaNova, "Action_PolozkaNova", QStringLiteral("Nová položka..."),
           &TForm_Tarmil::Action_PolozkaNovaExecute, QKeySequence(Qt::Key_F2));
    action(Action_PolozkaEditace, "Action_PolozkaEditace", QStringLiteral("Editace a doplnění položky..."),
           &TForm_Tarmil::Action_PolozkaEditaceExecute);
    action(Action_PolozkaOdebrat, "Action_PolozkaOdebrat", QStringLiteral("Odebrat položku..."),
           &TForm_Tarmil::Action_PolozkaOdebratExecute);
    action(Action_Import, "Action_Import", QStringLiteral("Import položek..."), &TForm_Tarmil::Action_ImportExecute);
    action(Action_PolozkaTisk, "Action_PolozkaTisk", QStringLiteral("Tisk..."),
           &TForm_Tarmil::Action_PolozkaTiskExecute);
    action(Action_ProdejPridat, "Action_ProdejPridat", QStringLiteral("Vybrat..."),
           &TForm_Tarmil::Action_ProdejPridatExecute);
    action(Action_ProdejEditovat, "Action_ProdejEditovat", QStringLiteral("Editovat..."),
           &TForm_Tarmil::Action_ProdejEditovatExecute);
    action(Action_ProdejOdebrat, "Action_ProdejOdebrat", QStringLiteral("Odebrat"),
           &TForm_Tarmil::Action_ProdejOdebratExecute);
    action(Action_ProdejProdat, "Action_ProdejProdat", QStringLiteral("Prodat..."),
           &TForm_Tarmil::Action_ProdejProdatExecute, QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    action(Action_DokladTisk, "Action_DokladTisk", QStringLiteral("Tisk dokladu..."),
           &TForm_Tarmil::Action_DokladTiskExecute);
    action(Action_DokladPokladni, "Action_DokladPokladni", QStringLiteral("Tisk přijmového pokladního dokladu..."),
           &TForm_Tarmil::Action_DokladPokladniExecute);
    action(Action_DokladStorno, "Action_DokladStorno", QStringLiteral("Storno dokladu..."),
           &TForm_Tarmil::Action_DokladStornoExecute);
    action(Action_DokladParovy, "Action_DokladParovy", QStringLiteral("Párový doklad"),
           &TForm_Tarmil::Action_DokladParovyExecute);
    action(Action_DokladPrehled, "Action_DokladPrehled", QStringLiteral("Tisk přehledu dokladů..."),
           &TForm_Tarmil::Action_DokladPrehledExecute);
    action(Action_DokladStatistiky, "Action_DokladStatistiky", QStringLiteral("Statistiky..."),
           &TForm_Tarmil::Action_DokladStatistikyExecute);
    action(Action_Obchod, "Action_Obchod", QStringLiteral("Obchod..."), &TForm_Tarmil::Action_ObchodExecute);
    action(Action_Sestavy, "Action_Sestavy", QStringLiteral("Tiskové sestavy..."),
           &TForm_Tarmil::Action_SestavyExecute);
    action(Action_OznaceniDokladu, "Action_OznaceniDokladu", QStringLiteral("Označení dokladů..."),
           &TForm_Tarmil::Action_OznaceniDokladuExecute);
    action(Action_Dph, "Action_Dph", QStringLiteral("DPH..."), &TForm_Tarmil::Action_DphExecute);
    action(Action_Jednotky, "Action_Jednotky", QStringLiteral("Jednotky..."), &TForm_Tarmil::Action_JednotkyExecute);
    action(Action_Sklady, "Action_Sklady", QStringLiteral("Sklady..."), &TForm_Tarmil::Action_SkladyExecute);
    action(Action_Kategorie, "Action_Kategorie", QStringLiteral("Kategorie..."),
           &TForm_Tarmil::Action_KategorieExecute);
    action(Action_Kontakty, "Action_Kontakty", QStringLiteral("Kontakty..."), &TForm_Tarmil::Action_KontaktyExecute);
    action(Action_Uzivatele, "Action_Uzivatele", QStringLiteral("Uživatelé..."),
           &TForm_Tarmil::Action_UzivateleExecute);
    action(Action_Zaloha, "Action_Zaloha", QStringLiteral("Zálohování..."), &TForm_Tarmil::Action_ZalohaExecute);
    action(Action_Databaze, "Action_Databaze", QStringLiteral("Údržba databáze..."),
           &TForm_Tarmil::Action_DatabazeExecute);
    action(Action_OProgramu, "Action_OProgramu", QStringLiteral("O programu..."),
           &TForm_Tarmil::Action_OProgramuExecute);
}

void TForm_Tarmil::createMenus()
{
    QMenuBar *bar = menuBar();
    new MenuBarKey(this);
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu *tarmil = bar->addMenu(QStringLiteral("Tarmil"));
    tarmil->setObjectName(QStringLiteral("Menu_Tarmil"));
    tarmil->addActions(
        {Action_VybratSklad, Action_Hledat, Action_VybratKategorii, Action_Filtr, Action_Obnovit, Action_SQL});
    QMenu *cash = tarmil->addMenu(QStringLiteral("Pokladna"));
    cash->setObjectName(QStringLiteral("Menu_Pokladna"));
    cash->addActions({Action_Pokladna_Historie, Action_Pokladna_Vklad_Vyber});
    tarmil->addSeparator();
    MenuItem_Konec = tarmil->addAction(QStringLiteral("Konec"));
    MenuItem_Konec->setObjectName(QStringLiteral("MenuItem_Konec"));
    MenuItem_Konec->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(MenuItem_Konec, &QAction::triggered, this, [this] { MenuItem_KonecClick(); });

    // The three page menus: opening one (or its key) shows its page.
    auto pageMenu = [&](QMenu *&menu, QAction *&key, const QString &caption, const char *name, Qt::Key shortcut,
                        int page) {
        menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        connect(menu, &QMenu::aboutToShow, this, [this, page] {
            if (Notebook->PageIndex() != page)
                MenuItem_PageClick(page);
        });
        key = new QAction(caption, this);
        key->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Key"));
        key->setShortcut(QKeySequence(shortcut));
        connect(key, &QAction::triggered, this, [this, page] { MenuItem_PageClick(page); });
        addAction(key);
    };
    pageMenu(Menu_Polozky, MenuItem_Polozky, QStringLiteral("Položky [F6]"), "MenuItem_Polozky", Qt::Key_F6, 0);
    Menu_Polozky->addActions(
        {Action_PolozkaNova, Action_PolozkaEditace, Action_PolozkaOdebrat, Action_Import, Action_PolozkaTisk});
    pageMenu(Menu_Prodej, MenuItem_Prodej, QStringLiteral("Prodej [F7]"), "MenuItem_Prodej", Qt::Key_F7, 1);
    Menu_Prodej->addActions({Action_ProdejPridat, Action_ProdejOdebrat, Action_ProdejProdat});
    pageMenu(Menu_Doklady, MenuItem_Doklady, QStringLiteral("Doklady [F8]"), "MenuItem_Doklady", Qt::Key_F8, 2);
    Menu_Doklady->addActions({Action_DokladTisk, Action_DokladPokladni, Action_DokladStorno, Action_DokladParovy,
                              Action_DokladPrehled, Action_DokladStatistiky});

    QMenu *settings = bar->addMenu(QStringLiteral("Nastavení"));
    settings->setObjectName(QStringLiteral("Menu_Nastaveni"));
    settings->addActions({Action_Obchod, Action_Sestavy, Action_OznaceniDokladu, Action_Dph, Action_Jednotky,
                          Action_Sklady, Action_Kategorie, Action_Kontakty, Action_Uzivatele, Action_Zaloha,
                          Action_Databaze});
    bar->addAction(Action_OProgramu);
}

void TForm_Tarmil::setShortcutPair(QAction *enter, QAction *del)
{
    clearShortcutPair();
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
    m_enterDelActions << enter;
    if (del) {
        del->setShortcut(QKeySequence(Qt::Key_Delete));
        m_enterDelActions << del;
    }
}

void TForm_Tarmil::clearShortcutPair()
{
    for (QAction *action : std::as_const(m_enterDelActions))
        action->setShortcuts({});
    m_enterDelActions.clear();
}

// A shop's day at the real keyboard and mouse, from the login to the cash
// book, through the program's own start-up over the test server. Only the
// printer differs: prints go into a PDF file, read back with pdftotext. The
// database is checked after every step.
#include "app/common/messagewindows.h"
#include "app/common/windowmessages.h"
#include "app/main/nahledpreview.h"
#include "app/main/notebook.h"
#include "app/main/tarmilform.h"
#include "app/print/nahled.h"
#include "app/sale/pokladna.h"
#include "app/start/startup.h"
#include "common/scripted_messages.h"
#include "kit/searchedit.h"
#include "x11/harness/x11harness.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <libpq-fe.h>

namespace {

class FilePrintingWindow : public TForm_Tarmil
{
public:
    explicit FilePrintingWindow(QString pdf)
        : m_pdf(std::move(pdf))
    {}
    std::unique_ptr<TDMPreview> CreatePreview() override { return std::make_unique<NahledPreview>(this, m_pdf); }

private:
    QString m_pdf;
};

class ShopDay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        database = QStringLiteral("t5day_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->bounded(1000000));
        qputenv("TARMIL5_HOME", home.path().toUtf8());
        qputenv("TARMIL5_DATABASE", database.toUtf8());
        pdf = QDir(home.path()).filePath(QStringLiteral("tisk.pdf"));
        previous = SetMessageService(&windows);
    }
    void TearDown() override
    {
        SetMessageService(previous);
        query(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(database));
        query(QStringLiteral("postgres"), QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(database));
        qunsetenv("TARMIL5_DATABASE");
        qunsetenv("TARMIL5_HOME");
    }

    // The first value of a query on a database of the server, through a session of its own.
    static QString query(const QString &db, const QString &statement)
    {
        const QByteArray name = db.toUtf8();
        const char *keys[] = {"dbname", nullptr};
        const char *values[] = {name.constData(), nullptr};
        PGconn *conn = PQconnectdbParams(keys, values, 1);
        QString value;
        if (PQstatus(conn) == CONNECTION_OK) {
            PGresult *result = PQexec(conn, statement.toUtf8().constData());
            if (PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) > 0 && !PQgetisnull(result, 0, 0))
                value = QString::fromUtf8(PQgetvalue(result, 0, 0));
            else if (PQresultStatus(result) != PGRES_TUPLES_OK && PQresultStatus(result) != PGRES_COMMAND_OK)
                value = QStringLiteral("error: ") + QString::fromUtf8(PQresultErrorMessage(result));
            PQclear(result);
        }
        PQfinish(conn);
        return value;
    }
    QString shop(const QString &statement) { return query(database, statement); }

    // Clicks into a control of a window and types the text over what it holds.
    static void fill(QWidget *window, const char *name, const QString &text)
    {
        QWidget *control = X11::OnGui([&] { return window->findChild<QWidget *>(QString::fromLatin1(name)); });
        ASSERT_TRUE(control) << name;
        X11::Input().Click(X11::ScreenPoint(control, X11::OnGui([&] { return QPoint(8, control->height() / 2); })));
        ASSERT_TRUE(X11::WaitUntil([&] {
            QWidget *focus = QApplication::focusWidget();
            return focus && (focus == control || control->isAncestorOf(focus));
        })) << name;
        X11::Input().Key("ctrl+a");
        X11::Input().Type(text);
    }
    static void click(QWidget *window, const char *name)
    {
        QWidget *control = X11::OnGui([&] { return window->findChild<QWidget *>(QString::fromLatin1(name)); });
        ASSERT_TRUE(control) << name;
        X11::Input().Click(X11::ScreenPoint(control));
    }
    // A menu item reached with the mouse, menu by menu.
    static void clickMenu(QWidget *from, QAction *menuAction)
    {
        const QPoint point = X11::OnGui([&] {
            if (auto *bar = qobject_cast<QMenuBar *>(from))
                return bar->mapToGlobal(bar->actionGeometry(menuAction).center());
            auto *menu = static_cast<QMenu *>(from);
            return menu->mapToGlobal(menu->actionGeometry(menuAction).center());
        });
        X11::Input().Click(point);
    }
    QString pdfText()
    {
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(reader.waitForFinished(30000));
        return QString::fromUtf8(reader.readAllStandardOutput());
    }
    // Waits for the printing screen, prints the document into the file and closes the screen.
    void printFromPreview()
    {
        QFile::remove(pdf);
        auto *preview = static_cast<TForm_Nahled *>(X11::WaitForModal("TForm_Nahled", 20000));
        ASSERT_TRUE(preview) << "no printing screen";
        X11::Input().Click(X11::ScreenPoint(preview->Button_Tisk));
        QWidget *printDialog = X11::WaitForModal("TForm_Tiskarna");
        ASSERT_TRUE(printDialog);
        X11::Input().Key("Return");
        ASSERT_TRUE(
            X11::WaitUntil([&] { return QFile::exists(pdf) && QApplication::activeModalWidget() == preview; }, 20000))
            << "no print";
        X11::Input().Click(X11::ScreenPoint(preview->Button_Zavrit));
        ASSERT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));
    }
    // A new item through the item card (F2).
    void newItemThroughTheCard(TForm_Tarmil *window, const QString &name, const QString &code, const char *vat,
                               const QString &price, const QString &quantity)
    {
        X11::OnGui([&] { window->KxDBGrid_Polozka->setFocus(); });
        X11::Input().Key("F2");
        QWidget *card = X11::WaitForModal("TForm_PolozkaNova");
        ASSERT_TRUE(card) << "no item card";
        fill(card, "Edit_Kod", code);
        fill(card, "Edit_Polozka", name);
        fill(card, "Edit_Specifikace", QStringLiteral("balení"));
        QWidget *vatBox = X11::OnGui([&] { return card->findChild<QWidget *>(QStringLiteral("ComboBox_DPH")); });
        X11::OnGui([&] { vatBox->setFocus(Qt::TabFocusReason); });
        ASSERT_TRUE(X11::WaitUntil([&] { return vatBox->hasFocus(); }));
        X11::Input().Type(QString::fromLatin1(vat));
        fill(card, "CurrencyEdit_Nakup", QStringLiteral("10"));
        fill(card, "CurrencyEdit_Prodej", price);
        fill(card, "CurrencyEdit_Mnozstvi", quantity);
        click(card, "Button_Ok");
        ASSERT_TRUE(X11::WaitUntil([&] { return QApplication::activeModalWidget() != card; })) << "the card stays open";
    }
    // Into the basket: the item's label in the search box, Enter, the quantity.
    void sellByLabel(TForm_Tarmil *window, const QString &label, const QString &quantity)
    {
        fill(window, "SearchEdit_Oznaceni", label);
        X11::Input().Key("Return");
        QWidget *line = X11::WaitForModal("TForm_Sleva_Mnozstvi");
        ASSERT_TRUE(line) << "no quantity for " << label.toStdString();
        fill(line, "CurrencyEdit_Mnozstvi", quantity);
        X11::Input().Key("Return");
        ASSERT_TRUE(X11::WaitUntil([&] { return QApplication::activeModalWidget() != line; }));
    }

    QTemporaryDir home;
    QString database;
    QString pdf;
    WindowMessageService windows;
    MessageService *previous = nullptr;
};

TEST_F(ShopDay, FromTheLoginToTheCashBook)
{
    StartupOptions options;
    FilePrintingWindow *window = nullptr;
    options.createMainWindow = [&] { return window = new FilePrintingWindow(pdf); };
    int exitCode = -1;
    X11::RunDriven(
        [&] {
            // ---- the login; the database is made on the way
            auto *login = X11::WaitForModal("TForm_Prihlaseni", 30000);
            ASSERT_TRUE(login) << "no login dialog";
            fill(login, "Edit_Uzivatel", qEnvironmentVariable("PGUSER"));
            fill(login, "Edit_Heslo", qEnvironmentVariable("PGPASSWORD"));
            fill(login, "ComboBox_Server", qEnvironmentVariable("TARMIL5_TEST_SERVER"));
            X11::Input().Key("Return");
            ASSERT_TRUE(X11::WaitUntil([&] { return window && window->isVisible(); }, 60000)) << "not logged in";
            ASSERT_TRUE(X11::WaitForWindow(window));
            EXPECT_EQ(shop(QStringLiteral("SELECT count(*) FROM tab_dph")), QStringLiteral("3"));

            // ---- two items with Czech names through the item card, at two VAT rates
            X11::Input().Key("F6");
            newItemThroughTheCard(window, QStringLiteral("Čaj zelený sypaný"), QStringLiteral("8594000000011"), "1",
                                  QStringLiteral("55,50"), QStringLiteral("20"));
            newItemThroughTheCard(window, QStringLiteral("Káva mletá"), QStringLiteral("8594000000028"), "2",
                                  QStringLiteral("120"), QStringLiteral("10"));
            EXPECT_EQ(shop(QStringLiteral("SELECT string_agg(POLOZKA || ' ' || PRODEJ::numeric(10,2) || ' ' || "
                                          "MNOZSTVI::float8 || ' ' || (SELECT DPH FROM tab_dph d WHERE "
                                          "d.ID_DPH=p.ID_DPH), '|' ORDER BY POLOZKA) FROM tab_polozka p")),
                      QStringLiteral("Čaj zelený sypaný 55.50 20 10|Káva mletá 120.00 10 20"));
            const QString tea = shop(QStringLiteral("SELECT OZNACENI FROM tab_polozka WHERE KOD='8594000000011'"));
            const QString coffee = shop(QStringLiteral("SELECT OZNACENI FROM tab_polozka WHERE KOD='8594000000028'"));

            // ---- the basket by search and Enter
            X11::Input().Key("F7");
            ASSERT_TRUE(X11::WaitUntil([&] { return window->Notebook->PageIndex() == 1; }));
            sellByLabel(window, tea, QStringLiteral("3"));
            sellByLabel(window, coffee, QStringLiteral("2"));
            EXPECT_EQ(shop(QStringLiteral("SELECT string_agg(p.POLOZKA || ' ' || b.MNOZSTVI::float8, '|' ORDER BY "
                                          "p.POLOZKA) FROM tab_prodej b JOIN tab_polozka p USING (ID_POLOZKA)")),
                      QStringLiteral("Čaj zelený sypaný 3|Káva mletá 2"));

            // ---- keypad plus twice: the sale dialog, then the sale; the receipt printed
            X11::OnGui([&] { window->KxDBGrid_Prodej->setFocus(); });
            X11::Input().Key("KP_Add");
            ASSERT_TRUE(X11::WaitForModal("TForm_Prodat")) << "no sale dialog";
            X11::Input().Key("KP_Add");
            printFromPreview();
            EXPECT_EQ(shop(QStringLiteral("SELECT count(*) FROM tab_prodej")), QStringLiteral("0"));
            EXPECT_EQ(shop(QStringLiteral("SELECT string_agg(MNOZSTVI::float8::text, '|' ORDER BY POLOZKA) FROM "
                                          "tab_polozka")),
                      QStringLiteral("17|8"));
            const QString receipt = pdfText();
            for (const char *expected : {"Čaj zelený sypaný", "Káva mletá", "55,50", "166,50", "120,00", "240,00",
                                         "151,36", "15,14", "200,00", "40,00", "406,50"})
                EXPECT_TRUE(receipt.contains(QString::fromUtf8(expected))) << expected << " not in\n"
                                                                           << receipt.toStdString();
            EXPECT_TRUE(receipt.contains(QRegularExpression(QStringLiteral("\\b3\\b")))) << receipt.toStdString();
            const QString cash = shop(QStringLiteral("SELECT STAV::numeric(10,2) FROM tab_pokladna ORDER BY "
                                                     "ID_POKLADNA DESC LIMIT 1"));
            EXPECT_TRUE(cash == QLatin1String("406.50") || cash == QLatin1String("407.00")) << cash.toStdString();

            // ---- cancellation from the document list
            X11::Input().Key("F8");
            ASSERT_TRUE(X11::WaitUntil([&] { return window->Notebook->PageIndex() == 2; }));
            X11::OnGui([&] { window->KxDBGrid_Doklad->setFocus(); });
            X11::Input().Key("Delete");
            auto *question = static_cast<TFormQuestion *>(X11::WaitForModal("TFormQuestion"));
            ASSERT_TRUE(question) << "no question before the cancellation";
            X11::Input().Click(X11::ScreenPoint(question->ButtonYes));
            printFromPreview();
            EXPECT_TRUE(pdfText().contains(QStringLiteral("Káva mletá")));
            EXPECT_EQ(shop(QStringLiteral("SELECT string_agg(MNOZSTVI::float8::text, '|' ORDER BY POLOZKA) FROM "
                                          "tab_polozka")),
                      QStringLiteral("20|10"));
            EXPECT_EQ(shop(QStringLiteral("SELECT STAV::numeric(10,2) FROM tab_pokladna ORDER BY ID_POKLADNA DESC "
                                          "LIMIT 1")),
                      QStringLiteral("0.00"));

            // ---- the cash book through the menus
            QMenuBar *bar = X11::OnGui([&] { return window->menuBar(); });
            QAction *tarmil = X11::OnGui([&] { return bar->actions().value(0); });
            clickMenu(bar, tarmil);
            ASSERT_TRUE(X11::WaitUntil([&] { return tarmil->menu()->isVisible(); }));
            QAction *cashMenu = X11::OnGui([&] {
                for (QAction *action : tarmil->menu()->actions())
                    if (action->menu() && action->text() == QLatin1String("Pokladna"))
                        return action;
                return static_cast<QAction *>(nullptr);
            });
            ASSERT_TRUE(cashMenu);
            clickMenu(tarmil->menu(), cashMenu);
            ASSERT_TRUE(X11::WaitUntil([&] { return cashMenu->menu()->isVisible(); }));
            clickMenu(cashMenu->menu(), window->Action_Pokladna_Historie);
            auto *history = static_cast<TForm_PokladnaHistorie *>(X11::WaitForModal("TForm_PokladnaHistorie"));
            ASSERT_TRUE(history) << "no cash book";
            EXPECT_EQ(X11::OnGui([&] { return history->KxDBGrid->model()->rowCount(); }), 2);
            X11::Screenshot(QStringLiteral("ShopDay-cash-book"));
            X11::Input().Key("Escape");
            ASSERT_TRUE(X11::WaitUntil([&] { return !QApplication::activeModalWidget(); }));

            // ---- the end of the day
            X11::Input().Key("alt+F4"); // the program's loop ends with it
        },
        [&] { exitCode = RunTarmil(options); });
    EXPECT_EQ(exitCode, 0);
}

} // namespace

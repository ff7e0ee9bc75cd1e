#pragma once
// The main window over a real database: each test gets its own database with
// the lists open, and a window whose screens answer from queues the test
// fills. Messages are scripted, printing is recorded.
#include "app/main/tarmilform.h"
#include "app/start/appglobals.h"
#include "data/dm_fixture.h"

#include <QQueue>

#include <memory>

class ScriptedTarmil : public TForm_Tarmil
{
public:
    explicit ScriptedTarmil(RecordingScreens &screens)
        : m_screens(screens)
    {}

    // Queued answers of the screens; an empty queue cancels.
    QQueue<TSaleChoice> sales;
    QQueue<std::pair<int, double>> lines; // discount, quantity
    QQueue<Currency> cashAmounts;
    QQueue<TDMItem> itemCards;
    QQueue<QString> stores;
    QQueue<int> categories;
    // What the screens were shown with.
    QStringList shown;
    QStringList log;
    TFlagSettings flags;
    bool preview = false;
    bool backup = false;
    QString backupFolder;
    int searchOpened = 0;
    bool searchDocuments = false;
    QString searchTyped;

    bool ShowSaleDialog(TSaleChoice &choice) override { return take(sales, choice, "sale"); }
    bool ShowDiscountQuantityDialog(int &discount, double &quantity) override
    {
        shown << QStringLiteral("line %1 %2").arg(discount).arg(quantity);
        if (lines.isEmpty())
            return false;
        std::tie(discount, quantity) = lines.dequeue();
        return true;
    }
    bool ShowCashDialog(Currency &amount) override { return take(cashAmounts, amount, "cash"); }
    // The card writes what the test queued, once.
    bool ShowNewItemDialog(const std::function<bool(const TDMItem &)> &write) override
    {
        TDMItem item;
        return take(itemCards, item, "new item") && write(item);
    }
    // The card reads the item when it opens.
    bool ShowEditItemDialog(int id, const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write) override
    {
        TDMItem read, item;
        TDMItemOrigin origin;
        DM->ReadItem(id, read, origin);
        return take(itemCards, item, "edit item") && write(item, origin);
    }
    bool ShowStoreDialog(QString &store) override { return take(stores, store, "store"); }
    bool ShowCategoryDialog(int &category) override { return take(categories, category, "category"); }
    void ShowSearchDialog(bool documents, std::optional<QChar> typed) override
    {
        ++searchOpened;
        searchDocuments = documents;
        searchTyped = typed ? QString(*typed) : QString();
    }
    bool BackupOnExit(QString &folder) const override
    {
        folder = backupFolder;
        return backup;
    }
    TFlagSettings FlagSettings() const override { return flags; }
    bool PreviewBeforePrint() const override { return preview; }
    // Each log line with the number of messages shown before it.
    void WriteLogLine(const QString &line) override
    {
        log << QStringLiteral("%1 (%2)").arg(line).arg(messagesSeen ? messagesSeen->calls.size() : 0);
    }
    const ScriptedMessages *messagesSeen = nullptr;
    std::unique_ptr<TDMPreview> CreatePreview() override { return m_screens.CreatePreview(); }

private:
    template <typename T>
    bool take(QQueue<T> &queue, T &value, const char *name)
    {
        shown << QString::fromLatin1(name);
        if (queue.isEmpty())
            return false;
        value = queue.dequeue();
        return true;
    }
    RecordingScreens &m_screens;
};

class MainWindowTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        if (HasFatalFailure())
            return;
        SetAppGlobals();
        LoginUzivatel = QStringLiteral("tester");
        LoginServer = server;
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        window = std::make_unique<ScriptedTarmil>(screens);
        window->messagesSeen = &messages;
    }
    void TearDown() override
    {
        window.reset();
        DataModuleTest::TearDown();
    }

    // Takes a right from the test's user.
    void withoutRight(int right)
    {
        sql(QStringLiteral("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=false WHERE ID_OPRAVNENI=%1").arg(right));
    }
    // Information and warning headings shown so far, in order.
    QStringList headings() const
    {
        QStringList result;
        for (const MessageCall &call : messages.calls)
            if (call.kind == MessageCall::Information || call.kind == MessageCall::Warning)
                result << call.heading;
        return result;
    }
    // Moves the item list to an item.
    void toItem(int id) { ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->LocateInteger("ID_POLOZKA", id)); }
    QString basketQuantity(int id)
    {
        return scalar(QStringLiteral("SELECT MNOZSTVI::float8 FROM tab_prodej WHERE ID_POLOZKA=%1").arg(id));
    }

    std::unique_ptr<ScriptedTarmil> window;
};

#pragma once
// The program's single data module: the connection, the stored-procedure and
// command objects, every list query with its template and fields, and the
// form storage that keeps the lists' sort orders and filters. Screens reach
// it through the global DM. Its operations come in families: the connection,
// the database's lifecycle, opening the lists and transactions
// (dmdatabase.cpp); the queries, the lists' opening with their stored
// settings and the summary labels (dm.cpp, with the query definitions in
// dmquerydefs.cpp); the shapes the operations share (dmfamilies.cpp); users
// and rights (dmusers.cpp); basket, sale and documents (dmsale.cpp); VAT
// rates, stores, contacts and units (dmcatalogue.cpp); categories and items
// (dmitems.cpp); the cash book, numbering, saved filters and report list
// (dmcash.cpp). Procedures are called through dmcall.h by the names listed
// once in dmprocedures.h; the screens it needs are reached through
// dmscreens.h.
#include "data/dmcall.h"
#include "data/dmscreens.h"
#include "data/mssqladocommand.h"
#include "data/mssqladoconnection.h"
#include "data/mssqladoquery.h"
#include "platform/currency.h"
#include "platform/variant.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TFormStorage;
class TFormPlacement;
struct TDMQueryDef;
namespace Db {
class DataSource;
struct Bookmark;
} // namespace Db

// The ten texts of a contact, in the order the procedures take them.
struct TDMContact
{
    QString KONTAKT, IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW, OSOBA, POZNAMKA;
};

// An item's values with its store, category path, supplier and unit by name
// and its VAT by rate, as the item procedures take them.
struct TDMItem
{
    QString OZNACENI, KOD, POLOZKA, SPECIFIKACE;
    int ZARUKA = 0;
    Currency DPH;
    QString SKLAD, KATEGORIE, DODAVATEL;
    Currency NAKUP, PRODEJ;
    int SLEVA = 0;
    Currency MNOZSTVI, ZASOBA;
    QString JEDNOTKA;
    Currency MINIMUM;
    bool NASOBNE = true;
    // Which of label, code and name a new or edited item must not share with
    // another valid item of its store (the item card's settings). The write
    // tests them itself, in one step with the writing that another till
    // cannot slip between.
    bool OZNACENI_POVINNE = false, KOD_POVINNE = false, POLOZKA_POVINNE = false;
};

// Which of an item's label, code and name must not be shared by two valid
// items of a store (the item card's settings), for writes other than the card's.
struct TDMUniqueValues
{
    bool OZNACENI = false, KOD = false, POLOZKA = false;
};

// What a screen that edits an item read when it opened: the stock then, and
// the version of everything else. The edit moves the stock by the change the
// user made and is refused when another till changed the rest meanwhile.
// A question the item import's checks ask of the database (the name tests
// and the ids by value of the catalogue operations).
struct TDMImportQuestion
{
    enum Kind { Mark, Code, Name, Vat, Category, Contact, Unit };
    Kind kind = Mark;
    QString text;  // the name, mark, code or path
    Currency rate; // for Vat
};

struct TDMItemOrigin
{
    Currency MNOZSTVI;
    QString version;
};

// A numbering series' values that its dialog shows and edits.
struct TDMNumbering
{
    QString prefix, separator;
    int nextUnprinted = 0, nextPrinted = 0, width = 0;
};

// Who sees every session in the logged-in users' list, as this server has
// them: its superusers, and the database's owner when he may read all the
// server's statistics.
struct TDMSessionViewers
{
    QString owner;
    bool ownerSeesAll = false;
    QStringList superusers;
};

// The data module's lists in declaration order, by the component names the
// screens know them by. Each is made from the definition of the same name
// (dmquerydefs.cpp); the module checks when it is made that this list and the
// definitions name the same queries in the same order.
// clang-format off
#define TARMIL_DM_QUERIES(X) \
    X(MSSQLADOQuery_Uzivatel) \
    X(MSSQLADOQuery_Opravneni) \
    X(MSSQLADOQuery_OznaceniDoklad) \
    X(MSSQLADOQuery_Dph) \
    X(MSSQLADOQuery_Sklad) \
    X(MSSQLADOQuery_Kontakt) \
    X(MSSQLADOQuery_Jednotka) \
    X(MSSQLADOQuery_Polozka) \
    X(MSSQLADOQuery_PolozkaHistorie) \
    X(MSSQLADOQuery_Prodej) \
    X(MSSQLADOQuery_Doklad) \
    X(MSSQLADOQuery_DokladDetail) \
    X(MSSQLADOQuery_DokladDph) \
    X(MSSQLADOQuery_SQL) \
    X(MSSQLADOQuery_Pokladna) \
    X(MSSQLADOQuery_Filtr) \
    X(MSSQLADOQuery_Sestava) \
    X(MSSQLADOQuery_Polozka_Hledat) \
    X(MSSQLADOQuery_Doklad_Hledat) \
    X(MSSQLADOQuery_PrihlaseniUzivatele)
// clang-format on

class TDM : public QObject
{
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    TMSSQLADOConnection *MSSQLADOConnection = nullptr;
    TMSSQLADOStoredProcedure *MSSQLADOStoredProcedure = nullptr;
    TMSSQLADOCommand *MSSQLADOCommand = nullptr;
#define TARMIL_DM_QUERY_MEMBER(name) TMSSQLADOQuery *name = nullptr;
    TARMIL_DM_QUERIES(TARMIL_DM_QUERY_MEMBER)
#undef TARMIL_DM_QUERY_MEMBER
    TFormStorage *FormStorage;
    // Masters of the item history, the document lines and the document's
    // VAT rates until the main window binds its own data sources
    // (SetDetailMasters).
    Db::DataSource *DataSource_Polozka, *DataSource_Doklad;

    // The current store (1 at creation, the default store after login).
    int IdSklad = 1;

    // Every list query, in declaration order.
    std::vector<TMSSQLADOQuery *> Queries() const
    {
        return m_queries;
    }
    // What keeps the list of members and the definitions from matching: a
    // name missing on either side or out of order, a place in the settings
    // file given twice or skipped. Empty when they match.
    static QStringList QueryListProblems(const QStringList &members, const std::vector<TDMQueryDef> &definitions);
    static QStringList QueryMemberNames();
    TMSSQLADOQuery *QueryByName(const QString &component) const;
    void SetDetailMasters(Db::DataSource *items, Db::DataSource *documents);
    // The first error of the last failed operation (the connection's).
    QString LastErrorText() const;
    // The program's database: "tarmil5", or TARMIL5_DATABASE when set.
    static QString DatabaseName();

    // ---- connection, database lifecycle, maintenance, transactions
    bool ConnectServer(const QString &server, const QString &user, const QString &password);
    bool DatabaseExists();
    TDatabasePresence DatabasePresence();
    bool CreateDatabase();
    bool SelectDatabase(const QString &database);
    bool OpenBasket();
    bool OpenItems();
    bool OpenDocuments();
    bool OpenAllQueries();
    void SetCategoryPath(const QString &path);
    void RequeryItems();
    void RequeryBasket();
    void RequeryDocuments();
    void RefreshAll();
    static QString BackupFileName(const QString &server, const QString &database);
    static QString BackupFileNameAt(const QString &server, const QString &database, const QDateTime &when);
    bool BackupAndVerify(const QString &file);
    bool RestoreFromFile(const QString &file);
    bool TruncateTransactionLog();
    bool ReindexAllTables();
    bool ShrinkTarmilDatabase();
    // False (the server's reason kept) when the transaction did not begin.
    bool BeginTransaction();
    // Also says whether the commit went through.
    bool EndTransaction(bool commit);
    // Rolls back a transaction an action left open (an error left it before
    // its end); true when there was one.
    bool RollbackOpenTransaction();
    // Transactions that ended undone since the module was made.
    quint64 UndoneTransactions() const;
    // What the action under way has committed for good ("Prodej položek
    // proběhl..."), for a message about an error that comes after it; the
    // action's caller forgets it when the action is over.
    const QStringList &WrittenInAction() const
    {
        return m_written;
    }
    void ForgetWritten()
    {
        m_written.clear();
    }
    // After an error that left an action: the lists and the cash figure
    // read again, so the till shows what the server holds. Whatever of it
    // cannot be read keeps its rows.
    void RereadAfterError();
    // After the connection lost its server session: the lists read again in
    // a new one and the user told what the lost session's basket held. Runs
    // from the event loop once the action that met the loss is over.
    void reportRenewedSession();
    // The basket's lines as shown: mark, name, quantity and unit.
    QStringList basketLines() const;
    // After another till took lines out of this session's basket (their
    // items left the catalogue): the basket read again and the user told
    // which lines went. Runs from the event loop once the action is over.
    void reportBasketChangedElsewhere();
    // What the user is told of lines that left the basket so.
    static QString LostBasketLinesText(const QStringList &lost);
    // The basket's lines, as shown, of items no longer in the catalogue
    // (kept as removed): they cannot be sold. By item id.
    QList<std::pair<int, QString>> BasketLinesOutOfCatalogue() const;
    // Whether the session of the action under way (its transaction, or the
    // session it holds) was lost: none of its statements runs any more, and
    // the action is to end undone, saying so.
    bool ActionSessionLost() const;
    // Holds the session for an action of several writes, each in its own
    // transaction (a plain import): once the session is lost, the rest of
    // the action runs nowhere.
    Db::SessionHold HoldSession();

    // ---- refresh handlers of the lists (summary labels)
    void MSSQLADOQuery_PolozkaRefreshQuery(QObject *sender);
    void MSSQLADOQuery_ProdejRefreshQuery(QObject *sender);
    void MSSQLADOQuery_DokladRefreshQuery(QObject *sender);

    // ---- users and rights
    int UserCount();
    bool UserExists(const QString &user);
    QString UserCaption(int id, bool withCaption);
    bool NewUser(const QString &login, const QString &password);
    bool ChangeUserPassword(const QString &login, const QString &oldPassword, const QString &newPassword);
    bool RemoveUser(const QString &login);
    bool SessionViewers(TDMSessionViewers &viewers);
    bool HasRight(int right);

    // ---- basket, sale and documents
    // Figures the server works out: nothing when it did not answer (the
    // reason is LastErrorText()).
    std::optional<Currency> BasketQuantity(int itemId);
    bool AddOrEditBasketRow(int itemId, int discount, Currency quantity, bool absolute);
    bool RemoveBasketRow(int itemId);
    bool SellBasket(int kind, bool print, const QString &customer, int discount, int &documentId);
    int DocumentCount();
    bool CanCancelDocument(int documentId);
    // With uniqueness asked for, a cancellation that would bring a removed
    // item back beside a valid item holding its label, code or name is refused.
    bool CancelDocument(int documentId, const TDMUniqueValues &unique = {});
    int HistoryCount();
    void PrintDocumentById(int documentId, int voucher, bool preview, bool print, bool secondCopy, const QString &note);
    void PrintItemOverview();
    void PrintDocumentOverview();

    // ---- catalogue: VAT
    int VatIdByRate(Currency rate);
    QString VatRateText(int id, bool withCaption);
    Currency DefaultVatRate();
    QString VatRateList();
    bool SetDefaultVat(int id);
    bool EditVat(int id, Currency rate);
    // Whether issued documents have lines at the rate; nothing when the
    // server did not answer.
    std::optional<bool> vatRateInDocuments(int id);
    // stores
    int StoreCount();
    int StoreItemCount(int id);
    bool StoreNameExists(const QString &name);
    bool StoreNameExistsOther(int id, const QString &name);
    int StoreIdByName(const QString &name);
    QString StoreName(int id);
    QString StoreCaption(int id, bool withCaption);
    int StoreRootCategoryId(int id);
    int DefaultStoreId();
    QString StoreList();
    bool SetDefaultStore(int id);
    bool NewStore(const QString &name, int categoryId);
    bool EditStore(int id, const QString &name, int categoryId);
    bool RemoveStore(int id);
    // contacts
    int ContactCount();
    bool ContactReferenced(int id);
    bool ContactNameExists(const QString &name);
    bool ContactNameExistsOther(int id, const QString &name);
    int ContactIdByName(const QString &name);
    QString ContactCaption(int id, bool withCaption);
    QString DefaultSupplierName();
    QString DefaultCustomerName();
    QString ContactList();
    bool SetDefaultSupplier(int id);
    bool SetDefaultCustomer(int id);
    bool NewContact(const TDMContact &contact);
    bool EditContact(int id, const TDMContact &contact);
    bool RemoveContact(int id);
    // categories
    int CategoryCount();
    int SubcategoryCount(int parentId);
    bool CategoryExists(int id);
    bool CategoryNameExists(int parentId, const QString &name);
    bool CategoryNameExistsOther(int parentId, int id, const QString &name);
    int FindCategoryByPath(const QString &path);
    int CategoryIdByPath(const QString &path);
    QString CategoryName(int id);
    QString CategoryPathName(int id);
    int DefaultCategoryId();
    QString CategoryIdPath(int id);
    bool ReadCategory(int id, QString &name, QString &specifikace);
    QString SubcategoryIdList(int parentId);
    bool SetDefaultCategory(int id);
    bool NewCategory(int parentId, const QString &name, const QString &specifikace, int &newId);
    bool CopyCategory(int fromId, int toId);
    bool MoveCategory(int fromId, int toId);
    bool EditCategory(int id, const QString &name, const QString &specifikace);
    bool RenameCategory(int id, const QString &name);
    bool RemoveCategory(int id);
    // units
    int UnitCount();
    bool UnitReferenced(int id);
    bool UnitNameExists(const QString &name);
    bool UnitNameExistsOther(int id, const QString &name);
    int UnitIdByName(const QString &name);
    QString UnitCaption(int id, bool withCaption);
    Currency UnitMinimum(int id);
    bool UnitMultiplesOnly(int id);
    QString DefaultUnitName();
    QString UnitList();
    bool SetDefaultUnit(int id);
    bool NewUnit(const QString &name, const QString &specifikace, Currency minimum);
    bool EditUnit(int id, const QString &name, const QString &specifikace, Currency minimum);
    bool RemoveUnit(int id);
    // items
    int ItemCount();
    bool ItemMarkExists(int storeId, const QString &mark);
    bool ItemMarkExistsOther(int storeId, int itemId, const QString &mark);
    bool ItemNameExists(int storeId, const QString &name);
    bool ItemNameExistsOther(int storeId, int itemId, const QString &name);
    bool ItemCodeExists(int storeId, const QString &code);
    bool ItemCodeExistsOther(int storeId, int itemId, const QString &code);
    QString ItemMark(int id);
    QString SmallestFreeItemMark(int storeId, int width);
    bool NewItem(const TDMItem &item);
    bool ImportItem(const TDMItem &item);
    // The import's questions of many rows in one round trip, each answered as
    // its operation answers it (a name test as 0 or 1, a lookup as the id), in
    // the order asked; Null for those a failed call left unanswered.
    std::vector<Variant> AskImportQuestions(int storeId, const std::vector<TDMImportQuestion> &questions);
    // Items stored each as ImportItem stores one, sent together: the number
    // stored from the first on. The one after them failed (LastErrorText says
    // why) and was undone; those after it were not sent.
    int ImportItems(const std::vector<TDMItem> &items);
    // Has the server make the items table's statistics anew, as an import
    // that has grown it much asks, so its tests keep their indexes.
    bool RefreshItemStatistics();
    // The item as the server holds it now; false when there is none.
    bool ReadItem(int id, TDMItem &item, TDMItemOrigin &origin);
    // Without an origin the values are written as they are given.
    bool EditItem(int id, const TDMItem &item, const std::optional<TDMItemOrigin> &origin = std::nullopt);
    bool RemoveItem(int id);
    bool RemoveStoreItems(int storeId);
    // After an import: the item list reads the rows the import stored.
    void RefreshImportedItems();
    // The rows of the item grid's selection (empty: only the given item).
    // The caller clears the grid's selection afterwards.
    bool RemoveSelectedItems(int itemId, const std::vector<Db::Bookmark> &selectedRows);

    // ---- tables, report list, cash book, numbering, saved filters
    QString ListDatabaseTables();
    QString ListTableFields(const QString &table);
    QString CurrentStoreName();
    bool ReportNameExistsOther(int id, const QString &name);
    bool EditReportDefinition(int id, const QString &name, const QString &file);
    std::optional<Currency> CashBalance();
    bool CashDepositWithdrawal(Currency amount);
    void UpdateCashLabel();
    bool NumberingPrefixExistsOther(int id, const QString &prefix);
    // The series as the server holds it now; false when there is none.
    bool ReadNumbering(int id, TDMNumbering &series);
    // With what the dialog read, a counter is written only when the user
    // changed it, and refused when another till moved it meanwhile.
    bool EditNumbering(int id, const QString &prefix, const QString &separator, int nextUnprinted, int nextPrinted,
                       int width, const TDMNumbering *read = nullptr);
    int FilterCount();
    bool FilterNameExists(const QString &name);
    bool FilterNameExistsOther(int id, const QString &name);
    QString FilterCaption(int id, bool withCaption);
    QString FilterScript(int id);
    bool NewFilter(const QString &name, const QString &condition, int &newId);
    bool EditFilter(int id, const QString &name, const QString &condition);
    bool RemoveFilter(int id);
    bool ExecuteSQL(const QString &text);
    // Whether a condition may become the list's "%WHERE_FILTER": one
    // condition the server accepts in that list. Checked without running it.
    bool TestFilterCondition(const QString &condition, TMSSQLADOQuery *list);
    // For a column the list has in more than one table: a Czech hint naming
    // those tables; empty for any other error.
    QString AmbiguousColumnHint(TMSSQLADOQuery *list, const Db::ServerError &error);

private:
    TMSSQLADOQuery *createQuery(const TDMQueryDef &def);
    void setupFormStorage();
    void sanitizeStoredParameters(TFormPlacement *);
    bool openList(TMSSQLADOQuery *query);
    void setSummaryLabel(TSummaryLabel label, const QString &text);
    Db::Connection &connection() const;

    // A list write keeping the list's row: save, call, re-query, restore
    // (or locate the new id).
    bool listWrite(TMSSQLADOQuery *list, const QString &key, const std::function<bool()> &call);
    void afterWrite(bool ok, const std::function<void()> &refresh);
    bool listInsert(TMSSQLADOQuery *list, const QString &key, const std::function<bool(int &)> &call);
    bool nameTaken(const QString &name, const QString &procedure, TDMCall::Params params);
    // The flags "@OZNACENI_POVINNE", "@KOD_POVINNE", "@POLOZKA_POVINNE" that
    // are set, where the procedure takes them: a database made by an earlier
    // version keeps procedures that test nothing themselves.
    void addUniqueFlags(TDMCall::Params &params, const QString &procedure, const TDMUniqueValues &unique);
    // An item procedure's parameters with the item's flags; the import's with all three.
    TDMCall::Params itemCall(const QString &procedure, const TDMItem &item);
    TDMCall::Params importCall(const TDMItem &item);
    QString caption(const QString &format, const QString &procedure, const QString &param, int id, bool withCaption);
    bool soleCallTransaction(const std::function<bool()> &call);
    bool transactionWrite(const std::function<bool()> &call);
    // A write refused because another till's replace-all import holds its
    // store is written again once the import ended, while the wait window
    // says so; inside a transaction of the caller's the refusal stands.
    bool queuedWrite(const std::function<bool()> &write);
    // Holds the store alone to the end of the transaction (a replace-all
    // import), waiting in the wait window for another till's.
    bool holdStoreAlone(int storeId);
    int importBatch(const std::vector<TDMItem> &items);
    bool itemWrite(const QString &procedure, const TDMItem &item, int id, int *newId, bool returnId);
    bool saleOrCancel(const QString &procedure, TDMCall::Params params, const QString &failure, const QString &written,
                      int &newId, const std::function<QList<Variant>()> &items);
    bool basketWrite(int itemId, const std::function<bool()> &call);
    void refreshItemRows(const QList<Variant> &ids, const Variant &moveTo = Variant());
    QList<Variant> basketItems() const;
    QList<Variant> documentItems(int documentId);

    // The connection lost its server session or replaced it.
    void sessionEvent();
    // The basket's lines leaving it through another till (dmbasketwatch.cpp).
    void listenForBasketChanges();
    void basketNotification(const QString &channel);
    // The basket read again; the lines it showed that are gone (also from
    // the item list).
    QStringList requeryBasketNamingLost();
    void warnLostBasketLines(const QStringList &lost);
    // A write of the action that is committed (not a step of a caller's
    // transaction still open).
    void noteWritten(const QString &what);

    TDMCall *m_call = nullptr;
    std::vector<TMSSQLADOQuery *> m_queries;
    bool m_sessionLost = false; // not yet reported
    bool m_reportQueued = false;
    QStringList m_lostBasket;      // the lines shown when the session was lost
    quint64 m_listeningSerial = 0; // the session that listens for its basket's changes
    bool m_basketReportQueued = false;
    QString m_lossReason;           // why it was lost
    QStringList m_written;          // see WrittenInAction()
    QList<Variant> m_importedItems; // stored by the import since its rows were last read
    bool m_storeItemsRemoved = false;
};

// The program's data module: the first one created, until it is destroyed.
extern TDM *DM;
extern QString LoginUzivatel, LoginHeslo, LoginServer;

// Catalogue operations on categories and items.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include "platform/db/connection.h"
#include "platform/messages.h"

#include <algorithm>
#include <utility>

namespace {
const QString KeyPolozka = QStringLiteral("ID_POLOZKA");

TDMCall::Params itemParams(const TDMItem &i)
{
    TDMCall::Params params{
        {"@OZNACENI", i.OZNACENI},   {"@KOD", i.KOD},       {"@POLOZKA", i.POLOZKA},   {"@SPECIFIKACE", i.SPECIFIKACE},
        {"@ZARUKA", i.ZARUKA},       {"@DPH", i.DPH},       {"@SKLAD", i.SKLAD},       {"@KATEGORIE", i.KATEGORIE},
        {"@DODAVATEL", i.DODAVATEL}, {"@NAKUP", i.NAKUP},   {"@PRODEJ", i.PRODEJ},     {"@SLEVA", i.SLEVA},
        {"@MNOZSTVI", i.MNOZSTVI},   {"@ZASOBA", i.ZASOBA}, {"@JEDNOTKA", i.JEDNOTKA}, {"@MINIMUM", i.MINIMUM},
        {"@NASOBNE", i.NASOBNE}};
    return params;
}

// The import refuses a row whose label, code or name the store has, whatever
// the card's settings: its write tests all three under their locks.
const TDMUniqueValues ImportUnique{true, true, true};
} // namespace

void TDM::addUniqueFlags(TDMCall::Params &params, const QString &procedure, const TDMUniqueValues &unique)
{
    for (const auto &[name, set] : {std::pair{"@OZNACENI_POVINNE", unique.OZNACENI},
                                    {"@KOD_POVINNE", unique.KOD},
                                    {"@POLOZKA_POVINNE", unique.POLOZKA}})
        if (set && m_call->takes(procedure, QString::fromLatin1(name)))
            params.push_back({name, true});
}

TDMCall::Params TDM::itemCall(const QString &procedure, const TDMItem &item)
{
    TDMCall::Params params = itemParams(item);
    addUniqueFlags(params, procedure, {item.OZNACENI_POVINNE, item.KOD_POVINNE, item.POLOZKA_POVINNE});
    return params;
}

TDMCall::Params TDM::importCall(const TDMItem &item)
{
    TDMCall::Params params = itemParams(item);
    addUniqueFlags(params, DMProc::tab_polozka_IMPORT_POLOZKY, ImportUnique);
    return params;
}

// ---- categories
int TDM::CategoryCount()
{
    return int(m_call->returnValue(DMProc::tab_kategorie_POCET).toInt());
}

int TDM::SubcategoryCount(int parentId)
{
    return int(m_call->returnValue(DMProc::tab_kategorie_POCET_2, {{"@ID_NADKATEGORIE", parentId}}).toInt());
}

bool TDM::CategoryExists(int id)
{
    return m_call->returnValue(DMProc::tab_kategorie_KATEGORIE_EXISTUJE, {{"@ID_KATEGORIE", id}}).toBool();
}

bool TDM::CategoryNameExists(int parentId, const QString &name)
{
    return nameTaken(name, DMProc::tab_kategorie_KATEGORIE_EXISTUJE_2,
                     {{"@ID_NADKATEGORIE", parentId}, {"@KATEGORIE", name}});
}

bool TDM::CategoryNameExistsOther(int parentId, int id, const QString &name)
{
    return nameTaken(name, DMProc::tab_kategorie_KATEGORIE_EXISTUJE_3,
                     {{"@ID_NADKATEGORIE", parentId}, {"@ID_KATEGORIE", id}, {"@KATEGORIE", name}});
}

int TDM::FindCategoryByPath(const QString &path)
{
    return int(m_call->returnValue(DMProc::tab_kategorie_ID_KATEGORIE_EXISTUJE, {{"@PATH_KATEGORIE", path}}).toInt());
}

int TDM::CategoryIdByPath(const QString &path)
{
    return int(m_call->returnValue(DMProc::tab_kategorie_ID_KATEGORIE, {{"@PATH_KATEGORIE", path}}).toInt());
}

QString TDM::CategoryName(int id)
{
    return m_call->returnValue(DMProc::tab_kategorie_func_KATEGORIE, {{"@ID_KATEGORIE", id}}).toString();
}

QString TDM::CategoryPathName(int id)
{
    return m_call->returnValue(DMProc::tab_kategorie_func_PATH_KATEGORIE, {{"@ID_KATEGORIE", id}}).toString();
}

int TDM::DefaultCategoryId()
{
    return int(m_call->returnValue(DMProc::tab_kategorie_VYCHOZI_ID_KATEGORIE).toInt());
}

QString TDM::CategoryIdPath(int id)
{
    return m_call->returnValue(DMProc::tab_kategorie_func_PATH_ID_KATEGORIE, {{"@ID_KATEGORIE", id}}).toString();
}

bool TDM::ReadCategory(int id, QString &name, QString &specifikace)
{
    std::vector<Variant> outputs;
    if (!m_call->callProcedure(DMProc::tab_kategorie_NACIST_DLE_ID_KATEGORIE, {{"@ID_KATEGORIE", id}},
                               {"@KATEGORIE", "@SPECIFIKACE"}, outputs))
        return false;
    name = outputs[0].toString();
    specifikace = outputs[1].toString();
    return true;
}

QString TDM::SubcategoryIdList(int parentId)
{
    return m_call->returnValue(DMProc::tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII, {{"@ID_NADKATEGORIE", parentId}})
        .toString();
}

bool TDM::SetDefaultCategory(int id)
{
    int result = 0;
    return m_call->returnId(DMProc::tab_kategorie_NASTAVENI_VYCHOZI_ID_KATEGORIE, {{"@ID_KATEGORIE", id}}, result);
}

bool TDM::NewCategory(int parentId, const QString &name, const QString &specifikace, int &newId)
{
    int id = 0;
    const bool ok =
        m_call->returnId(DMProc::tab_kategorie_NOVA_KATEGORIE,
                         {{"@ID_NADKATEGORIE", parentId}, {"@KATEGORIE", name}, {"@SPECIFIKACE", specifikace}}, id);
    newId = ok ? id : 0;
    return ok;
}

bool TDM::CopyCategory(int fromId, int toId)
{
    return m_call->returnBool(DMProc::tab_kategorie_KOPIROVAT_KATEGORII,
                              {{"@ID_KATEGORIE_CO", fromId}, {"@ID_KATEGORIE_KAM", toId}});
}

// A move or a removal rewrites the category paths of items of every store:
// refused while another till replaces a store, it waits outside its
// transaction and is then written once. Refused by the tree as it now stands
// (another till changed it meanwhile), it says so.
bool TDM::MoveCategory(int fromId, int toId)
{
    const bool ok = queuedWrite([&] {
        return m_call->returnBool(DMProc::tab_kategorie_PRESUNOUT_KATEGORII,
                                  {{"@ID_KATEGORIE_CO", fromId}, {"@ID_KATEGORIE_KAM", toId}});
    });
    if (!ok && connection().errors().isEmpty())
        connection().reportError(QStringLiteral("Kategorii nelze přesunout pod cílovou kategorii: cíl leží pod ní, "
                                                "má již podkategorii stejného názvu, nebo některá z nich již "
                                                "v databázi není."),
                                 QStringLiteral("50000"));
    return ok;
}

bool TDM::EditCategory(int id, const QString &name, const QString &specifikace)
{
    int result = 0;
    return m_call->returnId(DMProc::tab_kategorie_EDITOVAT_KATEGORII,
                            {{"@ID_KATEGORIE", id}, {"@KATEGORIE", name}, {"@SPECIFIKACE", specifikace}}, result);
}

bool TDM::RenameCategory(int id, const QString &name)
{
    return m_call->returnBool(DMProc::tab_kategorie_PREJMENOVAT_KATEGORII,
                              {{"@ID_KATEGORIE", id}, {"@KATEGORIE", name}});
}

bool TDM::RemoveCategory(int id)
{
    int result = 0;
    const bool ok = queuedWrite([&] {
        return m_call->returnId(DMProc::tab_kategorie_ODEBRAT_KATEGORII, {{"@ID_KATEGORIE", id}}, result);
    });
    if (!ok && connection().errors().isEmpty())
        connection().reportError(QStringLiteral("Kategorie již v databázi není (mezitím ji odebrala jiná pokladna), "
                                                "nebo je kořenová."),
                                 QStringLiteral("50000"));
    return ok;
}

// ---- items
int TDM::ItemCount()
{
    return int(m_call->returnValue(DMProc::tab_polozka_POCET).toInt());
}

bool TDM::ItemMarkExists(int storeId, const QString &mark)
{
    return nameTaken(mark, DMProc::tab_polozka_OZNACENI_EXISTUJE, {{"@ID_SKLAD", storeId}, {"@OZNACENI", mark}});
}

bool TDM::ItemMarkExistsOther(int storeId, int itemId, const QString &mark)
{
    return nameTaken(mark, DMProc::tab_polozka_OZNACENI_EXISTUJE_2,
                     {{"@ID_SKLAD", storeId}, {"@ID_POLOZKA", itemId}, {"@OZNACENI", mark}});
}

bool TDM::ItemNameExists(int storeId, const QString &name)
{
    return nameTaken(name, DMProc::tab_polozka_POLOZKA_EXISTUJE, {{"@ID_SKLAD", storeId}, {"@POLOZKA", name}});
}

bool TDM::ItemNameExistsOther(int storeId, int itemId, const QString &name)
{
    return nameTaken(name, DMProc::tab_polozka_POLOZKA_EXISTUJE_2,
                     {{"@ID_SKLAD", storeId}, {"@ID_POLOZKA", itemId}, {"@POLOZKA", name}});
}

bool TDM::ItemCodeExists(int storeId, const QString &code)
{
    return nameTaken(code, DMProc::tab_polozka_KOD_EXISTUJE, {{"@ID_SKLAD", storeId}, {"@KOD", code}});
}

bool TDM::ItemCodeExistsOther(int storeId, int itemId, const QString &code)
{
    return nameTaken(code, DMProc::tab_polozka_KOD_EXISTUJE_2,
                     {{"@ID_SKLAD", storeId}, {"@ID_POLOZKA", itemId}, {"@KOD", code}});
}

QString TDM::ItemMark(int id)
{
    return m_call->returnValue(DMProc::tab_polozka_func_OZNACENI, {{"@ID_POLOZKA", id}}).toString();
}

QString TDM::SmallestFreeItemMark(int storeId, int width)
{
    return m_call
        ->returnValue(DMProc::tab_polozka_func_OZNACENI_NEJMENSI_VOLNE,
                      {{"@ID_SKLAD", storeId}, {"@OZNACENI_ZAROVNANI", width}})
        .toString();
}

bool TDM::NewItem(const TDMItem &item)
{
    MSSQLADOQuery_Polozka->SavePosition(KeyPolozka);
    int id = 0;
    const bool ok = transactionWrite([&] {
                        return m_call->returnId(DMProc::tab_polozka_NOVA_POLOZKA,
                                                itemCall(DMProc::tab_polozka_NOVA_POLOZKA, item), id);
                    }) &&
                    id != 0;
    if (ok)
        noteWritten(QStringLiteral("Zavedení nové položky proběhlo, položka je zapsána v databázi..."));
    // Nothing changed when the item was refused: the list stays as it is.
    afterWrite(ok, [&] {
        if (ok)
            refreshItemRows({id}, id);
    });
    return ok;
}

bool TDM::ImportItem(const TDMItem &item)
{
    int id = 0;
    const TDMCall::Params params = importCall(item);
    const bool ok = transactionWrite([&] { return m_call->returnId(DMProc::tab_polozka_IMPORT_POLOZKY, params, id); });
    if (ok)
        m_importedItems << id;
    return ok;
}

// Each row in a transaction of its own, as ImportItem: the procedure raises
// for every failure, so a row whose call went through is stored whole. The
// batch first takes the locks of all its labels, codes and names at once, in
// the one order every writer takes them: a till or another import writing
// one of them waits for the batch, or the batch for it, never both at once.
int TDM::ImportItems(const std::vector<TDMItem> &items)
{
    int stored = 0;
    // A batch refused whole for its store (another till's replace-all import)
    // is sent again once that import ended.
    queuedWrite([&] {
        stored = importBatch(items);
        return stored > 0 || items.empty();
    });
    return stored;
}

int TDM::importBatch(const std::vector<TDMItem> &items)
{
    std::vector<TDMCall::Request> calls;
    calls.reserve(items.size() + 1);
    if (!items.empty() && m_call->takes(DMProc::tab_polozka_func_ZAMKNOUT)) {
        QStringList marks, codes, names;
        for (const TDMItem &item : items) {
            marks << item.OZNACENI;
            codes << item.KOD;
            names << item.POLOZKA;
        }
        calls.push_back({DMProc::tab_polozka_func_ZAMKNOUT,
                         {{"@ID_SKLAD", StoreIdByName(items.front().SKLAD)},
                          {"@OZNACENI", Db::Connection::arrayLiteral(marks)},
                          {"@KOD", Db::Connection::arrayLiteral(codes)},
                          {"@POLOZKA", Db::Connection::arrayLiteral(names)}}});
    }
    const size_t first = calls.size();
    for (const TDMItem &item : items)
        calls.push_back({DMProc::tab_polozka_IMPORT_POLOZKY, importCall(item)});
    const std::vector<Variant> ids = m_call->returnValues(calls, Db::PipelineMode::Writes);
    if (first > 0 && ids.front().isNull())
        return 0;
    int stored = 0;
    while (first + size_t(stored) < ids.size() && !ids[first + size_t(stored)].isEmpty())
        m_importedItems << ids[first + size_t(stored++)];
    return stored;
}

// The label, code and name tests go by kind, a whole batch's values in one
// call each; the other lookups are few (the rows mostly share their values).
std::vector<Variant> TDM::AskImportQuestions(int storeId, const std::vector<TDMImportQuestion> &questions)
{
    std::vector<Variant> answers(questions.size(), Variant::null());
    std::vector<TDMCall::Request> calls;
    std::vector<std::vector<size_t>> asked;    // the questions of each call
    std::vector<size_t> testCall(3, SIZE_MAX); // the call of each test kind
    for (size_t i = 0; i < questions.size(); ++i) {
        const TDMImportQuestion &q = questions[i];
        switch (q.kind) {
        case TDMImportQuestion::Mark:
        case TDMImportQuestion::Code:
        case TDMImportQuestion::Name: {
            // An empty name is never taken, and costs no test.
            if (q.text.isEmpty()) {
                answers[i] = Variant(0);
                continue;
            }
            size_t &call = testCall[size_t(q.kind - TDMImportQuestion::Mark)];
            if (call == SIZE_MAX) {
                call = calls.size();
                calls.push_back({DMProc::tab_polozka_func_IMPORT_EXISTUJE,
                                 {{"@ID_SKLAD", storeId}, {"@DRUH", int(q.kind - TDMImportQuestion::Mark) + 1}}});
                asked.emplace_back();
            }
            asked[call].push_back(i);
            continue;
        }
        case TDMImportQuestion::Vat:
            calls.push_back({DMProc::tab_dph_ID_DPH, {{"@DPH", q.rate}}});
            break;
        case TDMImportQuestion::Category:
            calls.push_back({DMProc::tab_kategorie_ID_KATEGORIE_EXISTUJE, {{"@PATH_KATEGORIE", q.text}}});
            break;
        case TDMImportQuestion::Contact:
            calls.push_back({DMProc::tab_kontakt_ID_KONTAKT, {{"@KONTAKT", q.text}}});
            break;
        case TDMImportQuestion::Unit:
            calls.push_back({DMProc::tab_jednotka_ID_JEDNOTKA, {{"@JEDNOTKA", q.text}}});
            break;
        }
        asked.push_back({i});
    }
    for (const size_t call : testCall) {
        if (call == SIZE_MAX)
            continue;
        QStringList values;
        for (const size_t i : asked[call])
            values << questions[i].text;
        calls[call].params.push_back({"@HODNOTY", Db::Connection::arrayLiteral(values)});
    }
    const std::vector<Variant> values = m_call->returnValues(calls, Db::PipelineMode::Reads);
    for (size_t c = 0; c < values.size(); ++c) {
        if (std::find(testCall.begin(), testCall.end(), c) == testCall.end()) {
            answers[asked[c][0]] = values[c];
            continue;
        }
        // One "0" or "1" for each value, in order.
        const QString found = values[c].isNull() ? QString() : values[c].toString();
        if (found.size() != qsizetype(asked[c].size()))
            continue;
        for (size_t k = 0; k < asked[c].size(); ++k)
            answers[asked[c][k]] = Variant(found[qsizetype(k)] == u'1' ? 1 : 0);
    }
    return answers;
}

bool TDM::RefreshItemStatistics()
{
    return m_call->returnBool(DMProc::tab_polozka_func_IMPORT_STATISTIKA);
}

bool TDM::ReadItem(int id, TDMItem &item, TDMItemOrigin &origin)
{
    static const QStringList names{"@OZNACENI", "@KOD",       "@POLOZKA",   "@SPECIFIKACE", "@ZARUKA",  "@DPH",
                                   "@SKLAD",    "@KATEGORIE", "@DODAVATEL", "@NAKUP",       "@PRODEJ",  "@SLEVA",
                                   "@MNOZSTVI", "@ZASOBA",    "@JEDNOTKA",  "@MINIMUM",     "@NASOBNE", "@VERZE"};
    std::vector<Variant> v;
    if (!m_call->callProcedure(DMProc::tab_polozka_NACIST_POLOZKU, {{"@ID_POLOZKA", id}}, names, v))
        return false;
    if (v[17].isNull()) {
        connection().reportError(QStringLiteral("Položka již v databázi není: mezitím ji odebrala jiná pokladna."),
                                 QStringLiteral("50000"));
        return false;
    }
    item.OZNACENI = v[0].toString();
    item.KOD = v[1].toString();
    item.POLOZKA = v[2].toString();
    item.SPECIFIKACE = v[3].toString();
    item.ZARUKA = int(v[4].toInt());
    item.DPH = v[5].toCurrency();
    item.SKLAD = v[6].toString();
    item.KATEGORIE = v[7].toString();
    item.DODAVATEL = v[8].toString();
    item.NAKUP = v[9].toCurrency();
    item.PRODEJ = v[10].toCurrency();
    item.SLEVA = int(v[11].toInt());
    item.MNOZSTVI = v[12].toCurrency();
    item.ZASOBA = v[13].toCurrency();
    item.JEDNOTKA = v[14].toString();
    item.MINIMUM = v[15].toCurrency();
    item.NASOBNE = v[16].toBool();
    origin = {item.MNOZSTVI, v[17].toString()};
    return true;
}

bool TDM::EditItem(int id, const TDMItem &item, const std::optional<TDMItemOrigin> &origin)
{
    TDMCall::Params params = itemCall(DMProc::tab_polozka_EDITOVAT_POLOZKU, item);
    params.insert(params.begin(), {"@ID_POLOZKA", id});
    if (origin) {
        params.push_back({"@MNOZSTVI_PUVODNI", origin->MNOZSTVI});
        params.push_back({"@VERZE", origin->version});
    }
    MSSQLADOQuery_Polozka->SavePosition(KeyPolozka);
    int result = 0;
    const bool ok =
        transactionWrite([&] { return m_call->returnId(DMProc::tab_polozka_EDITOVAT_POLOZKU, params, result); });
    if (ok)
        noteWritten(QStringLiteral("Editace položky proběhla, změna je zapsána v databázi..."));
    // Also a refused save reads the item anew: another till may have changed it.
    afterWrite(ok, [&] {
        refreshItemRows({id});
        if (!MSSQLADOQuery_Prodej->RefreshRow(KeyPolozka, id, false))
            RequeryBasket();
    });
    return ok;
}

bool TDM::RemoveItem(int id)
{
    return m_call->returnBool(DMProc::tab_polozka_ODEBRAT_POLOZKU, {{"@ID_POLOZKA", id}});
}

// The store is held alone to the end of the transaction: in a replace-all
// import's, the import's rows then take no locks of their values.
bool TDM::RemoveStoreItems(int storeId)
{
    const bool ok = transactionWrite([&] {
        return holdStoreAlone(storeId) &&
               m_call->returnBool(DMProc::tab_polozka_ODEBRAT_POLOZKY, {{"@ID_SKLAD", storeId}});
    });
    m_storeItemsRemoved = true; // what the import then brings is read with the whole list
    afterWrite(ok, [this] { MSSQLADOQuery_Polozka->RequeryQuery(); });
    return ok;
}

// All the removals in one transaction: either every selected item goes
// (with its basket row) or none does.
bool TDM::RemoveSelectedItems(int itemId, const std::vector<Db::Bookmark> &selectedRows)
{
    TMSSQLADOQuery *items = MSSQLADOQuery_Polozka;
    QList<Db::ServerError> reason; // the lists move after a failure and run statements of their own
    bool ok = listWrite(items, KeyPolozka, [&] {
        return transactionWrite([&] {
            // A removed item leaves the basket too; having had no basket row is no failure.
            if (selectedRows.empty()) {
                const bool removed = RemoveItem(itemId);
                afterWrite(removed, [&] { RemoveBasketRow(itemId); });
                return removed;
            }
            WaitWindow wait(QStringLiteral("Odebírání položek..."));
            Db::ControlsOff still(*items);
            bool removed = true;
            for (const Db::Bookmark &row : selectedRows) {
                if (!items->GotoBookmark(row)) {
                    removed = false;
                    break;
                }
                const int id = int(items->FieldByName(KeyPolozka).AsInteger());
                removed = RemoveItem(id);
                if (!removed)
                    reason = connection().errors();
                afterWrite(removed, [&] { RemoveBasketRow(id); });
                if (!removed)
                    break;
            }
            return removed;
        });
    });
    afterWrite(ok, [this] { RequeryBasket(); });
    if (!ok && !reason.isEmpty())
        connection().setErrors(reason);
    return ok;
}

// The rows of the import, read after it (an import that removed the store's
// items first, or whose transaction was undone, has the whole list read).
void TDM::RefreshImportedItems()
{
    TMSSQLADOQuery *items = MSSQLADOQuery_Polozka;
    const QList<Variant> imported = std::exchange(m_importedItems, {});
    if (std::exchange(m_storeItemsRemoved, false) || !items->RefreshRows(KeyPolozka, imported, Variant(), false))
        items->RequeryLocate(KeyPolozka);
}

// Actions on the document list: printing, the cash voucher, cancellation,
// the paired document and the overview.
#include "app/catalogue/itemcardsettings.h"
#include "app/main/tarmilform.h"

#include "platform/formattext.h"
#include "platform/messages.h"

namespace {
const QString kNoDocuments = QStringLiteral("V evidenci nejsou žádné doklady...");
}

void TForm_Tarmil::Action_DokladTiskExecute()
{
    TMSSQLADOQuery *documents = DM->MSSQLADOQuery_Doklad;
    if (!CheckNotEmpty(documents, kNoDocuments) || !CheckDocumentSearch())
        return;
    DM->PrintDocumentById(IntegerOf(documents, QStringLiteral("ID_DOKLAD")), 0, true, true, false, QString());
}

void TForm_Tarmil::Action_DokladPokladniExecute()
{
    TMSSQLADOQuery *documents = DM->MSSQLADOQuery_Doklad;
    if (!CheckNotEmpty(documents, kNoDocuments))
        return;
    if (IntegerOf(documents, QStringLiteral("ID_OPERACE")) != 1) {
        ShowInformation(QStringLiteral("Funkce tisk přijmového pokladního dokladu není dostupná..."),
                        QStringLiteral("Funkce je dostupná pouze pro účteneky za hotové..."), false);
        return;
    }
    if (!CheckDocumentSearch())
        return;
    DM->PrintDocumentById(IntegerOf(documents, QStringLiteral("ID_DOKLAD")), 1, true, true, false, QString());
}

void TForm_Tarmil::Action_DokladStornoExecute()
{
    TMSSQLADOQuery *documents = DM->MSSQLADOQuery_Doklad;
    if (!CheckNotEmpty(documents, kNoDocuments))
        return;
    const int id = IntegerOf(documents, QStringLiteral("ID_DOKLAD"));
    if (!DM->CanCancelDocument(id)) {
        documents->RequeryLocate(QStringLiteral("ID_DOKLAD"));
        ShowInformation(QStringLiteral("Tento doklad nelze vystornovat..."),
                        QStringLiteral("Doklad již byl vystornován, stornovací doklad nelze vystornovat..."), true);
        return;
    }
    if (!CheckRight(40, QStringLiteral("Funkce storno dokladu není dostupná...")))
        return;
    const QString detail =
        Format(QStringLiteral("Doklad (%s / %s)"), {TextOf(documents, QStringLiteral("DOKLAD_NETISTENY")),
                                                    TextOf(documents, QStringLiteral("DOKLAD_VYTISTENY"))});
    if (!ShowQuestion(QStringLiteral("Opravdu chcete vystornovat tento doklad ?"), detail, false))
        return;
    const ItemCardSettings settings = ReadItemCardSettings();
    if (DM->CancelDocument(id, {settings.markRequired, settings.codeRequired, settings.nameRequired}))
        DM->PrintDocumentById(IntegerOf(documents, QStringLiteral("ID_DOKLAD")), 0, true, true, false, QString());
}

void TForm_Tarmil::Action_DokladParovyExecute()
{
    TMSSQLADOQuery *documents = DM->MSSQLADOQuery_Doklad;
    if (!documents->Active() || documents->IsEmpty())
        return;
    Db::Field *reference = documents->FindField(QStringLiteral("REF_ID_DOKLAD"));
    if (reference && !reference->IsNull())
        documents->LocateInteger(QStringLiteral("ID_DOKLAD"), reference->AsInteger());
}

void TForm_Tarmil::Action_DokladPrehledExecute()
{
    if (!CheckNotEmpty(DM->MSSQLADOQuery_Doklad, kNoDocuments) ||
        !CheckRight(41, QStringLiteral("Funkce tisk přehledu dokladů není dostupná...")))
        return;
    DM->PrintDocumentOverview();
}

void TForm_Tarmil::Action_DokladStatistikyExecute()
{
    // Statistics have no screen: the action is offered and does nothing.
}

#include "report/designer/form/designerhelp.h"

#include <QHash>

int vlHelpContext(int tag, bool objectsBar)
{
    if (objectsBar)
        return 430 + std::min(tag, 5);
    return 400 + tag;
}

QString vlHelpText(int context, const QString &hint)
{
    static const QHash<int, QString> topics = {
        {440, QStringLiteral("Nová sestava: zahodí rozpracovanou sestavu (po dotazu na uložení změn) a začne "
                             "prázdnou sestavou s jednou stranou.")},
        {441, QStringLiteral("Otevřít sestavu: načte sestavu ze souboru *.vlf.")},
        {442, QStringLiteral("Uložit sestavu: uloží sestavu do jejího souboru; nepojmenovanou sestavu uloží pod "
                             "jménem, které zvolíte (sestava *.vlf, sestava XML *.vl3 nebo šablona *.vlt).")},
        {443, QStringLiteral("Náhled sestavy: sestaví sestavu nad aktuálními daty a ukáže ji v náhledu.")},
        {444, QStringLiteral("Oříznout: přesune vybrané objekty do schránky editoru.")},
        {445, QStringLiteral("Kopírovat: zkopíruje vybrané objekty do schránky editoru.")},
        {446, QStringLiteral("Vložit: vloží objekty ze schránky editoru na aktuální stranu.")},
        {447, QStringLiteral("Zpět: vrátí poslední změnu (nejvýše 100 kroků).")},
        {448, QStringLiteral("Znovu: provede znovu vrácenou změnu.")},
        {449, QStringLiteral("Přenést dopředu: vybrané objekty se kreslí nad ostatními.")},
        {450, QStringLiteral("Přenést dozadu: vybrané objekty se kreslí pod ostatními.")},
        {451, QStringLiteral("Vybrat vše: vybere všechny objekty strany.")},
        {452, QStringLiteral("Přidat stranu: přidá novou stranu sestavy a otevře její nastavení.")},
        {453, QStringLiteral("Odebrat stranu: odebere aktuální stranu i podsestavy, které ji zobrazují; jediná "
                             "strana se jen vyprázdní.")},
        {454, QStringLiteral("Vlastnosti strany: papír, orientace, okraje a sloupce strany.")},
        {455, QStringLiteral("Mřížka: zobrazí nebo skryje mřížku strany (Ctrl+G).")},
        {456, QStringLiteral("Zarovnávat do mřížky: objekty se při přesunu a změně velikosti přichytávají k "
                             "mřížce (Ctrl+B).")},
        {457, QStringLiteral("Zarovnat do mřížky: posune vybrané objekty a upraví jejich velikost na body mřížky.")},
        {458, QStringLiteral("Nápověda: po stisku tlačítka klepněte na ovládací prvek, o kterém chcete vědět víc.")},
        {459, QStringLiteral("Zavřít: ukončí editor sestav; neuložené změny nabídne k uložení.")},
        {429, QStringLiteral("Vybrat objekt: klepnutím vyberete objekt, tažením vyberete více objektů.")},
        {430, QStringLiteral("Vložit text: tažením na straně vložíte textový objekt.")},
        {431, QStringLiteral("Vložit obrázek: tažením na straně vložíte obrázek.")},
        {432, QStringLiteral("Vložit band: vloží pás sestavy (titulek, záhlaví, data, patičku ...).")},
        {433, QStringLiteral("Vložit podsestavu: vloží objekt, který tiskne další stranu návrhu.")},
        {434, QStringLiteral("Kreslit čáry: tažením na straně nakreslíte čáru.")},
        {435, QStringLiteral("Vložit objekt doplňku: tažením na straně vložíte objekt doplňku.")},
    };
    const auto found = topics.constFind(context);
    if (found != topics.constEnd())
        return found.value();
    if (hint.isEmpty())
        return QStringLiteral("K tomuto místu není nápověda.");
    return hint + QLatin1Char('.');
}

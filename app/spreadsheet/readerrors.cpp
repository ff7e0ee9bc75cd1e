#include "app/spreadsheet/readerrors.h"

#include <freexl.h>
#include <zip.h>

namespace {

QString damaged(const char *what)
{
    return QStringLiteral("soubor je poškozený (%1)").arg(QString::fromUtf8(what));
}

} // namespace

QString ZipErrorReason(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("soubor není sešit ve formátu xlsx (není to archiv zip)");
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("sešit je rozdělený do více souborů archivu");
    case ZIP_ER_CRC:
        return damaged("kontrolní součet dat nesouhlasí");
    case ZIP_ER_EOF:
        return damaged("končí dříve, než jeho obsah");
    case ZIP_ER_INCONS:
        return damaged("adresář archivu neodpovídá jeho obsahu");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return damaged("zkomprimovaná data jsou vadná");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("sešit je zkomprimovaný způsobem, který nelze přečíst");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("sešit je zašifrovaný heslem");
    case ZIP_ER_MEMORY:
        return QStringLiteral("na sešit nestačí paměť");
    case ZIP_ER_NOENT:
    case ZIP_ER_DELETED:
        return QStringLiteral("v archivu chybí část sešitu");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
    case ZIP_ER_OPEN:
        return QStringLiteral("soubor nelze číst");
    default:
        return QStringLiteral("soubor je poškozený");
    }
}

QString XlsLibraryReason(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("soubor nelze otevřít");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("na sešit nestačí paměť");
    case FREEXL_BIFF_OBFUSCATED:
        return QStringLiteral("sešit je chráněn heslem");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return QStringLiteral("texty sešitu jsou v kódování, které nelze převést");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("soubor neobsahuje sešit");
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return QStringLiteral("soubor není sešit ve formátu xls");
    case FREEXL_INVALID_CFBF_HEADER:
        return damaged("hlavička souboru je neplatná");
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR:
        return damaged("končí dříve, než jeho obsah");
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
        return damaged("neplatná velikost oddílu souboru");
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
        return damaged("tabulka umístění dat je vadná");
    case FREEXL_INVALID_MINI_STREAM:
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
        return damaged("tabulka malých datových bloků je vadná");
    case FREEXL_BIFF_INVALID_BOF:
        return damaged("záznam začátku listu je vadný");
    case FREEXL_BIFF_INVALID_SST:
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
        return damaged("tabulka textů buněk je vadná");
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
    case FREEXL_BIFF_UNSELECTED_SHEET:
        return damaged("list sešitu nelze vybrat");
    case FREEXL_ILLEGAL_CELL_ROW_COL:
        return damaged("buňka leží mimo list");
    case FREEXL_ILLEGAL_RK_VALUE:
        return damaged("číselná hodnota buňky je vadná");
    case FREEXL_CRAFTED_FILE:
        return damaged("jeho struktura je úmyslně nebo vážně porušená");
    default:
        return QStringLiteral("soubor je poškozený");
    }
}

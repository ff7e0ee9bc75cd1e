#include "layoutprint.h"

#include "app/layouts/rollpaper.h"
#include "app/start/appglobals.h"
#include "platform/paths.h"
#include "report/printer.h"
#include "report/vlpictureview.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct SaleLine
{
    const char *mark;
    const char *name;
    int vat;
    const char *price;
    const char *quantity;
    int discount;
    const char *unit;
};

// Two lines at 10 %, three at 20 %; the butter has a line discount.
const SaleLine standardBasket[] = {
    {"CHL01", "Chléb žitný 1 kg", 10, "39.90", "2", 0, "ks"},
    {"MAS02", "Máslo čerstvé 250 g", 10, "54.50", "1", 10, "ks"},
    {"LED03", "Žárovka LED 9 W teplá bílá", 20, "129", "10", 0, "ks"},
    {"KAB04", "Prodlužovací kabel 5 m", 20, "249", "1", 0, "ks"},
    {"HRE05", "Hřebíky stavební 40 mm", 20, "89.90", "2.5", 0, "kg"},
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString czechMoney(const QString &plain)
{
    QString text = plain;
    for (qsizetype at = text.indexOf(u',') - 3; at > 0; at -= 3)
        text.insert(at, u' ');
    return text;
}

void ShopLayoutTest::SetUp()
{
    DataModuleTest::SetUp();
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(m_out.isValid());
    // The program folder gets the shipped layouts and templates as on first start.
    SetAppGlobals();
    const Paths::InstallResult installed = Paths::installProgramFiles();
    ASSERT_TRUE(installed.failed.isEmpty()) << qPrintable(installed.failed.join(u' '));

    m_printers = std::make_unique<ScopedPrinterBackend>(std::make_unique<FixedPrinterBackend>());
    vlFreePrinter();
    new TvlRichObject(&m_owner);
    m_report = new TvlReport(&m_owner);
    m_report->ShowProgress = false;
    m_report->OnGetValue = [this](const QString &name, Variant &value) { value = Variable(name); };
    m_report->OnEnterRect = [this](QStringList &memo, TvlView *view) { EnterRect(memo, view); };
    auto *documents = new TvlDBDataSet(&m_owner);
    documents->setObjectName(QStringLiteral("vlDBDataSet_Doklad"));
    documents->SetDataSource(dm->DataSource_Doklad);
    auto *lines = new TvlDBDataSet(&m_owner);
    lines->setObjectName(QStringLiteral("vlDBDataSet_DokladDetail"));
    lines->SetDataSet(dm->MSSQLADOQuery_DokladDetail);
    auto *items = new TvlDBDataSet(&m_owner);
    items->setObjectName(QStringLiteral("vlDBDataSet_Polozka"));
    items->SetDataSource(dm->DataSource_Polozka);

    TDMContact customer;
    customer.KONTAKT = QStringLiteral("Stavebniny Novák a syn s.r.o.");
    customer.IC = QStringLiteral("27074358");
    customer.DIC = QStringLiteral("CZ27074358");
    customer.ADRESA = QStringLiteral("Dlouhá 12, 110 00 Praha 1");
    customer.TELEFON = QStringLiteral("+420 222 333 444");
    customer.EMAIL = QStringLiteral("nakup@novak.example");
    ASSERT_TRUE(dm->NewContact(customer)) << qPrintable(dm->LastErrorText());
    for (const SaleLine &line : standardBasket) {
        TDMItem item;
        item.OZNACENI = item.KOD = QString::fromUtf8(line.mark);
        item.POLOZKA = QString::fromUtf8(line.name);
        item.SPECIFIKACE = QStringLiteral("-");
        item.DPH = Currency::fromInt(line.vat);
        item.SKLAD = QStringLiteral("Sklad-01");
        item.KATEGORIE = QStringLiteral("?");
        item.DODAVATEL = QStringLiteral("-");
        item.PRODEJ = Currency::fromString(QString::fromLatin1(line.price));
        item.NAKUP = item.PRODEJ / 2;
        item.MNOZSTVI = Currency::fromInt(100);
        item.JEDNOTKA = QString::fromUtf8(line.unit);
        item.MINIMUM = Currency::fromString(u"0.5");
        ASSERT_TRUE(dm->NewItem(item)) << qPrintable(dm->LastErrorText());
    }
}

void ShopLayoutTest::TearDown()
{
    delete m_report;
    m_report = nullptr;
    vlFreePrinter();
    m_printers.reset();
    DataModuleTest::TearDown();
}

QStringList ShopLayoutTest::ItemNames() const
{
    QStringList names;
    for (const SaleLine &line : standardBasket)
        names << QString::fromUtf8(line.name);
    return names;
}

int ShopLayoutTest::SellStandardBasket(int operation, int discount)
{
    for (const SaleLine &line : standardBasket) {
        const int id = scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '%1'")
                                  .arg(QString::fromLatin1(line.mark)))
                           .toInt();
        EXPECT_TRUE(
            dm->AddOrEditBasketRow(id, line.discount, Currency::fromString(QString::fromLatin1(line.quantity)), true))
            << qPrintable(dm->LastErrorText());
    }
    int document = 0;
    EXPECT_TRUE(dm->SellBasket(operation, true, QStringLiteral("Stavebniny Novák a syn s.r.o."), discount, document))
        << qPrintable(dm->LastErrorText());
    return document;
}

Variant ShopLayoutTest::Variable(const QString &name)
{
    const QMap<QString, QString> settings = {
        {"DODAVATEL_NAZEV", "Železářství U Kováře s.r.o."},
        {"DODAVATEL_ADRESA", "Náměstí Míru 5, 602 00 Brno"},
        {"DODAVATEL_IC", "12345678"},
        {"DODAVATEL_DIC", "CZ12345678"},
        {"DODAVATEL_TELEFON", "+420 543 210 987"},
        {"DODAVATEL_EMAIL", "prodejna@kovar.example"},
        {"BANKA_UCET", "123456789/0800"},
        {"BANKA_KS", "0308"},
        {"BANKA_VS", ""},
    };
    if (settings.contains(name))
        return Variant(settings.value(name));
    if (name == u"BANKA_SPLATNOST")
        return Variant(QDate::currentDate().addDays(14).toString(QStringLiteral("d.M.yyyy")));
    const QMap<QString, QString> customer = {{"ODBERATEL_NAZEV", "ODBERATEL"}, {"ODBERATEL_ADRESA", "ADRESA"},
                                             {"ODBERATEL_IC", "IC"},           {"ODBERATEL_DIC", "DIC"},
                                             {"ODBERATEL_TELEFON", "TELEFON"}, {"ODBERATEL_EMAIL", "EMAIL"}};
    if (customer.contains(name))
        return Variant(dm->MSSQLADOQuery_Doklad->FieldByName(customer.value(name)).AsString());
    const auto vatCaption = [this](int id) { return QStringLiteral("DPH %1%:").arg(dm->VatRateText(id, false)); };
    if (name == u"DPH1_DPH" || name == u"DPH2_DPH")
        return Variant(vatCaption(name == u"DPH1_DPH" ? 2 : 3));
    if (name == u"DPH1_ZAKLAD" || name == u"DPH2_ZAKLAD")
        return Variant(QStringLiteral("Cena bez %1").arg(vatCaption(name == u"DPH1_ZAKLAD" ? 2 : 3)));
    if (name == u"POZNAMKA")
        return Variant(standingNote + printNote);
    if (name == u"VYTISTENO")
        return Variant(QStringLiteral("software ") + AppTitle + QStringLiteral("\nprogram pro prodejny"));
    return {};
}

void ShopLayoutTest::EnterRect(QStringList &memo, TvlView *view)
{
    const QString &name = view->Name;
    if (name == u"Sestava_Sklad") {
        const QString store = dm->CurrentStoreName();
        if (!memo.isEmpty())
            memo[0] = QStringLiteral("%1 %2").arg(memo[0], store);
        m_report->Title = QStringLiteral("Prehled_Polozek_") + store;
    } else if (name.contains(u"Sestava_Doklad")) {
        m_report->Title = QStringLiteral("Doklad_") +
                          dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("DOKLAD_VYTISTENY")).AsString();
    } else if (name == u"Sestava_Prehled") {
        m_report->Title = QStringLiteral("Prehled_dokladu");
    } else if (name.contains(u"Hlavicka") || name.contains(u"Informace")) {
        auto *rich = dynamic_cast<TvlRichView *>(view);
        const QString path = AppPath + (name.contains(u"Hlavicka") ? "Hlavicka.rtf" : "Informace.rtf");
        if (rich && QFile::exists(path))
            rich->SetRtf(readAll(path));
        else if (rich)
            rich->RichEdit.setPlainText(path);
        if (rich)
            rich->PrepareText([this](const QString &expression) { return m_report->Calculate(expression).toString(); });
    } else if (name.contains(u"Logo") || name.contains(u"Podpis")) {
        auto *picture = dynamic_cast<TvlPictureView *>(view);
        const QString path = AppPath + (name.contains(u"Logo") ? "Logo.bmp" : "Podpis.bmp");
        if (picture && QFile::exists(path))
            picture->Picture.LoadAny(readAll(path));
    }
}

QStringList ShopLayoutTest::PrintLayout(const QString &fileName)
{
    QString error;
    if (!m_report->LoadFromFile(CombinePath(fileName, PathSestavy), &error)) {
        errorText = error;
        return {};
    }
    FollowRollLength(*m_report);
    if (!m_report->PrepareReport()) {
        errorText = m_report->ErrorText();
        return {};
    }
    reportTitle = m_report->Title;
    pdfPath = m_out.filePath(QString(fileName).replace(QStringLiteral(".vlf"), QStringLiteral(".pdf")));
    vlPrinter().Printer()->setOutputFileName(pdfPath);
    if (!m_report->PrintPreparedReport(QString(), 1)) {
        errorText = QStringLiteral("printing failed");
        return {};
    }
    // Kept for looking at when asked for.
    const QString keep = qEnvironmentVariable("TARMIL5_LAYOUT_PDFS");
    if (!keep.isEmpty()) {
        const QString kept = keep + u'/' + QFileInfo(pdfPath).fileName();
        QFile::remove(kept);
        QFile::copy(pdfPath, kept);
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    text.waitForFinished();
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList ShopLayoutTest::PageSizes() const
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"),
               {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("99"), pdfPath});
    info.waitForFinished();
    QStringList sizes;
    const QRegularExpression size(QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    auto it = size.globalMatch(QString::fromUtf8(info.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto match = it.next();
        sizes << QStringLiteral("%1 x %2")
                     .arg(qRound(match.captured(1).toDouble()))
                     .arg(qRound(match.captured(2).toDouble()));
    }
    return sizes;
}

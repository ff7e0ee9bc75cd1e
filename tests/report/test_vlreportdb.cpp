#include "common/test_connection.h"
#include "platform/cp1250.h"
#include "report/dbdataset.h"
#include "report/rich/vlrichview.h"
#include "report/vlpictureview.h"
#include "reportbuild.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

class ReportQuery : public DatabaseTest
{
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        run(QStringLiteral(
            "CREATE TABLE doklad (id integer PRIMARY KEY, cislo varchar(10), poznamka text);"
            "CREATE TABLE radek (id integer PRIMARY KEY, id_doklad integer, polozka varchar(40), "
            " cena numeric(19,4), mnozstvi real);"
            "INSERT INTO doklad VALUES (1, 'F001', 'první\nřádek'), (2, 'F002', NULL), (3, 'F003', NULL);"
            "INSERT INTO radek VALUES (1, 1, 'Mléko', 21.9, 2), (2, 1, 'Chléb', 39, 1), "
            " (3, 3, 'Sýr', 35.5, 3);"));
        documents.setParent(&t.owner);
        items.setParent(&t.owner);
        documents.setObjectName("Doklady");
        documents.SetConnection(&connection);
        documents.SetSQL(QStringLiteral("SELECT * FROM doklad ORDER BY id"));
        items.setObjectName("Radky");
        items.SetConnection(&connection);
        items.SetSQL(QStringLiteral("SELECT * FROM radek WHERE id_doklad = :id ORDER BY id"));
        source.SetDataSet(&documents);
        master.setParent(&t.owner);
        master.setObjectName("vlDoklady");
        master.SetDataSet(&documents);
        detail.setParent(&t.owner);
        detail.setObjectName("vlRadky");
        detail.SetDataSet(&items);
        items.SetMasterSource(&source);
    }

    TestReport t;
    Db::Dataset documents, items;
    Db::DataSource source;
    TvlDBDataSet master, detail;
};

} // namespace

TEST_F(ReportQuery, MasterDetailFromARealQuery)
{
    t.report->OnGetValue = nullptr;
    t.Band(btMasterData, 20, 20, "vlDoklady", 48 | bfPrintIfDetailEmpty);
    t.Memo(20, 20, 300, 18, {"Doklad [cislo] [poznamka]"});
    t.Band(btDetailData, 50, 20, "vlRadky");
    t.Memo(40, 50, 400, 18, {"[LINE#]. [polozka] [mnozstvi] x [cena #N10,2] = [[cena] * [mnozstvi] #N10,2]"});
    t.Band(btDetailFooter, 80, 20);
    t.Memo(40, 80, 300, 18, {"Celkem [SUM([cena] * [mnozstvi]) #N10,2]"});
    t.Band(btReportSummary, 110, 20);
    t.Memo(20, 110, 300, 18, {"Dokladů [COUNT(vlDoklady)], řádek [Radky.polozka]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "Doklad F001 první|řádek", "1. Mléko 2 x 21,90 = 43,80",
                                       "2. Chléb 1 x 39,00 = 39,00", "Celkem 82,80", "Doklad F002  ", "Doklad F003  ",
                                       "1. Sýr 3 x 35,50 = 106,50", "Celkem 106,50", "Dokladů 3, řádek Sýr"}));
}

TEST_F(ReportQuery, GroupHeadersReadTheFieldsOfTheirDataBand)
{
    t.report->OnGetValue = nullptr;
    t.Band(btGroupHeader, 20, 20, "[id_doklad]");
    t.Memo(20, 20, 300, 18, {"Doklad č. [id_doklad]"});
    t.Band(btMasterData, 50, 20, "vlRadky");
    t.Memo(40, 50, 300, 18, {"[polozka]"});
    t.Band(btGroupFooter, 80, 20);
    t.Memo(20, 80, 300, 18, {"[COUNT(Band2)] řádky"});
    items.SetMasterSource(nullptr);
    items.SetSQL(QStringLiteral("SELECT * FROM radek ORDER BY id_doklad, id"));
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()),
              lines({"page 1", "Doklad č. 1", "Mléko", "Chléb", "2 řádky", "Doklad č. 3", "Sýr", "1 řádky"}));
}

TEST_F(ReportQuery, RichTextAndPicturesFromTextAndBinaryColumns)
{
    QImage logo(8, 6, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    run(QStringLiteral(
            "ALTER TABLE doklad ADD COLUMN text_rtf text, ADD COLUMN logo bytea;"
            "UPDATE doklad SET text_rtf = '{\\rtf1\\ansi\\ansicpg1250 {\\b Tu\\''e8n\\''fd} text [cislo]\\par}', "
            "logo = decode('%1', 'hex') WHERE id = 1;")
            .arg(QString::fromLatin1(png.toHex())));
    t.report->OnGetValue = nullptr;
    t.Band(btMasterData, 20, 60, "vlDoklady");
    auto rich = std::make_unique<TvlRichView>();
    rich->SetBounds(20, 20, 300, 30);
    rich->Memo = {"[text_rtf]"};
    t.page->Add(std::move(rich));
    auto picture = std::make_unique<TvlPictureView>();
    picture->SetBounds(400, 20, 40, 30);
    picture->Memo = {"[Doklady.logo]"};
    t.page->Add(std::move(picture));
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    QStringList seen;
    t.report->EMFPages.ExportPage(0, [&](TvlView &view) {
        if (auto *text = dynamic_cast<TvlRichView *>(&view))
            seen << ("text " + text->WorkText().toPlainText()).trimmed();
        else if (auto *image = dynamic_cast<TvlPictureView *>(&view))
            seen << QStringLiteral("picture %1x%2 %3")
                        .arg(image->Picture.Image().width())
                        .arg(image->Picture.Image().height())
                        .arg(image->Picture.Image().isNull() ? "-" : QColor(image->Picture.Image().pixel(0, 0)).name());
    });
    // The rows without content print empty objects, not the first row's.
    EXPECT_EQ(lines(seen),
              lines({"text Tučný text F001", "picture 8x6 #ff0000", "text", "picture 0x0 -", "text", "picture 0x0 -"}));
}

TEST_F(ReportQuery, CzechLettersOfRichTextsFromTextAndBinaryColumns)
{
    // Text columns hold Unicode text: rich text typed with its letters as
    // they are, or escaped in its own code page, and plain text. Only the
    // bytes of a binary column are read in the rich text's own code page.
    const QString letters = QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
    QString escaped;
    for (const uchar byte : Cp1250::encode(letters))
        escaped += QStringLiteral("\\'%1").arg(byte, 2, 16, QLatin1Char('0'));
    const QString head = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 ");
    const QStringList texts{head + letters + "\\par}", head + escaped + "\\par}", letters};
    const QList<QByteArray> bytes{(head + escaped + "\\par}").toLatin1(),
                                  head.toLatin1() + Cp1250::encode(letters) + "\\par}", Cp1250::encode(letters)};
    run(QStringLiteral("CREATE TABLE texty (id integer, obsah text, data bytea);"));
    for (int i = 0; i < 3; ++i)
        run(QStringLiteral("INSERT INTO texty VALUES (%1, convert_from(decode('%2', 'hex'), 'UTF8'), "
                           "decode('%3', 'hex'))")
                .arg(i)
                .arg(QString::fromLatin1(texts[i].toUtf8().toHex()), QString::fromLatin1(bytes[i].toHex())));
    documents.SetSQL(QStringLiteral("SELECT * FROM texty ORDER BY id"));
    t.report->OnGetValue = nullptr;
    t.Band(btMasterData, 20, 60, "vlDoklady");
    for (const char *field : {"[obsah]", "[data]"}) {
        auto rich = std::make_unique<TvlRichView>();
        rich->SetBounds(20, 20, 300, 30);
        rich->Memo = {field};
        t.page->Add(std::move(rich));
    }
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    QStringList seen;
    t.report->EMFPages.ExportPage(0, [&](TvlView &view) {
        if (auto *text = dynamic_cast<TvlRichView *>(&view))
            seen << text->WorkText().toPlainText().trimmed();
    });
    EXPECT_EQ(lines(seen), lines(QStringList(6, letters)));
}

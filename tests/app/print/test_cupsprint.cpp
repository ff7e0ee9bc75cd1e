// A receipt through a real print queue: a CUPS scheduler of the test's own
// (own folders, a local socket, no network) with a queue of the PDF printer
// driver, whose file is read back. Skipped where the scheduler or the
// driver cannot run.
#include "app/print/nahled_fixture.h"
#include "app/start/appglobals.h"
#include "report/printer.h"
#include "report/vlpage.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>
#include <functional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kQueue = QStringLiteral("TarmilPDF");

class PrivateCups
{
public:
    ~PrivateCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000))
                m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    // Empty when the scheduler runs with the queue; else why not.
    QString Start()
    {
        for (const QString &needed : {kCupsd, kBackend, kPpd, QStringLiteral("/usr/sbin/lpadmin")})
            if (!QFileInfo::exists(needed))
                return QStringLiteral("%1 is not installed").arg(needed);
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        // The scheduler's filters run as another user: they must reach the spool.
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QDir dir(m_dir.path());
        for (const char *sub : {"spool", "log", "state", "cache", "tmp"})
            dir.mkpath(QString::fromLatin1(sub));
        ::chmod(QFile::encodeName(dir.filePath("tmp")).constData(), 01777); // the filters' scratch files
        m_socket = dir.filePath(QStringLiteral("cups.sock"));
        write(dir.filePath("cupsd.conf"), QStringLiteral("Listen %1\nWebInterface No\nBrowsing No\nLogLevel info\n"
                                                         "<Location />\n  Order allow,deny\n  Allow all\n"
                                                         "</Location>\n")
                                              .arg(m_socket));
        write(dir.filePath("cups-files.conf"),
              QStringLiteral(
                  "ServerRoot %1\nRequestRoot %1/spool\nStateDir %1/state\nCacheDir %1/cache\n"
                  "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                  "PageLog %1/log/page_log\nPrintcap %1/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                  "User lp\nGroup lp\nSystemGroup root\n")
                  .arg(dir.path()));
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(kCupsd, {"-f", "-c", dir.filePath("cupsd.conf"), "-s", dir.filePath("cups-files.conf")});
        if (!m_cupsd.waitForStarted(5000))
            return QStringLiteral("cupsd does not start");
        for (int i = 0; i < 100 && !QFileInfo::exists(m_socket); ++i) {
            if (m_cupsd.state() == QProcess::NotRunning)
                return QStringLiteral("cupsd stopped: %1 %2")
                    .arg(QString::fromLocal8Bit(m_cupsd.readAll()), log(QStringLiteral("error_log")));
            QThread::msleep(100);
        }
        if (!QFileInfo::exists(m_socket))
            return QStringLiteral("cupsd opens no socket");
        QString output;
        if (!client(QStringLiteral("/usr/sbin/lpadmin"), {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P", kPpd}, &output))
            return QStringLiteral("lpadmin refused the queue: %1").arg(output);
        return {};
    }

    const QString &Socket() const { return m_socket; }

    bool client(const QString &program, const QStringList &arguments, QString *output = nullptr) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), m_socket);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
        if (output)
            *output = QString::fromLocal8Bit(process.readAll());
        return done;
    }

    QString log(const QString &name) const
    {
        QFile file(QDir(m_dir.path()).filePath(QStringLiteral("log/") + name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(2000)) : QString();
    }

private:
    static void write(const QString &path, const QString &text)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }

    QTemporaryDir m_dir{QStringLiteral("/tmp/tarmil5-cups-XXXXXX")};
    QString m_socket;
    QProcess m_cupsd;
};

// The folder the PDF driver writes the job owner's files to.
QString driverOutputFolder()
{
    const passwd *user = getpwuid(getuid());
    return QDir(QString::fromLocal8Bit(user ? user->pw_dir : qgetenv("HOME").constData())).filePath("PDF");
}

// Each character replaced by the place where it first occurs: "ABA" and "xyx" both give 0,1,0.
QList<int> LetterPattern(const QString &text)
{
    QList<int> pattern;
    const QList<uint> characters = text.toUcs4();
    for (uint c : characters)
        pattern << int(characters.indexOf(c));
    return pattern;
}

// The PDF files of a folder with the time each was last written: the driver
// numbers its files by the scheduler's job, so a later test's job may write
// a file of the same name as one left by an earlier run.
QMap<QString, QDateTime> pdfFiles(const QString &folder)
{
    QMap<QString, QDateTime> files;
    for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
        files.insert(file.fileName(), file.lastModified());
    return files;
}

// Starts the scheduler with its queue for every CUPS client of the process,
// with the program's printer backend (the real one) instead of the
// fixture's; empty when it runs, else why not.
QString startQueue(PrivateCups &cups, std::unique_ptr<ScopedPrinterBackend> &printers)
{
    if (const QString problem = cups.Start(); !problem.isEmpty())
        return QStringLiteral("no private CUPS scheduler: ") + problem;
    qputenv("CUPS_SERVER", cups.Socket().toLocal8Bit());
    printers.reset();
    vlFreePrinter();
    if (!QPrinterInfo::availablePrinterNames().contains(kQueue))
        return QStringLiteral("the print system of this process does not see the test's scheduler");
    return {};
}

// Prints and waits until the job has left the queue; the file the driver
// wrote, or empty when it wrote none.
QString printedThroughQueue(PrivateCups &cups, const std::function<void()> &print)
{
    const QString output = driverOutputFolder();
    const QMap<QString, QDateTime> before = pdfFiles(output);
    print();
    QString produced;
    int afterQueue = 0;
    for (int i = 0; i < 600 && produced.isEmpty() && afterQueue < 20; ++i) {
        QString jobs;
        cups.client(QStringLiteral("/usr/bin/lpstat"), {"-o", kQueue}, &jobs);
        if (!jobs.trimmed().isEmpty())
            afterQueue = 0;
        else
            ++afterQueue;
        const QMap<QString, QDateTime> now = pdfFiles(output);
        for (auto file = now.cbegin(); file != now.cend(); ++file)
            if (before.value(file.key()) != file.value() && jobs.trimmed().isEmpty())
                produced = QDir(output).filePath(file.key());
        if (produced.isEmpty())
            QThread::msleep(100);
    }
    return produced;
}

TEST_F(NahledTest, ReceiptThroughARealPrintQueue)
{
    PrivateCups cups;
    if (const QString problem = startQueue(cups, printers); !problem.isEmpty())
        GTEST_SKIP() << problem.toStdString();

    WriteSimple(QStringLiteral("Uctenka_A4.vlf"), QStringLiteral("Účtenka [vlDBDataSet_Doklad.doklad_vytisteny]"));
    settings.format = ReceiptFormat::A4;
    settings.setPrinter(DocumentPrinter::UctenkaA4, 0, kQueue);
    auto form = NewForm();
    const QString produced = printedThroughQueue(cups, [&] { form->PrintDocument(1, 0, QString(), false, false); });
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << messages.calls.value(0).detail.toStdString();
    EXPECT_EQ(vlPrinter().PrinterName(), kQueue);
    ASSERT_FALSE(produced.isEmpty()) << "no PDF in " << driverOutputFolder().toStdString() << "\n"
                                     << cups.log(QStringLiteral("error_log")).toStdString();
    const QString text = PdfText(produced).simplified();
    QFile::remove(produced);
    // The driver takes PostScript: on the way there the fonts lose the map
    // from their glyphs to characters, so the text reads back as other
    // characters, one for each letter. The document number must come out
    // with the same letters in the same places.
    const QStringList words = text.split(u' ');
    ASSERT_EQ(words.size(), 2) << text.toStdString();
    EXPECT_EQ(LetterPattern(words[1]), LetterPattern("FA-2024-0007")) << text.toStdString();

    // The note of the A5 receipt, in a box filled grey as wide as the receipt's.
    QFile note(Path(QStringLiteral("Informace.rtf")));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\fs14 Reklamace uplat\\'f2ujte "
               "v prodejn\\'ec s t\\'edmto dokladem. Z\\'e1ru\\'e8n\\'ed doba je 24 m\\'ecs\\'edc\\'f9, "
               "nen\\'ed-li u zbo\\'9e\\'ed uvedeno jinak. Zbo\\'9e\\'ed z\\'f9st\\'e1v\\'e1 a\\'9e do "
               "\\'fapln\\'e9ho zaplacen\\'ed majetkem prod\\'e1vaj\\'edc\\'edho.}");
    note.close();
    LayoutBuilder layout;
    layout.Band(btReportTitle, 0, 200);
    layout.Rich(QStringLiteral("Informace"), 40, 20, 185, 70);
    layout.page->Objects.back()->FillColor = 0xC0C0C0;
    layout.Save(CombinePath(QStringLiteral("Uctenka_A5.vlf"), PathSestavy));
    settings.format = ReceiptFormat::A5;
    settings.setPrinter(DocumentPrinter::UctenkaA5, 0, kQueue);
    const QString noted = printedThroughQueue(cups, [&] { form->PrintDocument(1, 0, QString(), false, false); });
    ASSERT_FALSE(noted.isEmpty()) << cups.log(QStringLiteral("error_log")).toStdString();
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {"-r", "182", "-gray", "-singlefile", noted, noted});
    render.waitForFinished(60000);
    const QImage page(noted + QStringLiteral(".pgm"));
    QFile::remove(noted);
    QFile::remove(noted + QStringLiteral(".pgm"));
    // At 182 per inch two pixels make a layout pixel: the text keeps the
    // box's gap of two layout pixels free on the right.
    QRect box, ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const int grey = qGray(page.pixel(x, y));
            if (std::abs(grey - 0xC0) <= 12)
                box |= QRect(x, y, 1, 1);
            else if (grey < 0x60)
                ink |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(box.contains(ink));
    EXPECT_LE(ink.right(), box.right() - 2) << "ink to " << ink.right() << ", box to " << box.right();
    EXPECT_GT(ink.width(), box.width() * 8 / 10);
    qunsetenv("CUPS_SERVER");
}

} // namespace

// makereports FOLDER: writes the shop's report layouts into FOLDER/Sestavy
// and the document templates into FOLDER, as the program installs them.
#include "platform/printers.h"
#include "report/printer.h"
#include "report/rich/vlrichview.h"
#include "report/vlreport.h"
#include "shoplayouts.h"
#include "templates.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool fail(const QString &text)
{
    std::fprintf(stderr, "makereports: %s\n", qPrintable(text));
    return false;
}

bool writeAll(const QDir &folder)
{
    if (!folder.mkpath(QStringLiteral("Sestavy")))
        return fail(QStringLiteral("cannot create ") + folder.filePath(QStringLiteral("Sestavy")));
    for (const ShopLayout &layout : ShopLayouts()) {
        TvlReport report;
        layout.build(report);
        QString error;
        if (!report.SaveToFile(folder.filePath(QStringLiteral("Sestavy/") + layout.fileName), &error))
            return fail(layout.fileName + QStringLiteral(": ") + error);
    }
    const struct
    {
        const char *name;
        QByteArray bytes;
    } texts[] = {{"Hlavicka.rtf", LetterheadRtf()}, {"Informace.rtf", InformationRtf()}};
    for (const auto &text : texts)
        if (!writeBytes(folder.filePath(QLatin1String(text.name)), text.bytes))
            return fail(QStringLiteral("cannot write ") + QLatin1String(text.name));
    if (!LogoImage().save(folder.filePath(QStringLiteral("Logo.bmp")), "BMP") ||
        !SignatureImage().save(folder.filePath(QStringLiteral("Podpis.bmp")), "BMP"))
        return fail(QStringLiteral("cannot write the bitmaps"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makereports FOLDER\n");
        return 2;
    }
    // The layouts must not depend on the printers of the machine that builds
    // them: they are laid out for the engine's virtual printer.
    ScopedPrinterBackend noPrinters(std::make_unique<FixedPrinterBackend>());
    vlFreePrinter();
    TvlRichObject richText; // rich text objects are part of the layouts
    const bool ok = writeAll(QDir(QString::fromLocal8Bit(argv[1])));
    vlFreePrinter();
    return ok ? 0 : 1;
}

#include "app/print/templateobjects.h"

#include "app/print/printdata.h"
#include "app/start/appglobals.h"
#include "report/rich/rtfreader.h"
#include "report/rich/vlrichview.h"
#include "report/vlpictureview.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace {

QByteArray readFile(const QString &path, bool &ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    return ok ? file.readAll() : QByteArray();
}

} // namespace

void TTemplateObjects::Apply(TvlView &view, QStringList &memo, QString &title) const
{
    const QString &name = view.Name;
    if (name == QLatin1String("Sestava_Sklad")) {
        const QString store = data.StoreName();
        if (memo.isEmpty())
            memo << QString();
        memo[0] = QStringLiteral("%1 %2").arg(memo[0], store);
        title = QStringLiteral("Prehled_Polozek_%1").arg(store);
    } else if (name.contains(QLatin1String("Sestava_Doklad"))) {
        title = QStringLiteral("Doklad_%1").arg(data.DocumentField(QStringLiteral("DOKLAD_VYTISTENY")));
    } else if (name == QLatin1String("Sestava_Prehled")) {
        title = QStringLiteral("Prehled_dokladu");
    } else if (name.contains(QLatin1String("Hlavicka"))) {
        LoadRichText(view, memo, QStringLiteral("Hlavicka.rtf"));
    } else if (name.contains(QLatin1String("Logo"))) {
        LoadPicture(view, QStringLiteral("Logo.bmp"));
    } else if (name.contains(QLatin1String("Informace"))) {
        LoadRichText(view, memo, QStringLiteral("Informace.rtf"));
    } else if (name.contains(QLatin1String("Podpis"))) {
        LoadPicture(view, QStringLiteral("Podpis.bmp"));
    }
}

void TTemplateObjects::LoadRichText(TvlView &view, QStringList &memo, const QString &file) const
{
    const QString path = CombinePath(file, appPath);
    bool found = false;
    const QByteArray bytes = QFileInfo(path).isFile() ? readFile(path, found) : QByteArray();
    if (auto *rich = dynamic_cast<TvlRichView *>(&view)) {
        if (found) {
            rich->SetRtf(bytes);
            rich->PrepareText(expand);
        } else {
            rich->RichEdit.setPlainText(path);
            rich->PrepareText({}); // a path is no expression
        }
        return;
    }
    // A memo takes the text as it stands, without formatting.
    if (!found) {
        memo = QStringList{path};
        return;
    }
    QTextDocument document;
    vlReadRtf(bytes, document);
    memo = document.toPlainText().split(u'\n');
}

void TTemplateObjects::LoadPicture(TvlView &view, const QString &file) const
{
    auto *picture = dynamic_cast<TvlPictureView *>(&view);
    const QString path = CombinePath(file, appPath);
    bool found = false;
    const QByteArray bytes = QFileInfo(path).isFile() ? readFile(path, found) : QByteArray();
    if (picture && found)
        picture->Picture.LoadAny(bytes);
}

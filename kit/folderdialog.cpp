#include "kit/folderdialog.h"

#include "kit/glyphs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace {

QString location(QStandardPaths::StandardLocation where)
{
    return QStandardPaths::writableLocation(where);
}

QString inHome(const QString &relative)
{
    return QDir::homePath() + QLatin1Char('/') + relative;
}

QString cleaned(const QString &path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool isInside(const QString &path, const QString &rootPath)
{
    if (rootPath.isEmpty() || rootPath == QLatin1String("/"))
        return true;
    return path == rootPath || path.startsWith(rootPath + QLatin1Char('/'));
}

} // namespace

TFolderDialog::TFolderDialog(QObject *owner)
    : QObject(owner)
{}

QString TFolderDialog::specialFolderPath(int number)
{
    switch (number) {
    case foDesktop:
    case foDesktopFolder:
        return location(QStandardPaths::DesktopLocation);
    case foPrograms:
    case foStartMenu:
        return location(QStandardPaths::ApplicationsLocation);
    case foPersonal:
        return location(QStandardPaths::DocumentsLocation);
    case foStartup:
        return location(QStandardPaths::GenericConfigLocation) + "/autostart";
    case 13:
        return location(QStandardPaths::MusicLocation);
    case 14:
        return location(QStandardPaths::MoviesLocation);
    case foMyComputer:
        return QStringLiteral("/");
    case foFonts:
        return location(QStandardPaths::FontsLocation);
    case foTemplates:
        return inHome(QStringLiteral("Templates"));
    case 26:
        return location(QStandardPaths::GenericConfigLocation); // application data
    case 28:
        return location(QStandardPaths::GenericDataLocation); // local application data
    case 32:
        return location(QStandardPaths::GenericCacheLocation); // internet cache
    case 39:
        return location(QStandardPaths::PicturesLocation);
    case 40:
        return QDir::homePath(); // the user's profile
    default:
        return QString();
    }
}

int TFolderDialog::specialFolderOf(const QString &path)
{
    const QString wanted = cleaned(path);
    for (int number = 0; number <= 255; ++number) {
        const QString candidate = specialFolderPath(number);
        if (!candidate.isEmpty() && cleaned(candidate) == wanted)
            return number;
    }
    return -1;
}

bool TFolderDialog::Execute()
{
    QString rootPath;
    if (root != foDesktopExpanded) {
        rootPath = cleaned(specialFolderPath(root));
        if (!QFileInfo(rootPath).isDir())
            rootPath.clear(); // a folder this system does not have: no restriction
    }
    QString start = cleaned(folderPath);
    if (start.isEmpty() || !QFileInfo(start).isDir() || !isInside(start, rootPath))
        start = rootPath.isEmpty() ? QDir::homePath() : rootPath;

    for (;;) {
        const std::optional<QString> chosen = browse(start, rootPath);
        if (!chosen)
            return false;
        const QString path = cleaned(*chosen);
        if (QFileInfo(path).isDir() && isInside(path, rootPath)) {
            folderPath = path;
            special = returnSpecial ? specialFolderOf(path) : -1;
            return true;
        }
        // Not a folder that exists: say so and browse again from where it was.
        if (flagSet.testFlag(Validate) && receivers(SIGNAL(OnValidateFailed(QString))) > 0)
            emit OnValidateFailed(path);
        else
            Glyphs::beep();
        const QString parent = QFileInfo(path).absolutePath();
        start = QFileInfo(parent).isDir() && isInside(parent, rootPath) ? parent : start;
    }
}

std::optional<QString> TFolderDialog::browse(const QString &start, const QString &rootPath)
{
    QWidget *owner = qobject_cast<QWidget *>(parent());
    if (!owner)
        owner = QApplication::activeWindow();
    QFileDialog dialog(owner, QStringLiteral("Výběr složky"), start);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::ReadOnly, flagSet.testFlag(HideNewFolderButton));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Aktuální složka:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Složka:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Vybrat"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Storno"));
    connect(&dialog, &QFileDialog::currentChanged, this, &TFolderDialog::OnSelectionChanged);
    if (!rootPath.isEmpty()) {
        // Keep the browser inside the root.
        connect(&dialog, &QFileDialog::directoryEntered, &dialog, [&dialog, rootPath](const QString &dir) {
            if (!isInside(QDir::cleanPath(dir), rootPath))
                dialog.setDirectory(rootPath);
        });
    }
    emit OnInitialized();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

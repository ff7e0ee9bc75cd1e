#pragma once
// Lets the user pick a folder: Folder preselects one and holds the choice
// after a successful Execute. The browser is Qt's folder dialog, which has
// its own new-folder button and shows the path being chosen.
#include <QObject>
#include <QString>

#include <optional>

class QFileDialog;

class TFolderDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Folder READ folder WRITE setFolder)
    Q_PROPERTY(TBrowseInfoFlagSet Flags READ flags WRITE setFlags)
    Q_PROPERTY(TSHFolders RootFolder READ rootFolder WRITE setRootFolder)
    Q_PROPERTY(bool ReturnSpecialFolder READ returnSpecialFolder WRITE setReturnSpecialFolder)
    Q_PROPERTY(int SpecialFolder READ specialFolder STORED false)

public:
    enum TBrowseInfoFlag {
        OnlyFileSystem = 0x0001,
        OnlyDomains = 0x0002,
        ShowPath = 0x0004,
        OnlyAncestors = 0x0008,
        EditBox = 0x0010,
        Validate = 0x0020,
        NewDialogStyle = 0x0040,
        IncludeURLs = 0x0080,
        UsageHint = 0x0100,
        HideNewFolderButton = 0x0200,
        OnlyComputers = 0x1000,
        OnlyPrinters = 0x2000,
        Includefiles = 0x4000,
        ShowShared = 0x8000,
    };
    Q_DECLARE_FLAGS(TBrowseInfoFlagSet, TBrowseInfoFlag)
    Q_FLAG(TBrowseInfoFlagSet)

    // Roots of the tree, by the number of the special folder they stand for.
    enum TSHFolders {
        foDesktop = 0,
        foDesktopExpanded = -1, // no root restriction
        foPrograms = 2,
        foControlPanel = 3,
        foPrinters = 4,
        foPersonal = 5,
        foFavorites = 6,
        foStartup = 7,
        foRecent = 8,
        foSendto = 9,
        foRecycleBin = 10,
        foStartMenu = 11,
        foDesktopFolder = 16,
        foMyComputer = 17,
        foNetwork = 18,
        foNetworkNeighborhood = 19,
        foFonts = 20,
        foTemplates = 21,
    };
    Q_ENUM(TSHFolders)

    explicit TFolderDialog(QObject *owner = nullptr);

    QString folder() const { return folderPath; }
    void setFolder(const QString &value) { folderPath = value; }
    TBrowseInfoFlagSet flags() const { return flagSet; }
    void setFlags(TBrowseInfoFlagSet value) { flagSet = value; }
    TSHFolders rootFolder() const { return root; }
    void setRootFolder(TSHFolders value) { root = value; }
    bool returnSpecialFolder() const { return returnSpecial; }
    void setReturnSpecialFolder(bool value) { returnSpecial = value; }
    int specialFolder() const { return special; }

    // Runs the browser; true when a folder was chosen.
    bool Execute();

    // The folder a special-folder number stands for here; empty for the
    // numbers that have no folder on this system (control panel, printers,
    // network, recycle bin, ...).
    static QString specialFolderPath(int number);
    // The first special-folder number 0..255 whose folder is the path, or -1.
    static int specialFolderOf(const QString &path);

signals:
    void OnInitialized();
    void OnSelectionChanged(const QString &path);
    void OnValidateFailed(const QString &path);

protected:
    // Shows the browser at the start folder, keeping to the root (empty: no
    // root); the chosen path, or nothing when it was cancelled.
    virtual std::optional<QString> browse(const QString &start, const QString &rootPath);

private:
    QString folderPath;
    TBrowseInfoFlagSet flagSet = TBrowseInfoFlagSet(ShowPath | NewDialogStyle | ShowShared);
    TSHFolders root = foDesktopExpanded;
    bool returnSpecial = false;
    int special = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFolderDialog::TBrowseInfoFlagSet)

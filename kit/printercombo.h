#pragma once
// Lists the installed printers, each with a local or network printer icon.
// PrinterIndex is the position in the printer list. Beside it PrinterName is
// kept: when the printer at the stored position is no longer the one chosen,
// the name finds it again, or the default printer is taken, so a document
// never goes to whichever printer now has that position.
#include "kit/kxtypes.h"

#include <QComboBox>
#include <QImage>
#include <QList>

struct TPrinterInfo
{
    QString ServerName;
    QString PrinterName;
    QString ShareName;
    QString PortName;
    QString DriverName;
    QString Comment;
    QString Location;
    int PrinterIndex = -1; // position in the printer list
    bool IsDefault = false;
    bool IsNetwork = false;
    int Status = 0;
    QImage Icon; // shared with the combo box
};

class TPrinterComboBox : public QComboBox, public TKxLoadable
{
    Q_OBJECT
    Q_PROPERTY(TIconSize IconSize READ iconSizeKind WRITE setIconSizeKind)
    Q_PROPERTY(int PrinterIndex READ printerIndex WRITE setPrinterIndex NOTIFY OnChange USER true)
    Q_PROPERTY(QString PrinterName READ printerName WRITE setPrinterName)

public:
    enum TIconSize { tiSmallIcon, tiLargeIcon };
    Q_ENUM(TIconSize)

    explicit TPrinterComboBox(QWidget *parent = nullptr);

    TIconSize iconSizeKind() const { return iconKind; }
    void setIconSizeKind(TIconSize value);
    int printerIndex() const { return currentIndex(); }
    void setPrinterIndex(int value);
    // The chosen printer's name; setting it selects that printer again, or
    // the default printer when it is no longer installed.
    QString printerName() const;
    void setPrinterName(const QString &name);
    const QList<TPrinterInfo> &printers() const { return infos; }

    // Reads the printer list again (the window's re-creation in the original).
    void Refresh();
    // The printer icons, drawn in code: local or network, 16 or 32 pixels.
    static QImage printerIcon(bool network, bool large);

signals:
    void OnChange();

private:
    int defaultIndex() const;
    void notifyChange();

    TIconSize iconKind = tiSmallIcon;
    QList<TPrinterInfo> infos;
};

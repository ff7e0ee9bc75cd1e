#include "kit/printercombo.h"

#include "platform/printers.h"

#include <QAbstractItemView>
#include <QPainter>

TPrinterComboBox::TPrinterComboBox(QWidget *parent)
    : QComboBox(parent)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &TPrinterComboBox::notifyChange);
    Refresh();
}

QImage TPrinterComboBox::printerIcon(bool network, bool large)
{
    const int size = large ? 32 : 16;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5); // paper going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 5, 13, 6); // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4); // paper coming out
    p.fillRect(11, 7, 2, 1, QColor(0, 160, 0));
    if (network) {
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawLine(QPointF(14, 15), QPointF(14, 12)); // the cable to the network
        p.drawLine(QPointF(10, 15), QPointF(16, 15));
    }
    return image;
}

void TPrinterComboBox::Refresh()
{
    const QSignalBlocker quiet(this);
    clear();
    infos.clear();
    const QList<PrinterDescription> installed = printerBackend().printers();
    const bool large = iconKind == tiLargeIcon;
    const QImage local = printerIcon(false, large);
    const QImage network = printerIcon(true, large);
    setIconSize(local.size());
    for (int i = 0; i < installed.size(); ++i) {
        const PrinterDescription &printer = installed[i];
        TPrinterInfo info;
        info.PrinterName = printer.name;
        info.Comment = printer.description;
        info.Location = printer.location;
        info.DriverName = printer.makeAndModel;
        info.PrinterIndex = i;
        info.IsDefault = printer.isDefault;
        info.IsNetwork = printer.isRemote;
        info.Status = int(printer.state);
        info.Icon = info.IsNetwork ? network : local;
        addItem(QIcon(QPixmap::fromImage(info.Icon)), info.PrinterName);
        infos << info;
    }
    setCurrentIndex(defaultIndex());
}

int TPrinterComboBox::defaultIndex() const
{
    for (const TPrinterInfo &info : infos)
        if (info.IsDefault)
            return info.PrinterIndex;
    return infos.isEmpty() ? -1 : 0;
}

void TPrinterComboBox::setIconSizeKind(TIconSize value)
{
    if (iconKind == value)
        return;
    iconKind = value;
    const QString previous = printerName();
    const int index = currentIndex();
    Refresh();
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index < count() ? index : (count() > 0 ? 0 : -1));
        if (!previous.isEmpty())
            setPrinterName(previous);
    }
    notifyChange();
}

void TPrinterComboBox::setPrinterIndex(int value)
{
    setCurrentIndex(value >= 0 && value < count() ? value : -1);
}

QString TPrinterComboBox::printerName() const
{
    const int index = currentIndex();
    return index >= 0 && index < infos.size() ? infos[index].PrinterName : QString();
}

void TPrinterComboBox::setPrinterName(const QString &name)
{
    if (name.isEmpty() || name == printerName())
        return;
    for (const TPrinterInfo &info : infos) {
        if (info.PrinterName == name) {
            setCurrentIndex(info.PrinterIndex);
            return;
        }
    }
    setCurrentIndex(defaultIndex()); // the chosen printer is gone
}

void TPrinterComboBox::notifyChange()
{
    if (!isLoading())
        emit OnChange();
}

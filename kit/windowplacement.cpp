#include "kit/windowplacement.h"

#include "kit/kxutils.h"
#include "kit/placementprofile.h"

#include <QGuiApplication>
#include <QMetaEnum>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

QPointer<QWidget> &mainForm()
{
    static QPointer<QWidget> form;
    return form;
}

// Show commands of the stored placement record.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kRestoreToMaximized = 2; // flag: a minimized window comes back maximized

bool isMainForm(const QWidget *form)
{
    return !mainForm() || mainForm() == form;
}

bool isSizeable(const QWidget *form)
{
    return form->minimumSize() != form->maximumSize() &&
           !form->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

// A form whose "Position" property says "poDefault" starts maximized.
bool hasDefaultPosition(const QWidget *form)
{
    const QMetaObject *meta = form->metaObject();
    const int index = meta->indexOfProperty("Position");
    if (index < 0)
        return false;
    const QMetaProperty property = meta->property(index);
    const QVariant value = property.read(form);
    const QString text =
        property.isEnumType() ? QString::fromLatin1(property.enumerator().valueToKey(value.toInt())) : value.toString();
    return text == QLatin1String("poDefault");
}

bool placesWindowsItself()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect normalGeometry(const QWidget *form)
{
    const QRect normal = form->normalGeometry();
    return normal.isValid() ? normal : form->geometry();
}

int positionWord(const QString &text, int n, int fallback)
{
    bool ok = false;
    const int parsed = WordAt(n, text, QStringLiteral(", ")).toInt(&ok);
    return ok ? parsed : fallback;
}

void postWindowState(QWidget *form, Qt::WindowStates state)
{
    QPointer<QWidget> target(form);
    QMetaObject::invokeMethod(
        form,
        [target, state] {
            if (target)
                target->setWindowState((target->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | state);
        },
        Qt::QueuedConnection);
}

} // namespace

void SetApplicationMainForm(QWidget *form)
{
    mainForm() = form;
}

QWidget *ApplicationMainForm()
{
    return mainForm();
}

int ScreenPixelsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInch())) : 96;
}

QRect FitOnScreens(const QRect &rect)
{
    const QScreen *best = nullptr;
    qint64 bestArea = 0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(rect);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    if (!best)
        return rect;
    const QRect area = best->availableGeometry();
    QRect fitted(rect.topLeft(), rect.size().boundedTo(area.size()));
    if (fitted.right() > area.right())
        fitted.moveRight(area.right());
    if (fitted.bottom() > area.bottom())
        fitted.moveBottom(area.bottom());
    if (fitted.left() < area.left())
        fitted.moveLeft(area.left());
    if (fitted.top() < area.top())
        fitted.moveTop(area.top());
    return fitted;
}

void WriteWindowPlacement(QWidget *Form, TPlacementProfile *Profile, const QString &Section)
{
    const Qt::WindowStates state = Form->windowState();
    int showCmd = kShowNormal;
    int flags = 0;
    if (state & Qt::WindowMinimized) {
        showCmd = kShowMinimized;
        if (state & Qt::WindowMaximized)
            flags |= kRestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        showCmd = kShowMaximized;
    }
    const QRect normal = normalGeometry(Form);
    ProfileWriteInteger(Profile, Section, QStringLiteral("Flags"), flags);
    ProfileWriteInteger(Profile, Section, QStringLiteral("ShowCmd"), showCmd);
    ProfileWriteInteger(Profile, Section, QStringLiteral("PixelsPerInch"), ScreenPixelsPerInch());
    // The window system chooses minimized and maximized positions itself.
    WriteResolutionKey(Profile, Section, QStringLiteral("MinMaxPos"), QStringLiteral("-1,-1,-1,-1"));
    WriteResolutionKey(Profile, Section, QStringLiteral("NormPos"),
                       QStringLiteral("%1,%2,%3,%4")
                           .arg(normal.left())
                           .arg(normal.top())
                           .arg(normal.left() + normal.width())
                           .arg(normal.top() + normal.height()));
}

void ReadWindowPlacement(QWidget *Form, TPlacementProfile *Profile, const QString &Section, bool LoadState,
                         bool LoadPosition)
{
    if (!LoadState && !LoadPosition)
        return;
    if (LoadPosition) {
        const QString normPos = ReadResolutionKey(Profile, Section, QStringLiteral("NormPos"));
        bool found = !normPos.isEmpty();
        const QRect current = normalGeometry(Form);
        int left = positionWord(normPos, 1, current.left());
        int top = positionWord(normPos, 2, current.top());
        int right = positionWord(normPos, 3, current.left() + current.width());
        int bottom = positionWord(normPos, 4, current.top() + current.height());
        if (ProfileReadInteger(Profile, Section, QStringLiteral("PixelsPerInch"), ScreenPixelsPerInch()) !=
            ScreenPixelsPerInch())
            found = false;
        if (found) {
            if (!isSizeable(Form)) {
                right = left + Form->width();
                bottom = top + Form->height();
            }
            if (right > left && bottom > top) {
                QRect wanted(left, top, right - left, bottom - top);
                wanted.setSize(wanted.size().expandedTo(Form->minimumSize()).boundedTo(Form->maximumSize()));
                // The frame has to fit on the screen too.
                const QRect frame = Form->frameGeometry(), inner = Form->geometry();
                const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                                       frame.right() - inner.right(), frame.bottom() - inner.bottom());
                const QRect fitted = FitOnScreens(wanted.marginsAdded(margins)).marginsRemoved(margins);
                if (placesWindowsItself())
                    Form->resize(fitted.size());
                else
                    Form->setGeometry(fitted);
            }
        }
    }
    if (LoadState) {
        Qt::WindowState wanted = Qt::WindowNoState;
        if (isMainForm(Form) && hasDefaultPosition(Form))
            wanted = Qt::WindowMaximized;
        switch (ProfileReadInteger(Profile, Section, QStringLiteral("ShowCmd"), 0)) {
        case 1:
        case 5:
        case 9:
            wanted = Qt::WindowNoState;
            break;
        case 2:
        case 6:
        case 7:
            wanted = Qt::WindowMinimized;
            break;
        case 3:
            wanted = Qt::WindowMaximized;
            break;
        default:
            break;
        }
        if (wanted == Qt::WindowMinimized && isMainForm(Form)) {
            // The main window comes back minimized once it is up, as a posted command would.
            postWindowState(Form, Qt::WindowMinimized);
            return;
        }
        if (wanted == Qt::WindowMaximized)
            postWindowState(Form, Qt::WindowMaximized);
        else
            Form->setWindowState((Form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | wanted);
    }
    Form->update();
}

#include "kit/placementprofile.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QString TIniProfile::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
    return ini_.readString(Section, Ident, Default);
}

void TIniProfile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    ini_.writeString(Section, Ident, IniFile::protectQuotes(Value));
}

int TIniProfile::ReadInteger(const QString &Section, const QString &Ident, int Default)
{
    return ini_.readInteger(Section, Ident, Default);
}

void TIniProfile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    ini_.writeInteger(Section, Ident, Value);
}

void TIniProfile::EraseSection(const QString &Section)
{
    ini_.eraseSection(Section);
}

TRegistryProfile::TRegistryProfile(const QString &rootKey, const QString &rootName, bool readOnly)
    : base_(Registry::normalizeKey(rootName.isEmpty() ? rootKey : rootName + QLatin1Char('\\') + rootKey))
    , readOnly_(readOnly)
{
    registry_.beginUpdate();
}

bool TRegistryProfile::openSection(const QString &Section, bool create)
{
    return registry_.openKey(QLatin1Char('\\') + base_ + QLatin1Char('\\') + Section, create && !readOnly_);
}

QString TRegistryProfile::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
    return openSection(Section, false) && registry_.valueExists(Ident) ? registry_.readString(Ident, Default) : Default;
}

void TRegistryProfile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    if (openSection(Section, true))
        registry_.writeString(Ident, Value);
}

int TRegistryProfile::ReadInteger(const QString &Section, const QString &Ident, int Default)
{
    return openSection(Section, false) ? registry_.readInteger(Ident, Default) : Default;
}

void TRegistryProfile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    if (openSection(Section, true))
        registry_.writeInteger(Ident, Value);
}

void TRegistryProfile::EraseSection(const QString &Section)
{
    if (!readOnly_)
        registry_.deleteKey(QLatin1Char('\\') + base_ + QLatin1Char('\\') + Section);
}

QString ProfileReadString(TPlacementProfile *Profile, const QString &Section, const QString &Ident,
                          const QString &Default)
{
    return Profile ? Profile->ReadString(Section, Ident, Default) : Default;
}

void ProfileWriteString(TPlacementProfile *Profile, const QString &Section, const QString &Ident, const QString &Value)
{
    if (Profile)
        Profile->WriteString(Section, Ident, Value);
}

int ProfileReadInteger(TPlacementProfile *Profile, const QString &Section, const QString &Ident, int Default)
{
    return Profile ? Profile->ReadInteger(Section, Ident, Default) : Default;
}

void ProfileWriteInteger(TPlacementProfile *Profile, const QString &Section, const QString &Ident, int Value)
{
    if (Profile)
        Profile->WriteInteger(Section, Ident, Value);
}

void ProfileEraseSection(TPlacementProfile *Profile, const QString &Section)
{
    if (Profile)
        Profile->EraseSection(Section);
}

QString ScreenResolutionSuffix()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(0, 0);
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
}

void WriteResolutionKey(TPlacementProfile *Profile, const QString &Section, const QString &Ident, const QString &Value)
{
    ProfileWriteString(Profile, Section, Ident + ScreenResolutionSuffix(), Value);
    ProfileWriteString(Profile, Section, Ident, Value);
}

QString ReadResolutionKey(TPlacementProfile *Profile, const QString &Section, const QString &Ident)
{
    const QString value = ProfileReadString(Profile, Section, Ident + ScreenResolutionSuffix(), QString());
    return value.isEmpty() ? ProfileReadString(Profile, Section, Ident, QString()) : value;
}

namespace {

QString className(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

bool isForm(const QObject *object)
{
    return object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow();
}

} // namespace

QString PlacementDefaultSection(QObject *Component)
{
    if (!Component)
        return QString();
    if (isForm(Component))
        return className(Component);
    if (Component->isWidgetType()) {
        const QWidget *form = static_cast<QWidget *>(Component)->window();
        if (form && form != Component)
            return className(form) + Component->objectName();
        const QObject *parent = Component->parent();
        return (parent ? parent->objectName() : QString()) + Component->objectName();
    }
    if (QObject *owner = Component->parent(); owner && isForm(owner))
        return className(owner) + QLatin1Char('.') + Component->objectName();
    return Component->objectName();
}

QString PlacementDefaultIniName()
{
    return Paths::iniFilePath();
}

QString PlacementDefaultRegKey()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QStringLiteral("Software\\") + name;
}

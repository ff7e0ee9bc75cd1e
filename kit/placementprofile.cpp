#include "kit/placementprofile.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QString TIniProfile::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
    return m_ini.readString(Section, Ident, Default);
}

void TIniProfile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    m_ini.writeString(Section, Ident, IniFile::protectQuotes(Value));
}

int TIniProfile::ReadInteger(const QString &Section, const QString &Ident, int Default)
{
    return m_ini.readInteger(Section, Ident, Default);
}

void TIniProfile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    m_ini.writeInteger(Section, Ident, Value);
}

void TIniProfile::EraseSection(const QString &Section)
{
    m_ini.eraseSection(Section);
}

TRegistryProfile::TRegistryProfile(const QString &rootKey, const QString &rootName, bool readOnly)
    : m_base(Registry::normalizeKey(rootName.isEmpty() ? rootKey : rootName + QLatin1Char('\\') + rootKey))
    , m_readOnly(readOnly)
{
    m_registry.beginUpdate();
}

bool TRegistryProfile::openSection(const QString &Section, bool create)
{
    return m_registry.openKey(QLatin1Char('\\') + m_base + QLatin1Char('\\') + Section, create && !m_readOnly);
}

QString TRegistryProfile::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
    return openSection(Section, false) && m_registry.valueExists(Ident) ? m_registry.readString(Ident, Default)
                                                                        : Default;
}

void TRegistryProfile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    if (openSection(Section, true))
        m_registry.writeString(Ident, Value);
}

int TRegistryProfile::ReadInteger(const QString &Section, const QString &Ident, int Default)
{
    return openSection(Section, false) ? m_registry.readInteger(Ident, Default) : Default;
}

void TRegistryProfile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    if (openSection(Section, true))
        m_registry.writeInteger(Ident, Value);
}

void TRegistryProfile::EraseSection(const QString &Section)
{
    if (!m_readOnly)
        m_registry.deleteKey(QLatin1Char('\\') + m_base + QLatin1Char('\\') + Section);
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

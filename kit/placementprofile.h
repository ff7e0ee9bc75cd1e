#pragma once
// The profile a form placement reads and writes: the INI file, or (never used
// by the program's forms, kept for completeness) the registry stand-in with one
// key per section below the placement's key. With no profile at all, reads give
// the default and writes do nothing.
#include "platform/inifile.h"
#include "platform/registry.h"

#include <QObject>
#include <QString>
#include <memory>

class TPlacementProfile
{
public:
    virtual ~TPlacementProfile() = default;
    virtual QString ReadString(const QString &Section, const QString &Ident, const QString &Default) = 0;
    virtual void WriteString(const QString &Section, const QString &Ident, const QString &Value) = 0;
    virtual int ReadInteger(const QString &Section, const QString &Ident, int Default) = 0;
    virtual void WriteInteger(const QString &Section, const QString &Ident, int Value) = 0;
    virtual void EraseSection(const QString &Section) = 0;
};

// INI file: texts already enclosed in quotes get one more pair, so they read back unchanged.
class TIniProfile : public TPlacementProfile
{
public:
    explicit TIniProfile(const QString &fileName)
        : m_ini(fileName)
    {
        m_ini.beginUpdate();
    }
    ~TIniProfile() override { m_ini.endUpdate(); }
    IniFile &Ini() { return m_ini; }
    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) override;
    void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
    int ReadInteger(const QString &Section, const QString &Ident, int Default) override;
    void WriteInteger(const QString &Section, const QString &Ident, int Value) override;
    void EraseSection(const QString &Section) override;

private:
    IniFile m_ini;
};

class TRegistryProfile : public TPlacementProfile
{
public:
    // rootKey: the placement's key; rootName: the registry root's name, empty for the current user.
    TRegistryProfile(const QString &rootKey, const QString &rootName, bool readOnly);
    ~TRegistryProfile() override { m_registry.endUpdate(); }
    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) override;
    void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
    int ReadInteger(const QString &Section, const QString &Ident, int Default) override;
    void WriteInteger(const QString &Section, const QString &Ident, int Value) override;
    void EraseSection(const QString &Section) override;

private:
    bool openSection(const QString &Section, bool create);
    Registry m_registry;
    QString m_base;
    bool m_readOnly;
};

// Module routines dispatching on the profile; a null profile reads the default and writes nothing.
QString ProfileReadString(TPlacementProfile *Profile, const QString &Section, const QString &Ident,
                          const QString &Default);
void ProfileWriteString(TPlacementProfile *Profile, const QString &Section, const QString &Ident, const QString &Value);
int ProfileReadInteger(TPlacementProfile *Profile, const QString &Section, const QString &Ident, int Default);
void ProfileWriteInteger(TPlacementProfile *Profile, const QString &Section, const QString &Ident, int Value);
void ProfileEraseSection(TPlacementProfile *Profile, const QString &Section);

// "(%dx%d)" of the primary screen's size in pixels.
QString ScreenResolutionSuffix();
// Writes Ident with the suffix and then plain; reads the suffixed key first.
void WriteResolutionKey(TPlacementProfile *Profile, const QString &Section, const QString &Ident, const QString &Value);
QString ReadResolutionKey(TPlacementProfile *Profile, const QString &Section, const QString &Ident);

// A form gives its class name; a widget on a form the form's class name and
// its own name; any other object of a form "Form.Name"; else its parent's
// name and its own.
QString PlacementDefaultSection(QObject *Component);
QString PlacementDefaultIniName(); // "Tarmil5.ini" in the configuration folder
QString PlacementDefaultRegKey();  // "Software\" + the program's name

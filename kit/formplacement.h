#pragma once
// Keeps a form's window placement (and, through links, other components'
// settings) in the INI file between runs. Placed on a form, an active
// placement restores when the form is shown and saves when it closes; the form
// calls FormDestroying() (or NotifyFormDestroying) before its children go, so a
// form destroyed without closing is saved then. An active placement never
// writes before it has restored, and a file with an older "FormVersion"
// restores nothing.
#include "kit/kxwindowhook.h"
#include "kit/placementprofile.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class TFormPlacement;

// Resize limits of the form (0 leaves the window system's value).
class TWinMinMaxInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int MaxPosLeft READ MaxPosLeft WRITE SetMaxPosLeft)
    Q_PROPERTY(int MaxPosTop READ MaxPosTop WRITE SetMaxPosTop)
    Q_PROPERTY(int MaxSizeHeight READ MaxSizeHeight WRITE SetMaxSizeHeight)
    Q_PROPERTY(int MaxSizeWidth READ MaxSizeWidth WRITE SetMaxSizeWidth)
    Q_PROPERTY(int MaxTrackHeight READ MaxTrackHeight WRITE SetMaxTrackHeight)
    Q_PROPERTY(int MaxTrackWidth READ MaxTrackWidth WRITE SetMaxTrackWidth)
    Q_PROPERTY(int MinTrackHeight READ MinTrackHeight WRITE SetMinTrackHeight)
    Q_PROPERTY(int MinTrackWidth READ MinTrackWidth WRITE SetMinTrackWidth)
public:
    explicit TWinMinMaxInfo(TFormPlacement *owner);
    void Assign(const TWinMinMaxInfo &source);
    bool DefaultMinMaxInfo() const;

    int MaxPosLeft() const { return m_v[0]; }
    int MaxPosTop() const { return m_v[1]; }
    int MaxSizeHeight() const { return m_v[2]; }
    int MaxSizeWidth() const { return m_v[3]; }
    int MaxTrackHeight() const { return m_v[4]; }
    int MaxTrackWidth() const { return m_v[5]; }
    int MinTrackHeight() const { return m_v[6]; }
    int MinTrackWidth() const { return m_v[7]; }
    void SetMaxPosLeft(int v) { set(0, v); }
    void SetMaxPosTop(int v) { set(1, v); }
    void SetMaxSizeHeight(int v) { set(2, v); }
    void SetMaxSizeWidth(int v) { set(3, v); }
    void SetMaxTrackHeight(int v) { set(4, v); }
    void SetMaxTrackWidth(int v) { set(5, v); }
    void SetMinTrackHeight(int v) { set(6, v); }
    void SetMinTrackWidth(int v) { set(7, v); }

private:
    void set(int index, int value);
    TFormPlacement *m_owner;
    int m_v[8] = {};
};

// The way another component (the data-aware grid) saves and loads its own keys
// whenever the placement does.
class TIniLink
{
public:
    TIniLink() = default;
    ~TIniLink();
    TIniLink(const TIniLink &) = delete;
    TIniLink &operator=(const TIniLink &) = delete;

    TFormPlacement *Placement() const { return m_placement; }
    void SetPlacement(TFormPlacement *value);
    // The placement's open profile, null when unlinked or closed.
    TPlacementProfile *LinkProfile() const;
    // The placement's own section followed by "\", empty when it has none.
    QString LinkSection() const;

    std::function<void(TIniLink *)> OnLinkSave;
    std::function<void(TIniLink *)> OnLinkLoad;
    void SaveToIni()
    {
        if (OnLinkSave)
            OnLinkSave(this);
    }
    void LoadFromIni()
    {
        if (OnLinkLoad)
            OnLinkLoad(this);
    }

private:
    friend class TFormPlacement;
    TFormPlacement *m_placement = nullptr;
};

class TFormPlacement : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
    Q_PROPERTY(QString IniSection READ IniSection WRITE SetIniSection)
    Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE SetUseRegistry)
    Q_PROPERTY(TPlacementRegRoot RegistryRoot READ RegistryRoot WRITE SetRegistryRoot)
    Q_PROPERTY(TPlacementOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(int Version READ Version WRITE SetVersion)
    Q_PROPERTY(bool PreventResize READ PreventResize WRITE SetPreventResize)
    Q_PROPERTY(TWinMinMaxInfo *MinMaxInfo READ MinMaxInfo)
public:
    enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };
    Q_ENUM(TPlacementRegRoot)
    enum TPlacementOption { fpState = 0x1, fpPosition = 0x2, fpActiveControl = 0x4 };
    Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
    Q_FLAG(TPlacementOptions)

    // The owner is the form (or data module) whose settings are kept.
    explicit TFormPlacement(QObject *owner);
    ~TFormPlacement() override;

    bool Active() const { return m_active; }
    void SetActive(bool value) { m_active = value; }
    QString IniFileName() const;
    void SetIniFileName(const QString &value) { m_iniFileName = value; }
    QString IniSection() const;
    QString IniSectionField() const { return m_iniSection; }
    void SetIniSection(const QString &value) { m_iniSection = value; }
    bool UseRegistry() const { return m_useRegistry; }
    void SetUseRegistry(bool value) { m_useRegistry = value; }
    TPlacementRegRoot RegistryRoot() const { return m_registryRoot; }
    void SetRegistryRoot(TPlacementRegRoot value) { m_registryRoot = value; }
    TPlacementOptions Options() const { return m_options; }
    void SetOptions(TPlacementOptions value) { m_options = value; }
    int Version() const { return m_version; }
    void SetVersion(int value) { m_version = value; }
    bool PreventResize() const { return m_preventResize; }
    void SetPreventResize(bool value);
    TWinMinMaxInfo *MinMaxInfo() const { return m_minMaxInfo; }
    bool Saved() const { return m_saved; }
    bool Restored() const { return m_restored; }
    bool Destroying() const { return m_destroying; }
    bool IsLoaded() const { return m_loaded; }
    QWidget *Form() const;

    // Called once the owner's components exist; done on first use otherwise.
    virtual void Loaded();

    void FormPlacementSave();
    void FormPlacementRestore();
    virtual void SavePlacement();
    virtual void RestorePlacement();

    virtual QString ReadString(const QString &Section, const QString &Ident, const QString &Default);
    virtual void WriteString(const QString &Section, const QString &Ident, const QString &Value);
    // Short forms on IniSection.
    QString ReadString(const QString &Ident, const QString &Default = {});
    void WriteString(const QString &Ident, const QString &Value);
    int ReadInteger(const QString &Ident, int Default);
    void WriteInteger(const QString &Ident, int Value);
    void EraseSection(const QString &Section);

    TPlacementProfile *Profile() const { return m_profile.get(); }
    const QList<TIniLink *> &Links() const { return m_links; }

    std::function<void(TFormPlacement *)> OnSavePlacement;
    std::function<void(TFormPlacement *)> OnRestorePlacement;

    // The form is about to be destroyed: saves unless it was saved at closing.
    void FormDestroying();
    // Calls FormDestroying() of every placement on the form.
    static void NotifyFormDestroying(QWidget *form);

    void MinMaxInfoChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    virtual void DoSavePlacement();
    virtual void DoRestorePlacement();
    void OpenProfile(bool ReadOnly);
    void CloseProfile();
    void setRestored() { m_restored = true; }

private:
    friend class TIniLink;
    // Opens the profile for a scope unless one is open already.
    struct ProfileUse
    {
        ProfileUse(TFormPlacement &placement, bool readOnly);
        ~ProfileUse();
        TFormPlacement &p;
        bool opened;
    };
    void PlacementFormShow();
    void PlacementFormCloseQuery(QEvent *event);
    void PlacementFormDestroy();
    void PlacementWindowMessage(QObject *Sender, QEvent *Msg, bool &Handled);
    void UpdatePlacement();
    void ApplyPreventResize();
    void ApplyMinMaxInfo();
    void restoreActiveControl();

    bool m_active = true;
    QString m_iniFileName;
    QString m_iniSection;
    bool m_useRegistry = false;
    TPlacementRegRoot m_registryRoot = prCurrentUser;
    TPlacementOptions m_options;
    int m_version = 0;
    bool m_saved = false;
    bool m_restored = false;
    bool m_destroying = false;
    bool m_preventResize = false;
    bool m_hadMaximizeIcon = false;
    bool m_loaded = false;
    bool m_closeQueried = false;
    TWinMinMaxInfo *m_minMaxInfo;
    TKxWindowHook *m_winHook;
    std::unique_ptr<TPlacementProfile> m_profile;
    QList<TIniLink *> m_links;
    QSize m_designedMin, m_designedMax;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFormPlacement::TPlacementOptions)

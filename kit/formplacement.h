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

    int MaxPosLeft() const { return v_[0]; }
    int MaxPosTop() const { return v_[1]; }
    int MaxSizeHeight() const { return v_[2]; }
    int MaxSizeWidth() const { return v_[3]; }
    int MaxTrackHeight() const { return v_[4]; }
    int MaxTrackWidth() const { return v_[5]; }
    int MinTrackHeight() const { return v_[6]; }
    int MinTrackWidth() const { return v_[7]; }
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
    TFormPlacement *owner_;
    int v_[8] = {};
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

    TFormPlacement *Placement() const { return placement_; }
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
    TFormPlacement *placement_ = nullptr;
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

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    QString IniFileName() const;
    void SetIniFileName(const QString &value) { iniFileName_ = value; }
    QString IniSection() const;
    QString IniSectionField() const { return iniSection_; }
    void SetIniSection(const QString &value) { iniSection_ = value; }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool value) { useRegistry_ = value; }
    TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(TPlacementRegRoot value) { registryRoot_ = value; }
    TPlacementOptions Options() const { return options_; }
    void SetOptions(TPlacementOptions value) { options_ = value; }
    int Version() const { return version_; }
    void SetVersion(int value) { version_ = value; }
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool value);
    TWinMinMaxInfo *MinMaxInfo() const { return minMaxInfo_; }
    bool Saved() const { return saved_; }
    bool Restored() const { return restored_; }
    bool Destroying() const { return destroying_; }
    bool IsLoaded() const { return loaded_; }
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

    TPlacementProfile *Profile() const { return profile_.get(); }
    const QList<TIniLink *> &Links() const { return links_; }

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
    void setRestored() { restored_ = true; }

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

    bool active_ = true;
    QString iniFileName_;
    QString iniSection_;
    bool useRegistry_ = false;
    TPlacementRegRoot registryRoot_ = prCurrentUser;
    TPlacementOptions options_;
    int version_ = 0;
    bool saved_ = false;
    bool restored_ = false;
    bool destroying_ = false;
    bool preventResize_ = false;
    bool hadMaximizeIcon_ = false;
    bool loaded_ = false;
    bool closeQueried_ = false;
    TWinMinMaxInfo *minMaxInfo_;
    TKxWindowHook *winHook_;
    std::unique_ptr<TPlacementProfile> profile_;
    QList<TIniLink *> links_;
    QSize designedMin_, designedMax_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFormPlacement::TPlacementOptions)

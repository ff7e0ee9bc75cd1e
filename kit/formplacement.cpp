#include "kit/formplacement.h"

#include "kit/kxutils.h"
#include "kit/propsstorage.h"
#include "kit/windowplacement.h"

#include <QDialog>
#include <QWidget>

// ---------------------------------------------------------------- TWinMinMaxInfo

TWinMinMaxInfo::TWinMinMaxInfo(TFormPlacement *owner)
    : QObject(owner)
    , owner_(owner)
{}

void TWinMinMaxInfo::set(int index, int value)
{
    if (v_[index] == value)
        return;
    v_[index] = value;
    owner_->MinMaxInfoChanged();
}

void TWinMinMaxInfo::Assign(const TWinMinMaxInfo &source)
{
    std::copy(std::begin(source.v_), std::end(source.v_), std::begin(v_));
    owner_->MinMaxInfoChanged();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const
{
    return std::all_of(std::begin(v_), std::end(v_), [](int v) { return v == 0; });
}

// ---------------------------------------------------------------- TIniLink

TIniLink::~TIniLink()
{
    OnLinkSave = nullptr;
    OnLinkLoad = nullptr;
    SetPlacement(nullptr);
}

void TIniLink::SetPlacement(TFormPlacement *value)
{
    if (placement_ == value)
        return;
    if (placement_)
        placement_->links_.removeAll(this);
    placement_ = value;
    if (placement_)
        placement_->links_.append(this);
}

TPlacementProfile *TIniLink::LinkProfile() const
{
    return placement_ ? placement_->Profile() : nullptr;
}

QString TIniLink::LinkSection() const
{
    if (!placement_ || placement_->IniSectionField().isEmpty())
        return QString();
    return placement_->IniSectionField() + QLatin1Char('\\');
}

// ---------------------------------------------------------------- TFormPlacement

namespace {

bool isForm(const QObject *object)
{
    return object && object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow();
}

QString registryRootName(TFormPlacement::TPlacementRegRoot root)
{
    switch (root) {
    case TFormPlacement::prCurrentUser:
        return QString();
    case TFormPlacement::prLocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case TFormPlacement::prCurrentConfig:
        return QStringLiteral("HKEY_CURRENT_CONFIG");
    case TFormPlacement::prClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case TFormPlacement::prUsers:
        return QStringLiteral("HKEY_USERS");
    case TFormPlacement::prDynData:
        return QStringLiteral("HKEY_DYN_DATA");
    }
    return QString();
}

} // namespace

TFormPlacement::TFormPlacement(QObject *owner)
    : QObject(owner)
    , minMaxInfo_(new TWinMinMaxInfo(this))
    , winHook_(new TKxWindowHook(this))
{
    if (isForm(owner)) {
        options_ = TPlacementOptions(fpState) | fpPosition;
        owner->installEventFilter(this);
    }
    winHook_->SetActive(false);
    winHook_->AfterEvents = {QEvent::Resize};
    winHook_->AfterMessage = [this](QObject *sender, QEvent *msg, bool &handled) {
        PlacementWindowMessage(sender, msg, handled);
    };
}

TFormPlacement::~TFormPlacement()
{
    CloseProfile();
    const QList<TIniLink *> links = links_;
    for (TIniLink *link : links)
        link->SetPlacement(nullptr);
    if (parent())
        parent()->removeEventFilter(this);
}

QWidget *TFormPlacement::Form() const
{
    return isForm(parent()) ? static_cast<QWidget *>(parent()) : nullptr;
}

QString TFormPlacement::IniFileName() const
{
    if (!iniFileName_.isEmpty())
        return iniFileName_;
    return useRegistry_ ? PlacementDefaultRegKey() : PlacementDefaultIniName();
}

QString TFormPlacement::IniSection() const
{
    return iniSection_.isEmpty() ? PlacementDefaultSection(parent()) : iniSection_;
}

void TFormPlacement::Loaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    if (QWidget *form = Form()) {
        hadMaximizeIcon_ = form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
        designedMin_ = form->minimumSize();
        designedMax_ = form->maximumSize();
    }
    if (preventResize_)
        ApplyPreventResize();
    UpdatePlacement();
}

TFormPlacement::ProfileUse::ProfileUse(TFormPlacement &placement, bool readOnly)
    : p(placement)
    , opened(!placement.profile_)
{
    p.OpenProfile(readOnly);
}

TFormPlacement::ProfileUse::~ProfileUse()
{
    if (opened)
        p.CloseProfile();
}

void TFormPlacement::OpenProfile(bool ReadOnly)
{
    if (profile_)
        return;
    if (useRegistry_)
        profile_ = std::make_unique<TRegistryProfile>(IniFileName(), registryRootName(registryRoot_), ReadOnly);
    else
        profile_ = std::make_unique<TIniProfile>(IniFileName());
}

void TFormPlacement::CloseProfile()
{
    profile_.reset();
}

void TFormPlacement::FormPlacementSave()
{
    if (active_ && !restored_)
        return; // never overwrite the file before it was read
    Loaded();
    ProfileUse use(*this, false);
    ProfileWriteInteger(profile_.get(), IniSection(), QStringLiteral("FormVersion"), version_);
    SavePlacement();
    DoSavePlacement();
    saved_ = true;
}

void TFormPlacement::FormPlacementRestore()
{
    Loaded();
    saved_ = false;
    ProfileUse use(*this, true);
    if (ProfileReadInteger(profile_.get(), IniSection(), QStringLiteral("FormVersion"), 0) >= version_) {
        RestorePlacement();
        restored_ = true;
        DoRestorePlacement();
        if (options_.testFlag(fpActiveControl) && Form())
            restoreActiveControl();
    }
    restored_ = true;
}

void TFormPlacement::restoreActiveControl()
{
    const QString name = ProfileReadString(profile_.get(), IniSection(), QStringLiteral("ActiveControl"), QString());
    QObject *found = TPropsStorage::FindComponent(Form(), name);
    if (!found || !found->isWidgetType())
        return;
    auto *control = static_cast<QWidget *>(found);
    if (control->isEnabled() && control->focusPolicy() != Qt::NoFocus && !control->isHidden())
        control->setFocus();
}

void TFormPlacement::SavePlacement()
{
    if (QWidget *form = Form()) {
        if (options_ & (fpState | fpPosition)) {
            WriteWindowPlacement(form, profile_.get(), IniSection());
            ProfileWriteString(profile_.get(), IniSection(), QStringLiteral("Visible"),
                               destroying_ ? QStringLiteral("1") : QStringLiteral("0"));
        }
        QWidget *focused = form->focusWidget();
        if (options_.testFlag(fpActiveControl) && focused && !focused->objectName().isEmpty())
            ProfileWriteString(profile_.get(), IniSection(), QStringLiteral("ActiveControl"), focused->objectName());
    }
    const QList<TIniLink *> links = links_;
    for (TIniLink *link : links)
        link->SaveToIni();
}

void TFormPlacement::RestorePlacement()
{
    if (QWidget *form = Form())
        ReadWindowPlacement(form, profile_.get(), IniSection(), options_.testFlag(fpState),
                            options_.testFlag(fpPosition));
    const QList<TIniLink *> links = links_;
    for (TIniLink *link : links)
        link->LoadFromIni();
}

void TFormPlacement::DoSavePlacement()
{
    if (OnSavePlacement)
        OnSavePlacement(this);
}

void TFormPlacement::DoRestorePlacement()
{
    if (OnRestorePlacement)
        OnRestorePlacement(this);
}

QString TFormPlacement::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
    ProfileUse use(*this, true);
    return ProfileReadString(profile_.get(), Section, Ident, Default);
}

void TFormPlacement::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    ProfileUse use(*this, false);
    ProfileWriteString(profile_.get(), Section, Ident, Value);
}

QString TFormPlacement::ReadString(const QString &Ident, const QString &Default)
{
    return ReadString(IniSection(), Ident, Default);
}

void TFormPlacement::WriteString(const QString &Ident, const QString &Value)
{
    WriteString(IniSection(), Ident, Value);
}

int TFormPlacement::ReadInteger(const QString &Ident, int Default)
{
    ProfileUse use(*this, true);
    return ProfileReadInteger(profile_.get(), IniSection(), Ident, Default);
}

void TFormPlacement::WriteInteger(const QString &Ident, int Value)
{
    ProfileUse use(*this, false);
    ProfileWriteInteger(profile_.get(), IniSection(), Ident, Value);
}

void TFormPlacement::EraseSection(const QString &Section)
{
    ProfileUse use(*this, false);
    ProfileEraseSection(profile_.get(), Section);
}

// ---------------------------------------------------------------- form events

bool TFormPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != parent())
        return false;
    try {
        switch (event->type()) {
        case QEvent::Show:
            closeQueried_ = false;
            PlacementFormShow();
            break;
        case QEvent::Close:
            PlacementFormCloseQuery(event);
            return true;
        case QEvent::Hide:
            // A dialog ended by its buttons is hidden without a close event.
            if (!event->spontaneous() && !closeQueried_ && qobject_cast<QDialog *>(parent()) && active_)
                FormPlacementSave();
            closeQueried_ = false;
            break;
        case QEvent::DeferredDelete:
            PlacementFormDestroy();
            break;
        default:
            break;
        }
    } catch (const std::exception &error) {
        HandleKitException(error);
    }
    return false;
}

void TFormPlacement::PlacementFormShow()
{
    if (active_)
        FormPlacementRestore();
}

void TFormPlacement::PlacementFormCloseQuery(QEvent *event)
{
    // The form's own handling decides first whether it may close. A dialog
    // hides itself inside it, which must not count as a second close.
    closeQueried_ = true;
    static_cast<QObject *>(parent())->event(event);
    closeQueried_ = event->isAccepted();
    try {
        if (closeQueried_ && active_ && Form())
            FormPlacementSave();
    } catch (const std::exception &error) {
        HandleKitException(error); // the form closes all the same
    }
}

void TFormPlacement::PlacementFormDestroy()
{
    if (active_ && !saved_) {
        destroying_ = true;
        struct Reset
        {
            bool &flag;
            ~Reset() { flag = false; }
        } reset{destroying_};
        FormPlacementSave();
    }
}

void TFormPlacement::FormDestroying()
{
    try {
        PlacementFormDestroy();
    } catch (const std::exception &error) {
        HandleKitException(error);
    }
}

void TFormPlacement::NotifyFormDestroying(QWidget *form)
{
    if (!form)
        return;
    for (TFormPlacement *placement : form->findChildren<TFormPlacement *>(Qt::FindDirectChildrenOnly))
        placement->FormDestroying();
}

// ---------------------------------------------------------------- resize limits

void TFormPlacement::SetPreventResize(bool value)
{
    if (preventResize_ == value)
        return;
    preventResize_ = value;
    if (loaded_)
        ApplyPreventResize();
}

void TFormPlacement::MinMaxInfoChanged()
{
    if (loaded_)
        UpdatePlacement();
}

void TFormPlacement::ApplyPreventResize()
{
    QWidget *form = Form();
    if (!form)
        return;
    if (preventResize_)
        hadMaximizeIcon_ = form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
    const bool wasActive = active_;
    active_ = false; // changing the flags shows the window again, which must not restore
    const bool visible = form->isVisible();
    const bool wantIcon = !preventResize_ && hadMaximizeIcon_ && !qobject_cast<QDialog *>(form);
    if (form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint) != wantIcon) {
        form->setWindowFlag(Qt::WindowMaximizeButtonHint, wantIcon);
        if (visible)
            form->show();
    }
    active_ = wasActive;
    if (loaded_)
        UpdatePlacement();
}

// The form is watched only while its size is limited.
void TFormPlacement::UpdatePlacement()
{
    QWidget *form = Form();
    if (!form)
        return;
    const bool hooked = preventResize_ || !minMaxInfo_->DefaultMinMaxInfo();
    winHook_->SetWinControl(form);
    winHook_->SetActive(hooked);
    ApplyMinMaxInfo();
}

void TFormPlacement::ApplyMinMaxInfo()
{
    QWidget *form = Form();
    if (preventResize_) {
        form->setFixedSize(form->size());
        return;
    }
    const TWinMinMaxInfo &m = *minMaxInfo_;
    form->setMinimumSize(m.MinTrackWidth() ? m.MinTrackWidth() : designedMin_.width(),
                         m.MinTrackHeight() ? m.MinTrackHeight() : designedMin_.height());
    form->setMaximumSize(m.MaxTrackWidth() ? m.MaxTrackWidth() : designedMax_.width(),
                         m.MaxTrackHeight() ? m.MaxTrackHeight() : designedMax_.height());
}

void TFormPlacement::PlacementWindowMessage(QObject *, QEvent *Msg, bool &)
{
    // A size set by the program becomes the new fixed size.
    if (preventResize_ && Msg->type() == QEvent::Resize && Form())
        Form()->setFixedSize(Form()->size());
}

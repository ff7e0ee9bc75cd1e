#include "kit/formplacement.h"

#include "kit/kxutils.h"
#include "kit/propsstorage.h"
#include "kit/windowplacement.h"

#include <QDialog>
#include <QWidget>

// ---------------------------------------------------------------- TWinMinMaxInfo

TWinMinMaxInfo::TWinMinMaxInfo(TFormPlacement *owner)
    : QObject(owner)
    , m_owner(owner)
{}

void TWinMinMaxInfo::set(int index, int value)
{
    if (m_v[index] == value)
        return;
    m_v[index] = value;
    m_owner->MinMaxInfoChanged();
}

void TWinMinMaxInfo::Assign(const TWinMinMaxInfo &source)
{
    std::copy(std::begin(source.m_v), std::end(source.m_v), std::begin(m_v));
    m_owner->MinMaxInfoChanged();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const
{
    return std::all_of(std::begin(m_v), std::end(m_v), [](int v) { return v == 0; });
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
    if (m_placement == value)
        return;
    if (m_placement)
        m_placement->m_links.removeAll(this);
    m_placement = value;
    if (m_placement)
        m_placement->m_links.append(this);
}

TPlacementProfile *TIniLink::LinkProfile() const
{
    return m_placement ? m_placement->Profile() : nullptr;
}

QString TIniLink::LinkSection() const
{
    if (!m_placement || m_placement->IniSectionField().isEmpty())
        return QString();
    return m_placement->IniSectionField() + QLatin1Char('\\');
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
    , m_minMaxInfo(new TWinMinMaxInfo(this))
    , m_winHook(new TKxWindowHook(this))
{
    if (isForm(owner)) {
        m_options = TPlacementOptions(fpState) | fpPosition;
        owner->installEventFilter(this);
    }
    m_winHook->SetActive(false);
    m_winHook->AfterEvents = {QEvent::Resize};
    m_winHook->AfterMessage = [this](QObject *sender, QEvent *msg, bool &handled) {
        PlacementWindowMessage(sender, msg, handled);
    };
}

TFormPlacement::~TFormPlacement()
{
    CloseProfile();
    const QList<TIniLink *> links = m_links;
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
    if (!m_iniFileName.isEmpty())
        return m_iniFileName;
    return m_useRegistry ? PlacementDefaultRegKey() : PlacementDefaultIniName();
}

QString TFormPlacement::IniSection() const
{
    return m_iniSection.isEmpty() ? PlacementDefaultSection(parent()) : m_iniSection;
}

void TFormPlacement::Loaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (QWidget *form = Form()) {
        m_hadMaximizeIcon = form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
        m_designedMin = form->minimumSize();
        m_designedMax = form->maximumSize();
    }
    if (m_preventResize)
        ApplyPreventResize();
    UpdatePlacement();
}

TFormPlacement::ProfileUse::ProfileUse(TFormPlacement &placement, bool readOnly)
    : p(placement)
    , opened(!placement.m_profile)
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
    if (m_profile)
        return;
    if (m_useRegistry)
        m_profile = std::make_unique<TRegistryProfile>(IniFileName(), registryRootName(m_registryRoot), ReadOnly);
    else
        m_profile = std::make_unique<TIniProfile>(IniFileName());
}

void TFormPlacement::CloseProfile()
{
    m_profile.reset();
}

void TFormPlacement::FormPlacementSave()
{
    if (m_active && !m_restored)
        return; // never overwrite the file before it was read
    Loaded();
    ProfileUse use(*this, false);
    ProfileWriteInteger(m_profile.get(), IniSection(), QStringLiteral("FormVersion"), m_version);
    SavePlacement();
    DoSavePlacement();
    m_saved = true;
}

void TFormPlacement::FormPlacementRestore()
{
    Loaded();
    m_saved = false;
    ProfileUse use(*this, true);
    if (ProfileReadInteger(m_profile.get(), IniSection(), QStringLiteral("FormVersion"), 0) >= m_version) {
        RestorePlacement();
        m_restored = true;
        DoRestorePlacement();
        if (m_options.testFlag(fpActiveControl) && Form())
            restoreActiveControl();
    }
    m_restored = true;
}

void TFormPlacement::restoreActiveControl()
{
    const QString name = ProfileReadString(m_profile.get(), IniSection(), QStringLiteral("ActiveControl"), QString());
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
        if (m_options & (fpState | fpPosition)) {
            WriteWindowPlacement(form, m_profile.get(), IniSection());
            ProfileWriteString(m_profile.get(), IniSection(), QStringLiteral("Visible"),
                               m_destroying ? QStringLiteral("1") : QStringLiteral("0"));
        }
        QWidget *focused = form->focusWidget();
        if (m_options.testFlag(fpActiveControl) && focused && !focused->objectName().isEmpty())
            ProfileWriteString(m_profile.get(), IniSection(), QStringLiteral("ActiveControl"), focused->objectName());
    }
    const QList<TIniLink *> links = m_links;
    for (TIniLink *link : links)
        link->SaveToIni();
}

void TFormPlacement::RestorePlacement()
{
    if (QWidget *form = Form())
        ReadWindowPlacement(form, m_profile.get(), IniSection(), m_options.testFlag(fpState),
                            m_options.testFlag(fpPosition));
    const QList<TIniLink *> links = m_links;
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
    return ProfileReadString(m_profile.get(), Section, Ident, Default);
}

void TFormPlacement::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    ProfileUse use(*this, false);
    ProfileWriteString(m_profile.get(), Section, Ident, Value);
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
    return ProfileReadInteger(m_profile.get(), IniSection(), Ident, Default);
}

void TFormPlacement::WriteInteger(const QString &Ident, int Value)
{
    ProfileUse use(*this, false);
    ProfileWriteInteger(m_profile.get(), IniSection(), Ident, Value);
}

void TFormPlacement::EraseSection(const QString &Section)
{
    ProfileUse use(*this, false);
    ProfileEraseSection(m_profile.get(), Section);
}

// ---------------------------------------------------------------- form events

bool TFormPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != parent())
        return false;
    try {
        switch (event->type()) {
        case QEvent::Show:
            m_closeQueried = false;
            PlacementFormShow();
            break;
        case QEvent::Close:
            PlacementFormCloseQuery(event);
            return true;
        case QEvent::Hide:
            // A dialog ended by its buttons is hidden without a close event.
            if (!event->spontaneous() && !m_closeQueried && qobject_cast<QDialog *>(parent()) && m_active)
                FormPlacementSave();
            m_closeQueried = false;
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
    if (m_active)
        FormPlacementRestore();
}

void TFormPlacement::PlacementFormCloseQuery(QEvent *event)
{
    // The form's own handling decides first whether it may close. A dialog
    // hides itself inside it, which must not count as a second close.
    m_closeQueried = true;
    static_cast<QObject *>(parent())->event(event);
    m_closeQueried = event->isAccepted();
    try {
        if (m_closeQueried && m_active && Form())
            FormPlacementSave();
    } catch (const std::exception &error) {
        HandleKitException(error); // the form closes all the same
    }
}

void TFormPlacement::PlacementFormDestroy()
{
    if (m_active && !m_saved) {
        m_destroying = true;
        struct Reset
        {
            bool &flag;
            ~Reset() { flag = false; }
        } reset{m_destroying};
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
    if (m_preventResize == value)
        return;
    m_preventResize = value;
    if (m_loaded)
        ApplyPreventResize();
}

void TFormPlacement::MinMaxInfoChanged()
{
    if (m_loaded)
        UpdatePlacement();
}

void TFormPlacement::ApplyPreventResize()
{
    QWidget *form = Form();
    if (!form)
        return;
    if (m_preventResize)
        m_hadMaximizeIcon = form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
    const bool wasActive = m_active;
    m_active = false; // changing the flags shows the window again, which must not restore
    const bool visible = form->isVisible();
    const bool wantIcon = !m_preventResize && m_hadMaximizeIcon && !qobject_cast<QDialog *>(form);
    if (form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint) != wantIcon) {
        form->setWindowFlag(Qt::WindowMaximizeButtonHint, wantIcon);
        if (visible)
            form->show();
    }
    m_active = wasActive;
    if (m_loaded)
        UpdatePlacement();
}

// The form is watched only while its size is limited.
void TFormPlacement::UpdatePlacement()
{
    QWidget *form = Form();
    if (!form)
        return;
    const bool hooked = m_preventResize || !m_minMaxInfo->DefaultMinMaxInfo();
    m_winHook->SetWinControl(form);
    m_winHook->SetActive(hooked);
    ApplyMinMaxInfo();
}

void TFormPlacement::ApplyMinMaxInfo()
{
    QWidget *form = Form();
    if (m_preventResize) {
        form->setFixedSize(form->size());
        return;
    }
    const TWinMinMaxInfo &m = *m_minMaxInfo;
    form->setMinimumSize(m.MinTrackWidth() ? m.MinTrackWidth() : m_designedMin.width(),
                         m.MinTrackHeight() ? m.MinTrackHeight() : m_designedMin.height());
    form->setMaximumSize(m.MaxTrackWidth() ? m.MaxTrackWidth() : m_designedMax.width(),
                         m.MaxTrackHeight() ? m.MaxTrackHeight() : m_designedMax.height());
}

void TFormPlacement::PlacementWindowMessage(QObject *, QEvent *Msg, bool &)
{
    // A size set by the program becomes the new fixed size.
    if (m_preventResize && Msg->type() == QEvent::Resize && Form())
        Form()->setFixedSize(Form()->size());
}

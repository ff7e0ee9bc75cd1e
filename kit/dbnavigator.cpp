#include "kit/dbnavigator.h"

#include "platform/db/dataset.h"
#include "platform/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

struct ButtonLook
{
    const char *name;
    QStyle::StandardPixmap icon;
    const char *hint;
};

constexpr ButtonLook kLooks[TDBNavigator::ButtonCount] = {
    {"First", QStyle::SP_MediaSkipBackward, "První záznam"},
    {"Prior", QStyle::SP_ArrowLeft, "Předchozí záznam"},
    {"Next", QStyle::SP_ArrowRight, "Další záznam"},
    {"Last", QStyle::SP_MediaSkipForward, "Poslední záznam"},
    {"Edit", QStyle::SP_FileDialogDetailedView, "Upravit záznam"},
    {"Post", QStyle::SP_DialogApplyButton, "Uložit změny záznamu"},
    {"Cancel", QStyle::SP_DialogCancelButton, "Zrušit změny záznamu"},
    {"Refresh", QStyle::SP_BrowserReload, "Obnovit data"},
};

} // namespace

TDBNavigator::TDBNavigator(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kLooks[i].name));
        b->setIcon(style()->standardIcon(kLooks[i].icon));
        b->setToolTip(QString::fromUtf8(kLooks[i].hint));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, i] { BtnClick(Button(i)); });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    m_reason = new QLabel(this);
    m_reason->setObjectName(QStringLiteral("Label_Reason"));
    layout->addSpacing(8);
    layout->addWidget(m_reason, 1);
    EnableButtons();
}

TDBNavigator::~TDBNavigator()
{
    disconnect(m_stateConnection);
}

void TDBNavigator::SetDataSource(Db::DataSource *source)
{
    Db::DataLink::SetDataSource(source);
    watchDataset();
    EnableButtons();
}

void TDBNavigator::SetReadOnlyReason(const QString &reason)
{
    m_readOnlyReason = reason;
    m_reason->setText(reason);
    EnableButtons();
}

void TDBNavigator::ActiveChanged()
{
    watchDataset();
    EnableButtons();
}

// The dataset tells of entering and leaving the edit state only by its own
// signal, not through the data source's links.
void TDBNavigator::watchDataset()
{
    Db::Dataset *dataset = DataSet();
    if (dataset == m_watched)
        return;
    disconnect(m_stateConnection);
    m_watched = dataset;
    if (dataset)
        m_stateConnection = connect(dataset, &Db::Dataset::stateChange, this, [this] { EnableButtons(); });
}

void TDBNavigator::EnableButtons()
{
    const Db::Dataset *dataset = DataSet();
    const bool active = dataset && dataset->Active();
    const bool editing = active && dataset->State() == Db::DataSetState::Edit;
    const bool browsing = active && !editing;
    const int row = active ? dataset->RecNo() : 0;
    const int count = active ? dataset->RecordCount() : 0;
    const bool editable = m_readOnlyReason.isEmpty();
    m_buttons[nbFirst]->setEnabled(browsing && row > 1);
    m_buttons[nbPrior]->setEnabled(browsing && row > 1);
    m_buttons[nbNext]->setEnabled(browsing && row < count);
    m_buttons[nbLast]->setEnabled(browsing && row < count);
    m_buttons[nbEdit]->setEnabled(browsing && count > 0 && editable);
    m_buttons[nbPost]->setEnabled(editing);
    m_buttons[nbCancel]->setEnabled(editing);
    m_buttons[nbRefresh]->setEnabled(browsing);
}

bool TDBNavigator::BtnClick(Button which)
{
    Db::Dataset *dataset = DataSet();
    if (!dataset || !m_buttons[which]->isEnabled())
        return false;
    try {
        switch (which) {
        case nbFirst:
            dataset->First();
            break;
        case nbPrior:
            dataset->Prior();
            break;
        case nbNext:
            dataset->Next();
            break;
        case nbLast:
            dataset->Last();
            break;
        case nbEdit:
            dataset->Edit();
            break;
        case nbPost:
            post();
            break;
        case nbCancel:
            dataset->Cancel();
            break;
        case nbRefresh:
            refresh();
            break;
        case ButtonCount:
            break;
        }
    } catch (const Db::DatabaseError &error) {
        Messages().showWarning(QStringLiteral("Operace se záznamem se nezdařila..."), QString(), error.text());
    }
    EnableButtons();
    return true;
}

// A refused save keeps the row in editing with the user's values.
void TDBNavigator::post()
{
    try {
        DataSet()->Post();
    } catch (const Db::DatabaseError &error) {
        Messages().showWarning(QStringLiteral("Uložení změn záznamu se nezdařilo..."),
                               QStringLiteral("Změny zůstávají rozpracované, lze je opravit nebo zrušit."),
                               error.text());
    }
}

// Shows the rows anew and comes back to the row the user stood on, or to
// the same position when that row changed or went.
void TDBNavigator::refresh()
{
    Db::Dataset *dataset = DataSet();
    const Db::Bookmark place = dataset->GetBookmark();
    const int position = dataset->RecNo();
    dataset->Requery();
    if (!dataset->GotoBookmark(place) && !dataset->IsEmpty())
        dataset->SetRecNo(std::min(position, dataset->RecordCount()));
}

#include "app/search/form_hledat.h"

#include "app/common/formcontrols.h"
#include "data/dm.h"
#include "kit/formstorage.h"
#include "platform/db/field.h"
#include "platform/messages.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TForm_Hledat::TForm_Hledat(QWidget *parent)
    : QDialog(parent)
{
    Label_Prohledavat = new QLabel(QStringLiteral("&Prohledávat:"), this);
    Label_Prohledavat->setObjectName(QStringLiteral("Label_Prohledavat"));
    ComboBox_Prohledavat = new QComboBox(this);
    ComboBox_Prohledavat->setObjectName(QStringLiteral("ComboBox_Prohledavat"));
    ComboBox_Prohledavat->setMinimumWidth(260);
    Label_Prohledavat->setBuddy(ComboBox_Prohledavat);
    ComboBox_Hledat = new QComboBox(this);
    ComboBox_Hledat->setObjectName(QStringLiteral("ComboBox_Hledat"));
    ComboBox_Hledat->setEditable(true);
    // Only found texts join the list, never whatever Enter was pressed on.
    ComboBox_Hledat->setInsertPolicy(QComboBox::NoInsert);

    Button_Hledat = new QPushButton(QStringLiteral("&Najít [Enter]"), this);
    Button_Hledat->setObjectName(QStringLiteral("Button_Hledat"));
    Button_HledatDalsi = new QPushButton(QStringLiteral("Najít &další [Enter]"), this);
    Button_HledatDalsi->setObjectName(QStringLiteral("Button_HledatDalsi"));
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít [Esc]"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    for (QPushButton *button : {Button_Hledat, Button_HledatDalsi, Button_Zavrit})
        button->setAutoDefault(false);

    auto *fields = new QGridLayout;
    fields->addWidget(Label_Prohledavat, 0, 0);
    fields->addWidget(ComboBox_Prohledavat, 0, 1);
    fields->addWidget(ComboBox_Hledat, 1, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Hledat);
    buttons->addWidget(Button_HledatDalsi);
    buttons->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(ComboBox_Prohledavat, ComboBox_Hledat);
    setTabOrder(ComboBox_Hledat, Button_Hledat);
    setTabOrder(Button_Hledat, Button_HledatDalsi);
    setTabOrder(Button_HledatDalsi, Button_Zavrit);

    connect(Button_Hledat, &QPushButton::clicked, this, [this] { Button_HledatClick(); });
    connect(Button_HledatDalsi, &QPushButton::clicked, this, &TForm_Hledat::Button_HledatDalsiClick);
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBox_Prohledavat, &QComboBox::activated, this, &TForm_Hledat::ComboBox_ProhledavatChange);
    connect(ComboBox_Hledat, &QComboBox::editTextChanged, this, &TForm_Hledat::ComboBox_HledatChange);
    ComboBox_Hledat->installEventFilter(this);
    ComboBox_Hledat->lineEdit()->installEventFilter(this);
}

namespace {
bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return && key->modifiers() == Qt::NoModifier) ||
           (key->key() == Qt::Key_Enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier);
}
} // namespace

// Enter on a focused button presses that button: the dialog's own handling
// would press the default one (a search) instead.
void TForm_Hledat::keyPressEvent(QKeyEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (button && isEnter(event) && button->isEnabled()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm_Hledat::eventFilter(QObject *watched, QEvent *event)
{
    // Enter searches, whatever state the text is in. The box's inline
    // completion would take an Enter pressed on a text selected to its end
    // that completes to a text found before (the one the dialog opens with,
    // or one completed from its first letters), and the default button
    // would never hear of it. The list of found texts, when dropped down,
    // keeps its own Enter.
    if ((watched == ComboBox_Hledat || watched == ComboBox_Hledat->lineEdit()) && event->type() == QEvent::KeyPress &&
        !ComboBox_Hledat->view()->isVisible()) {
        if (isEnter(static_cast<QKeyEvent *>(event))) {
            // One of them: a search that finds makes "next" the default.
            QPushButton *button = Button_HledatDalsi->isDefault() ? Button_HledatDalsi : Button_Hledat;
            if (button->isDefault() && button->isEnabled())
                button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_Hledat::SetQueries(TMSSQLADOQuery *listQuery, TMSSQLADOQuery *searchQuery)
{
    m_listQuery = listQuery;
    m_searchQuery = searchQuery;
}

void TForm_Hledat::FillColumns()
{
    ComboBox_Prohledavat->clear();
    ComboBox_Prohledavat->addItem(QStringLiteral("Vše"), -1);
    if (!m_searchQuery)
        return;
    const auto &fields = m_searchQuery->Fields();
    for (int i = 1; i < int(fields.size()); ++i) {
        const Db::Field *field = fields[size_t(i)];
        const QString name = field->FieldName().toUpper();
        // Ids and id paths mean nothing to the user; "Vše" still searches them.
        if (name.startsWith(QLatin1String("ID_")) || name.startsWith(QLatin1String("PATH_ID_")))
            continue;
        ComboBox_Prohledavat->addItem(m_captions.value(name, field->Label()), i);
    }
}

void TForm_Hledat::SetColumnCaptions(const QHash<QString, QString> &captions)
{
    m_captions.clear();
    for (auto it = captions.cbegin(); it != captions.cend(); ++it)
        m_captions.insert(it.key().toUpper(), it.value());
    const int chosen = ComboBox_Prohledavat->currentIndex();
    FillColumns();
    ComboBox_Prohledavat->setCurrentIndex(qMax(0, chosen));
}

void TForm_Hledat::SetSearchText(const QString &text)
{
    if (isVisible())
        ComboBox_Hledat->lineEdit()->insert(text);
    else
        m_typed += text;
}

void TForm_Hledat::focusText()
{
    ComboBox_Hledat->setFocus();
    ComboBox_Hledat->lineEdit()->selectAll();
}

void TForm_Hledat::setDefault(QPushButton *button)
{
    Button_Hledat->setDefault(button == Button_Hledat);
    Button_HledatDalsi->setDefault(button == Button_HledatDalsi);
}

void TForm_Hledat::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    focusText();
    ComboBox_ProhledavatChange();
    ComboBox_HledatChange();
}

void TForm_Hledat::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    // What was typed into the list replaces the selected text, as typing
    // would: once the dialog's own focus handling (which selects the text)
    // is over, and before any key typed on reaches the box.
    if (visible && !m_typed.isEmpty())
        ComboBox_Hledat->lineEdit()->insert(std::exchange(m_typed, {}));
}

void TForm_Hledat::hideEvent(QHideEvent *event)
{
    // The "next" state ends with the dialog.
    if (m_searchQuery)
        m_searchQuery->Close();
    m_found = false;
    QDialog::hideEvent(event);
}

void TForm_Hledat::ComboBox_ProhledavatChange()
{
    focusText();
}

void TForm_Hledat::ComboBox_HledatChange()
{
    MarkInvalid(ComboBox_Hledat,
                ComboBox_Hledat->currentText().isEmpty() ? QStringLiteral("Nezadaný hledaný text...") : QString());
    Button_Hledat->setEnabled(FormControlsValide(this));
    Button_HledatDalsi->setEnabled(false);
    setDefault(Button_Hledat);
}

bool TForm_Hledat::RunFieldSearch()
{
    m_found = false;
    if (m_listQuery && m_searchQuery && m_listQuery->Active() && m_listQuery->FieldCount() > 0) {
        const QString key = m_listQuery->Fields().front()->FieldName();
        const Variant text(ComboBox_Hledat->currentText());
        const int column = ComboBox_Prohledavat->currentData().toInt();
        if (column < 0) {
            m_found = m_listQuery->FindFirstInFields(m_searchQuery, key, text);
        } else {
            // The twin's columns are known before it opens: the search
            // opens it once, for what it looks for.
            const auto &fields = m_searchQuery->Fields();
            const Db::Field *field = column < int(fields.size()) ? fields[size_t(column)] : nullptr;
            m_found = m_listQuery->FindFirstInField(m_searchQuery, key, text, field);
        }
    }
    Button_HledatDalsi->setEnabled(m_found);
    return m_found;
}

void TForm_Hledat::Button_HledatClick()
{
    if (!Button_Hledat->isEnabled())
        return;
    const QString text = ComboBox_Hledat->currentText();
    if (!RunFieldSearch()) {
        // A search that could not run found nothing, but says why.
        const Db::Connection *connection = m_listQuery ? m_listQuery->GetConnection() : nullptr;
        const QString reason = connection ? connection->lastErrorText() : QString();
        if (!reason.isEmpty())
            ShowWarning(QStringLiteral("Hledání neproběhlo..."), QStringLiteral("Hledaná hodnota: [%1]").arg(text),
                        reason);
        else
            ShowInformation(QStringLiteral("Hledaná hodnota nenalezena..."),
                            QStringLiteral("Hledaná hodnota: [%1]").arg(text), false);
        focusText();
        setDefault(Button_Hledat);
        return;
    }
    setDefault(Button_HledatDalsi);
    if (ComboBox_Hledat->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        ComboBox_Hledat->blockSignals(true);
        ComboBox_Hledat->addItem(text);
        ComboBox_Hledat->setEditText(text);
        ComboBox_Hledat->blockSignals(false);
    }
}

void TForm_Hledat::Button_HledatDalsiClick()
{
    if (!Button_HledatDalsi->isEnabled())
        return;
    if (m_listQuery && m_listQuery->FindNextMatch())
        return;
    ShowInformation(QStringLiteral("Další hledaná hodnota nenalezena..."),
                    QStringLiteral("Hledaná hodnota: [%1]").arg(ComboBox_Hledat->currentText()), false);
    focusText();
    setDefault(Button_Hledat);
}

TForm_HledatSeznam::TForm_HledatSeznam(TMSSQLADOQuery *listQuery, TMSSQLADOQuery *searchQuery, const QString &section,
                                       int defaultColumn, QWidget *parent)
    : TForm_Hledat(parent)
    , FormStorage(new TFormStorage(this))
    , m_defaultColumn(defaultColumn)
{
    FormStorage->setObjectName(QStringLiteral("FormStorage"));
    FormStorage->SetIniSection(section);
    FormStorage->SetOptions({});
    FormStorage->StoredValues().Add(QStringLiteral("Prohledavat"), defaultColumn);
    SetQueries(listQuery, searchQuery);
    FillColumns();
    restoreColumn();
}

void TForm_HledatSeznam::restoreColumn()
{
    if (ComboBox_Prohledavat->count() <= 1)
        FillColumns();
    TStoredValue *stored = FormStorage->StoredValueAt(0);
    stored->Restore();
    bool ok = false;
    int index = stored->Value.toInt(&ok);
    if (!ok || index < 0 || index >= ComboBox_Prohledavat->count())
        index = qBound(0, m_defaultColumn, ComboBox_Prohledavat->count() - 1);
    ComboBox_Prohledavat->setCurrentIndex(index);
}

void TForm_HledatSeznam::storeColumn()
{
    TStoredValue *stored = FormStorage->StoredValueAt(0);
    stored->Value = ComboBox_Prohledavat->currentIndex();
    stored->Save();
}

void TForm_HledatSeznam::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        restoreColumn();
    TForm_Hledat::showEvent(event);
}

void TForm_HledatSeznam::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        storeColumn();
    TForm_Hledat::hideEvent(event);
}

void TForm_HledatSeznam::Button_HledatClick()
{
    storeColumn();
    TForm_Hledat::Button_HledatClick();
}

TForm_HledatPolozku::TForm_HledatPolozku(TDM &dm, QWidget *parent)
    : TForm_HledatSeznam(dm.MSSQLADOQuery_Polozka, dm.MSSQLADOQuery_Polozka_Hledat, QStringLiteral("Hledat_polozku"), 3,
                         parent)
{
    setObjectName(QStringLiteral("Form_HledatPolozku"));
    setWindowTitle(QStringLiteral("Hledat položku"));
}

TForm_HledatDoklad::TForm_HledatDoklad(TDM &dm, QWidget *parent)
    : TForm_HledatSeznam(dm.MSSQLADOQuery_Doklad, dm.MSSQLADOQuery_Doklad_Hledat, QStringLiteral("Hledat_doklad"), 5,
                         parent)
{
    setObjectName(QStringLiteral("Form_HledatDoklad"));
    setWindowTitle(QStringLiteral("Hledat doklad"));
}

#pragma once
// The navigator of a data-aware grid: first, previous, next and last row,
// edit, save, cancel and refresh. Editing buttons work only while editing is
// allowed; otherwise a read-only navigator says why beside its buttons.
#include "platform/db/datasource.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QToolButton;

class TDBNavigator : public QWidget, public Db::DataLink
{
    Q_OBJECT
public:
    enum Button { nbFirst, nbPrior, nbNext, nbLast, nbEdit, nbPost, nbCancel, nbRefresh, ButtonCount };

    explicit TDBNavigator(QWidget *parent = nullptr);
    ~TDBNavigator() override;

    void SetDataSource(Db::DataSource *source);
    // An empty reason allows editing; otherwise the editing buttons stay
    // disabled and the reason is shown.
    void SetReadOnlyReason(const QString &reason);
    QString ReadOnlyReason() const { return m_readOnlyReason; }

    QToolButton *button(Button which) const { return m_buttons[which]; }
    QLabel *reasonLabel() const { return m_reason; }
    // Presses a button as the user would; false when it is disabled.
    bool BtnClick(Button which);

protected:
    void ActiveChanged() override;
    void DataSetChanged() override { EnableButtons(); }
    void DataSetScrolled() override { EnableButtons(); }
    void RecordChanged(Db::Field *) override { EnableButtons(); }

private:
    void EnableButtons();
    void watchDataset();
    void refresh();
    void post();

    std::array<QToolButton *, ButtonCount> m_buttons{};
    QLabel *m_reason = nullptr;
    QString m_readOnlyReason;
    QPointer<Db::Dataset> m_watched;
    QMetaObject::Connection m_stateConnection;
};

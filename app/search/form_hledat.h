#pragma once
// The search dialogs of the item and document lists: a text searched in one
// column of the list's search twin or in all of them ("Vše"); the first match
// becomes the list's current row, "next" goes on from the row after it.
#include <QDialog>
#include <QHash>

class QComboBox;
class QLabel;
class QPushButton;
class TFormStorage;
class TMSSQLADOQuery;
class TDM;

class TForm_Hledat : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Hledat(QWidget *parent = nullptr);

    QLabel *Label_Prohledavat;
    QComboBox *ComboBox_Prohledavat;
    QComboBox *ComboBox_Hledat;
    QPushButton *Button_Hledat;
    QPushButton *Button_HledatDalsi;
    QPushButton *Button_Zavrit;

    // The last search found a row.
    bool Found() const { return m_found; }
    TMSSQLADOQuery *ListQuery() const { return m_listQuery; }
    TMSSQLADOQuery *SearchQuery() const { return m_searchQuery; }

    // Text typed into the list: it replaces the search text when the dialog
    // shows, and goes in at the caret while the dialog is showing.
    void SetSearchText(const QString &text);
    void setVisible(bool visible) override;
    // The captions the column choice shows, by field name (the lists' column
    // titles); a field without one shows its own label.
    void SetColumnCaptions(const QHash<QString, QString> &captions);

    virtual void Button_HledatClick();
    void Button_HledatDalsiClick();
    void ComboBox_ProhledavatChange();
    void ComboBox_HledatChange();

protected:
    // "Vše" and the display label of each column of the search query but its
    // key and the other ids, each with its column index.
    void FillColumns();
    void SetQueries(TMSSQLADOQuery *listQuery, TMSSQLADOQuery *searchQuery);
    bool RunFieldSearch();
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void focusText();
    bool warnOfFailure();
    void setDefault(QPushButton *button);
    TMSSQLADOQuery *m_listQuery = nullptr;
    TMSSQLADOQuery *m_searchQuery = nullptr;
    bool m_found = false;
    QHash<QString, QString> m_captions;
    QString m_typed;
};

// A search dialog of one list with its stored column choice.
class TForm_HledatSeznam : public TForm_Hledat
{
    Q_OBJECT
public:
    TForm_HledatSeznam(TMSSQLADOQuery *listQuery, TMSSQLADOQuery *searchQuery, const QString &section,
                       int defaultColumn, QWidget *parent);
    TFormStorage *FormStorage;
    void Button_HledatClick() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void restoreColumn();
    void storeColumn();
    int m_defaultColumn;
};

class TForm_HledatPolozku : public TForm_HledatSeznam
{
    Q_OBJECT
public:
    explicit TForm_HledatPolozku(TDM &dm, QWidget *parent = nullptr);
};

class TForm_HledatDoklad : public TForm_HledatSeznam
{
    Q_OBJECT
public:
    explicit TForm_HledatDoklad(TDM &dm, QWidget *parent = nullptr);
};

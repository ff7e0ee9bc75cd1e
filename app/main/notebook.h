#pragma once
// A stack of pages without tabs: the program switches them through its menu
// and keys. ActivePage is the caption of the page shown, so the form storage
// keeps the page by its name.
#include <QStackedWidget>
#include <QStringList>

class TNotebook : public QStackedWidget
{
    Q_OBJECT
    Q_PROPERTY(QString ActivePage READ ActivePage WRITE SetActivePage)
public:
    explicit TNotebook(QWidget *parent = nullptr);

    // Adds a page with its caption; returns the page.
    QWidget *AddPage(const QString &caption, const QString &objectName);
    QStringList Pages() const { return m_captions; }
    QString PageCaption(int index) const { return m_captions.value(index); }

    int PageIndex() const { return currentIndex(); }
    void SetPageIndex(int index);
    QString ActivePage() const { return PageCaption(currentIndex()); }
    // An unknown caption leaves the page as it is.
    void SetActivePage(const QString &caption);

signals:
    void PageChanged();

private:
    QStringList m_captions;
};

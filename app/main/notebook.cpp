#include "app/main/notebook.h"

TNotebook::TNotebook(QWidget *parent)
    : QStackedWidget(parent)
{
    connect(this, &QStackedWidget::currentChanged, this, [this] { emit PageChanged(); });
}

QWidget *TNotebook::AddPage(const QString &caption, const QString &objectName)
{
    auto *page = new QWidget(this);
    page->setObjectName(objectName);
    m_captions << caption;
    addWidget(page);
    return page;
}

void TNotebook::SetPageIndex(int index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

void TNotebook::SetActivePage(const QString &caption)
{
    SetPageIndex(int(m_captions.indexOf(caption)));
}

#include "app/settings/oprogramu.h"

#include "app/common/modalresult.h"
#include "app/start/appglobals.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TForm_OProgramu::TForm_OProgramu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_OProgramu"));
    setWindowTitle(QStringLiteral(" O programu"));

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    Image->setPixmap(icon.pixmap(48, 48));
    Label_Aplikace = new QLabel(AppTitle, this);
    Label_Aplikace->setObjectName(QStringLiteral("Label_Aplikace"));
    QFont font = Label_Aplikace->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    Label_Aplikace->setFont(font);
    Label_OS = new QLabel(QStringLiteral("pro Linux"), this);
    Label_OS->setObjectName(QStringLiteral("Label_OS"));
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    Button_Zavrit->setDefault(true);
    connect(Button_Zavrit, &QPushButton::clicked, this, [this] { done(mrOk); });

    auto *texts = new QVBoxLayout;
    texts->addWidget(Label_Aplikace);
    texts->addWidget(Label_OS);
    auto *top = new QHBoxLayout;
    top->addWidget(Image, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Button_Zavrit, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

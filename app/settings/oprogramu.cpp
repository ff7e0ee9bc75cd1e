#include "app/settings/oprogramu.h"

#include "app/common/modalresult.h"
#include "app/start/appglobals.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The program's picture while the application carries no icon of its own.
QPixmap programPicture()
{
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x5f, 0x9f));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("T"));
    return picture;
}

} // namespace

TForm_OProgramu::TForm_OProgramu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_OProgramu"));
    setWindowTitle(QStringLiteral(" O programu"));

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    const QIcon icon = QApplication::windowIcon();
    Image->setPixmap(icon.isNull() ? programPicture() : icon.pixmap(48, 48));
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
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(320);
}

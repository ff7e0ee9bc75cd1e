#include "report/designer/dialogs/templform.h"

#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/dialogparts.h"

#include "report/vldialogbuttons.h"
#include "report/vlreport.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *imageBox(QWidget *parent)
{
    auto *image = new QLabel(parent);
    image->setObjectName("Image1");
    image->setFixedSize(64, 64);
    image->setAlignment(Qt::AlignCenter);
    image->setFrameShape(QFrame::StyledPanel);
    return image;
}

void showImage(QLabel *box, const QImage &image)
{
    if (image.isNull())
        box->clear();
    else
        box->setPixmap(QPixmap::fromImage(
            image.width() > 64 || image.height() > 64 ? image.scaled(64, 64, Qt::KeepAspectRatio) : image));
}

} // namespace

QString TvlTemplForm::Folder(const QString &templateDir)
{
    if (templateDir.isEmpty())
        return {};
    return templateDir.endsWith(u'/') ? templateDir : templateDir + u'/';
}

QStringList TvlTemplForm::TemplateNames(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    QStringList names;
    for (const QFileInfo &file :
         dir.entryInfoList({QStringLiteral("*.vlt")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        names << file.completeBaseName();
    return names;
}

TvlTemplForm::TvlTemplForm(const QString &templateDir, QWidget *parent)
    : QDialog(parent)
    , m_folder(Folder(templateDir))
{
    setObjectName("TvlTemplForm");
    setWindowTitle("Nová sestava");
    LB1 = new QListWidget(this);
    LB1->setObjectName("LB1");
    GroupBox1 = dialogparts::groupBox(this, "GroupBox1", "&Popis");
    Memo1 = new QPlainTextEdit(GroupBox1);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    GroupBox1->setFocusProxy(Memo1);
    Image1 = imageBox(GroupBox1);
    auto *about = new QHBoxLayout(GroupBox1);
    about->addWidget(Memo1, 1);
    about->addWidget(Image1, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LB1, 1);
    layout->addWidget(GroupBox1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    resize(380, 360);

    LB1->addItems(TemplateNames(m_folder));
    Button1->setEnabled(false);
    connect(LB1, &QListWidget::currentRowChanged, this, [this] { LB1Click(); });
    connect(LB1, &QListWidget::itemDoubleClicked, this, [this] {
        if (Button1->isEnabled())
            accept();
    });
}

void TvlTemplForm::LB1Click()
{
    const QListWidgetItem *item = LB1->currentItem();
    Button1->setEnabled(item != nullptr);
    Memo1->clear();
    Image1->clear();
    if (!item)
        return;
    TvlReport report;
    QStringList description;
    QImage icon;
    QString error;
    if (!report.LoadTemplate(m_folder + item->text() + QStringLiteral(".vlt"), &description, &icon, false, &error)) {
        Memo1->setPlainText(error);
        return;
    }
    Memo1->setPlainText(description.join(u'\n'));
    showImage(Image1, icon);
}

void TvlTemplForm::done(int result)
{
    if (result == Accepted && LB1->currentItem())
        TemplName = m_folder + LB1->currentItem()->text() + QStringLiteral(".vlt");
    QDialog::done(result);
}

// --- new template --------------------------------------------------------------------

TvlTemplNewForm::TvlTemplNewForm(QWidget *parent)
    : QDialog(parent)
{
    using namespace dialogparts;
    setObjectName("TvlTemplNewForm");
    setWindowTitle("Nová šablona sestavy");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Label1 = label(this, "Label1", "&Komentář", Memo1);
    GroupBox2 = groupBox(this, "GroupBox2", "Ikona");
    Panel1 = new QWidget(GroupBox2);
    Panel1->setObjectName("Panel1");
    Image1 = imageBox(Panel1);
    (new QVBoxLayout(Panel1))->addWidget(Image1);
    Button1 = new QPushButton("&Soubor...", GroupBox2);
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    auto *icon = new QVBoxLayout(GroupBox2);
    icon->addWidget(Panel1, 0, Qt::AlignHCenter);
    icon->addWidget(Button1);
    icon->addStretch();
    auto *row = new QHBoxLayout;
    auto *text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(Memo1, 1);
    row->addLayout(text, 1);
    row->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(vlOkCancelButtons(this, Button2, Button3));
    Button2->setObjectName("Button2");
    Button3->setObjectName("Button3");
    Button2->setAutoDefault(false);
    Button2->setDefault(false);
    resize(400, 240);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Memo1->setFocus();
}

QStringList TvlTemplNewForm::Description() const
{
    const QString text = Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

bool TvlTemplNewForm::LoadIcon(const QString &fileName)
{
    QImage image;
    if (!image.load(fileName, "BMP"))
        return false;
    m_icon = image;
    showImage(Image1, m_icon);
    return true;
}

void TvlTemplNewForm::Button1Click()
{
    const QString file = vlDialogAnswers().OpenFile(QStringLiteral("Soubor s bitmapou (*.bmp)|*.bmp"), this);
    if (!file.isEmpty() && !LoadIcon(file))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Soubor „%1“ nelze načíst: není to bitmapa.").arg(file));
}

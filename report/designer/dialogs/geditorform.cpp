#include "report/designer/dialogs/geditorform.h"

#include "report/designer/dialogs/dialoganswers.h"

#include "report/vldialogbuttons.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

TvlPictureBox::TvlPictureBox(QWidget *parent)
    : QFrame(parent)
{
    setObjectName("Image1");
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(240, 180);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void TvlPictureBox::SetPicture(const TvlPicture &picture)
{
    m_picture = picture;
    update();
}

void TvlPictureBox::SetStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void TvlPictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.IsEmpty())
        return;
    const QRect area = contentsRect();
    QRect target(area.topLeft(), m_stretch ? area.size() : m_picture.Size());
    QPainter painter(this);
    painter.setClipRect(area);
    if (const TvlMetafile *metafile = m_picture.Metafile()) {
        metafile->Render(painter, target);
    } else if (m_picture.Kind() == gkMetafile) {
        // A metafile that cannot be drawn: a crossed box.
        painter.setPen(Qt::gray);
        target = QRect(area.topLeft(), QSize(64, 64));
        painter.drawRect(target.adjusted(0, 0, -1, -1));
        painter.drawLine(target.topLeft(), target.bottomRight());
        painter.drawLine(target.bottomLeft(), target.topRight());
    } else {
        painter.drawImage(target, m_picture.Image());
    }
}

const QString TvlGEditorForm::Filter = QStringLiteral("Soubor s obrázkem") +
                                       QStringLiteral(" (*.bmp *.ico *.wmf *.emf)|*.bmp;*.ico;*.wmf;*.emf|") +
                                       QStringLiteral("Všechny soubory") + QStringLiteral("|*.*");

TvlGEditorForm::TvlGEditorForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TvlGEditorForm");
    setWindowTitle("Obrázek");
    Image1 = new TvlPictureBox(this);
    CB1 = new QCheckBox("&Roztáhnout", this);
    CB1->setObjectName("CB1");
    auto button = [this](const char *name, const QString &caption) {
        auto *result = new QPushButton(caption, this);
        result->setObjectName(QString::fromLatin1(name));
        result->setAutoDefault(false);
        return result;
    };
    Button3 = button("Button3", "&Otevřít...");
    Button4 = button("Button4", "&Vymazat");
    Button5 = button("Button5", "&Text");
    auto *tools = new QHBoxLayout;
    tools->addWidget(CB1);
    tools->addStretch();
    tools->addWidget(Button3);
    tools->addWidget(Button4);
    tools->addWidget(Button5);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 1);
    layout->addLayout(tools);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    resize(420, 340);

    connect(CB1, &QCheckBox::toggled, Image1, &TvlPictureBox::SetStretch);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] {
        if (EditText)
            EditText();
    });
}

bool TvlGEditorForm::LoadFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    const QString extension = QFileInfo(fileName).suffix().toLower();
    TvlPicture picture;
    bool loaded = false;
    if (extension == u"bmp")
        loaded = picture.Load(gkBitmap, data);
    else if (extension == u"ico")
        loaded = picture.Load(gkIcon, data);
    else if (extension == u"wmf" || extension == u"emf")
        loaded = TvlMetafile::KindOf(data) != TvlMetafileKind::None && picture.Load(gkMetafile, data);
    else
        loaded = picture.LoadAny(data);
    if (!loaded)
        return false;
    SetPicture(picture);
    return true;
}

void TvlGEditorForm::Button3Click()
{
    const QString file = vlDialogAnswers().OpenFile(Filter, this);
    if (!file.isEmpty() && !LoadFile(file))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Soubor „%1“ nelze načíst: není to obrázek, který sestava umí.").arg(file));
}

void TvlGEditorForm::Button4Click()
{
    SetPicture(TvlPicture());
}

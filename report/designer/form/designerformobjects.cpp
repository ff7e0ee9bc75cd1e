// The object commands on the designer's bars and menus, the inspector, the
// colour palette and the line styles.
#include "report/designer/colorselector/colorselector.h"
#include "report/designer/dialogs/editorform.h"
#include "report/designer/form/designerform.h"
#include "report/designer/objects/colorbuttons.h"
#include "report/designer/objects/objectcommands.h"
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/designerpage.h"
#include "report/designer/properties/inspform.h"
#include "report/vlmemoview.h"
#include "report/vltoolbuttons.h"

#include <QComboBox>
#include <QLineEdit>

void TvlDesignerForm::CreateObjectCommands()
{
    m_objects = std::make_unique<TvlObjectCommands>(*this, this);
    m_memoEditor = std::make_unique<TvlEditorForm>(this);
    m_memoEditor->OnBeforeChange = [this] { AddUndoAction(UndoEdit); };
    m_objects->SetMemoEditor(m_memoEditor.get());
    m_inspector = new TvlInspForm(this);
    if (m_inspector->objectName().isEmpty())
        m_inspector->setObjectName(QStringLiteral("vlInspForm"));
    m_controls.insert(QStringLiteral("Inspector"), m_inspector);
    const QRect screen = vlScreenAreas().value(0, QRect(0, 0, 1024, 768));
    m_inspector->setGeometry(screen.right() - 240, screen.top() + 160, 220, 200);
    m_objects->AttachInspector(m_inspector, m_memoEditor.get());

    m_colorSelector = new TColorSelector(this);
    m_colorSelector->hide();
    m_colorButtons = std::make_unique<TvlColorButtons>(m_colorSelector, [this](TvlSpeedButton *button) {
        m_objects->ApplyColor(button->property("Tag").toInt(), m_colorSelector->Color());
    });
    m_linePanel = new TvlLineStylePanel(this);
    m_linePanel->hide();
    m_linePanel->OnStyle = [this](int tag) { m_objects->ApplyLineStyle(tag); };

    // The formatting buttons: their Tag says what changes.
    for (const char *name : {"FrB1", "FrB2", "FrB3", "FrB4", "FrB5", "FrB6", "AlB1", "AlB2", "AlB3", "AlB4", "AlB5",
                             "AlB6", "AlB7", "AlB8", "FnB1", "FnB2", "FnB3"}) {
        auto *button = qobject_cast<TvlSpeedButton *>(Control(QString::fromLatin1(name)));
        connect(button, &TvlSpeedButton::OnClick, this, [this, button] {
            TvlFormatRequest request;
            request.Tag = button->property("Tag").toInt();
            request.Down = button->Down();
            request.VCenterDown = qobject_cast<TvlSpeedButton *>(Control(QStringLiteral("AlB5")))->Down();
            request.BottomDown = qobject_cast<TvlSpeedButton *>(Control(QStringLiteral("AlB7")))->Down();
            m_objects->DoClick(request);
        });
    }
    auto textRequest = [this](int tag, const QString &text) {
        TvlFormatRequest request;
        request.Tag = tag;
        request.Text = text;
        m_objects->DoClick(request);
    };
    connect(m_frameWidth, &QLineEdit::returnPressed, this,
            [this, textRequest] { textRequest(tagFrameWidth, m_frameWidth->text()); });
    connect(m_fontSize->lineEdit(), &QLineEdit::returnPressed, this,
            [this, textRequest] { textRequest(tagFontSize, m_fontSize->currentText()); });
    connect(m_fontSize, &QComboBox::activated, this,
            [this, textRequest] { textRequest(tagFontSize, m_fontSize->currentText()); });
    connect(m_fontName, &QComboBox::activated, this,
            [this, textRequest] { textRequest(tagFontName, m_fontName->currentText()); });
    Bind({"SB1"}, [this] { m_frameWidth->setText(m_objects->SpinFrameWidth(m_frameWidth->text(), 1)); });
    Bind({"SB2"}, [this] { m_frameWidth->setText(m_objects->SpinFrameWidth(m_frameWidth->text(), -1)); });
    for (const char *name : {"ClB1", "ClB2", "ClB3"}) {
        auto *button = qobject_cast<TvlSpeedButton *>(Control(QString::fromLatin1(name)));
        Bind({name}, [this, button] { m_colorButtons->Click(button); });
    }
    Bind({"StB1"}, [this] { m_linePanel->Toggle(qobject_cast<QWidget *>(Control(QStringLiteral("StB1")))); });
    Bind({"HlB1"}, [this] { m_objects->HlB1Click(); });
    for (int i = 1; i <= 10; ++i)
        Bind({QStringLiteral("Align%1").arg(i)}, [this, i] { m_objects->AlignClick(i); });
    Bind({"ZB1", "N32"}, [this] { m_objects->ZB1Click(); });
    Bind({"ZB2", "N33"}, [this] { m_objects->ZB2Click(); });
    Bind({"GB3"}, [this] { m_objects->GB3Click(); });
    Bind({"SelAllB", "N28", "N16"}, [this] { m_objects->SelAllBClick(); });
    Bind({"N27", "N5"}, [this] { m_objects->N5Click(); });
    Bind({"N36", "N6"}, [this] { m_objects->ShowObjectEditor(); });
}

void TvlDesignerForm::PaintColorButtons(const TvlView *view)
{
    auto paint = [this](const char *name, int cell, TColor color) {
        TvlColorButtons::Paint(qobject_cast<TvlSpeedButton *>(Control(QString::fromLatin1(name))), cell, color);
    };
    paint("ClB1", ccFill, view ? view->FillColor : 0);
    paint("ClB3", ccFrame, view ? view->FrameColor : 0);
    if (!view || view->ObjectType == otMemo)
        paint("ClB2", ccFont, view ? static_cast<const TvlMemoView *>(view)->FontColor : 0);
}

void TvlDesignerForm::HideDropDowns()
{
    m_colorSelector->hide();
    m_linePanel->hide();
}

void TvlDesignerForm::ShowObjectEditor()
{
    m_objects->ShowObjectEditor();
}

void TvlDesignerForm::EditMemoText()
{
    m_objects->EditMemoText();
}

void TvlDesignerForm::ApplyFrameWidthText(const QString &text)
{
    m_frameWidth->setText(text);
    TvlFormatRequest request;
    request.Tag = tagFrameWidth;
    request.Text = text;
    m_objects->DoClick(request);
}

void TvlDesignerForm::FrameAllEdges()
{
    TvlFormatRequest request;
    request.Tag = tagFrameAll;
    m_objects->DoClick(request);
}

void TvlDesignerForm::FrameNoEdges()
{
    TvlFormatRequest request;
    request.Tag = tagFrameNone;
    m_objects->DoClick(request);
}

void TvlDesignerForm::InsertDBFields()
{
    m_objects->InsertDBFields();
}

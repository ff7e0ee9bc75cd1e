#include "report/designer/properties/inspform.h"

#include "report/vltoolbuttons.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int PanelInset = 4;
constexpr int CaptionHeight = 14;
constexpr int TextIndent = 7;
constexpr int TextDrop = 3;
constexpr int ButtonWidth = 16;
const QColor ValueColor(0x00, 0x00, 0x80); // navy

} // namespace

TvlInspForm::TvlInspForm(QWidget *parent)
    // No maximize box: a small tool window that keeps its size.
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("vlInspForm"));
    setWindowTitle(QStringLiteral("Vlastnosti objektu"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    CaptionStrip = new QWidget(this);
    CaptionStrip->setObjectName(QStringLiteral("CaptionStrip"));
    CaptionStrip->setToolTip(QStringLiteral("Dvojité klepnutí svine nebo rozvine okno"));
    CaptionStrip->installEventFilter(this);
    RollButton = new TvlSpeedButton(CaptionStrip);
    RollButton->setObjectName(QStringLiteral("RollButton"));
    RollButton->SetFlat(true);
    RollButton->SetCaption(QStringLiteral("\u25B4"));
    RollButton->setToolTip(QStringLiteral("Svinout okno"));
    connect(RollButton, &TvlSpeedButton::OnClick, this, &TvlInspForm::ToggleRollUp);

    m_font = QApplication::font();
    m_font.setPixelSize(11); // 8 points at 96 pixels per inch
    m_font.setBold(false);
    m_font.setItalic(false);
    m_rowHeight = 5 + m_font.pixelSize();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    PaintBox1 = new QWidget(Panel1);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->installEventFilter(this);

    SpeedButton1 = new TvlSpeedButton(PaintBox1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->SetCaption(QStringLiteral("..."));
    SpeedButton1->hide();
    connect(SpeedButton1, &TvlSpeedButton::OnClick, this, &TvlInspForm::RunEditor);

    Edit1 = new QLineEdit(PaintBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFrame(false);
    Edit1->setFont(m_font);
    Edit1->hide();
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!m_updatingEdit)
            m_rows.SetEditText(text);
    });

    resize(160, CaptionHeight + 7 * m_rowHeight + 2 * PanelInset + 4);
}

TvlInspForm::~TvlInspForm() = default;

void TvlInspForm::ClearProperties()
{
    m_rows.ClearProperties();
    ItemsChanged();
}

void TvlInspForm::AddProperty(const QString &name, std::unique_ptr<TProp> prop)
{
    m_rows.AddProperty(name, std::move(prop));
}

void TvlInspForm::SetEmpty(bool empty)
{
    m_rows.Empty = empty;
}

void TvlInspForm::ItemsChanged()
{
    m_rows.ItemsChanged();
    ShowEditText();
}

void TvlInspForm::SetRowEnabled(int row, bool enabled)
{
    if (row < 0 || row >= m_rows.Count())
        return;
    m_rows.Prop(row)->Enabled = enabled;
    PaintRows();
}

void TvlInspForm::SelectRow(int index)
{
    m_rows.SelectRow(index);
    ShowEditText();
}

void TvlInspForm::ApplyValue()
{
    m_rows.ApplyValue();
    ShowEditText();
}

void TvlInspForm::RunEditor()
{
    if (m_rows.RunEditor())
        ShowEditText();
}

void TvlInspForm::Refresh()
{
    if (!m_rows.EditModified() && m_rows.CurrentRow() >= 0)
        m_rows.SelectRow(m_rows.CurrentRow());
    ShowEditText();
}

// The edit box over the current row: its text selected whole, read-only with
// the editor button beside it on an editor row.
void TvlInspForm::ShowEditText()
{
    const bool visible = m_rows.EditVisible();
    SpeedButton1->setVisible(visible && m_rows.CurrentHasEditor());
    if (visible) {
        m_updatingEdit = true;
        Edit1->setReadOnly(m_rows.EditReadOnly());
        Edit1->setText(m_rows.EditText());
        Edit1->selectAll();
        m_updatingEdit = false;
        PlaceEdit();
    }
    Edit1->setVisible(visible);
    PaintRows();
}

void TvlInspForm::PlaceEdit()
{
    const int row = std::max(m_rows.CurrentRow(), 0);
    const int top = m_rowHeight * row;
    int right = PaintBox1->width() - 2;
    if (SpeedButton1->isVisible() || (m_rows.EditVisible() && m_rows.CurrentHasEditor())) {
        SpeedButton1->setGeometry(right - ButtonWidth, top + 1, ButtonWidth, m_rowHeight - 2);
        right -= ButtonWidth;
    }
    Edit1->setGeometry(m_split + 2, top + TextDrop, std::max(right - m_split - 2, 1), m_rowHeight - TextDrop - 1);
}

void TvlInspForm::DrawRow(QPainter &painter, int index)
{
    if (!m_rows.Prop(index)->Enabled)
        return;
    const QPalette pal = palette();
    const int top = m_rowHeight * index;
    const int bottom = top + m_rowHeight - 1;
    const int right = m_bitmap.width() - 3;
    painter.setPen(Qt::black);
    painter.drawText(QRect(TextIndent, top + TextDrop, m_split - TextIndent, m_rowHeight - TextDrop),
                     Qt::AlignLeft | Qt::AlignTop, m_rows.Name(index));
    if (index == m_rows.CurrentRow()) {
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(1, top, right, top);
        painter.drawLine(1, top, 1, bottom);
        painter.setPen(Qt::black);
        painter.drawLine(2, top + 1, right - 1, top + 1);
        painter.drawLine(2, top + 1, 2, bottom - 1);
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(1, bottom, right, bottom);
        painter.drawLine(right, top, right, bottom);
        return;
    }
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(2, bottom, right, bottom);
    painter.drawLine(m_split - 1, top, m_split - 1, bottom);
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(m_split, top, m_split, bottom);
    painter.setPen(ValueColor);
    painter.drawText(QRect(m_split + 2, top + TextDrop, right - m_split - 2, m_rowHeight - TextDrop),
                     Qt::AlignLeft | Qt::AlignTop, m_rows.ValueText(index));
}

void TvlInspForm::PaintRows()
{
    if (m_bitmap.size() != PaintBox1->size())
        m_bitmap = QImage(PaintBox1->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const QPalette pal = palette();
    m_bitmap.fill(pal.color(QPalette::Button));
    QPainter painter(&m_bitmap);
    painter.setFont(m_font);
    if (!m_rows.Empty) {
        for (int row = 0; row < m_rows.Count(); ++row)
            if (row != m_rows.CurrentRow())
                DrawRow(painter, row);
        if (m_rows.CurrentRow() >= 0)
            DrawRow(painter, m_rows.CurrentRow());
    }
    const int w = m_bitmap.width() - 1, h = m_bitmap.height() - 1;
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(0, 0, w, 0);
    painter.drawLine(0, 0, 0, h);
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(0, h, w, h);
    painter.drawLine(w, 0, w, h);
    painter.end();
    PaintBox1->update();
}

void TvlInspForm::BoxMousePress(int y)
{
    if (m_rows.Empty || m_rows.Count() == 0)
        return;
    const int row = y / m_rowHeight;
    if (row >= m_rows.Count() || !m_rows.Prop(row)->Enabled)
        return;
    SelectRow(row);
    Edit1->setFocus();
}

void TvlInspForm::ToggleRollUp()
{
    if (m_rolledUp) {
        m_rolledUp = false;
        Panel1->show();
        RollButton->SetCaption(QStringLiteral("\u25B4"));
        RollButton->setToolTip(QStringLiteral("Svinout okno"));
        resize(m_expandedSize);
        return;
    }
    m_rolledUp = true;
    m_expandedSize = size();
    if (m_rows.EditModified()) {
        m_rows.ApplyIfModified();
        ShowEditText();
    }
    Panel1->hide();
    RollButton->SetCaption(QStringLiteral("\u25BE"));
    RollButton->setToolTip(QStringLiteral("Rozvinout okno"));
    // Only the caption strip stays.
    resize(std::max(m_expandedSize.width() / 2, 1), CaptionHeight);
}

void TvlInspForm::PaintCaptionStrip()
{
    QPainter painter(CaptionStrip);
    const QRect area = CaptionStrip->rect();
    painter.fillRect(area, palette().color(QPalette::Dark));
    QFont font = m_font;
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::Light));
    const QRect text = area.adjusted(TextIndent - 3, 0, -CaptionHeight - 2, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font).elidedText(windowTitle(), Qt::ElideRight, text.width()));
}

bool TvlInspForm::event(QEvent *event)
{
    if (event->type() == QEvent::NonClientAreaMouseButtonDblClick) {
        ToggleRollUp();
        return true;
    }
    return QWidget::event(event);
}

bool TvlInspForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CaptionStrip) {
        if (event->type() == QEvent::Paint) {
            PaintCaptionStrip();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            ToggleRollUp();
            return true;
        }
        return false;
    }
    if (watched == PaintBox1) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(PaintBox1);
            painter.drawImage(0, 0, m_bitmap);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            BoxMousePress(int(static_cast<QMouseEvent *>(event)->position().y()));
            return true;
        }
        return false;
    }
    if (watched != Edit1 || m_rows.Empty)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int row = m_rows.NeighbourRow(key == Qt::Key_Up ? -1 : 1);
            if (row >= 0)
                SelectRow(row);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_rows.CurrentHasEditor())
                RunEditor();
            else if (m_rows.EditModified())
                ApplyValue();
            Edit1->selectAll();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && m_rows.CurrentHasEditor()) {
        RunEditor();
        return true;
    }
    return false;
}

void TvlInspForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_rows.EditModified()) {
        m_rows.ApplyIfModified();
        ShowEditText();
    }
    QWidget::changeEvent(event);
}

void TvlInspForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    CaptionStrip->setGeometry(0, 0, width(), CaptionHeight);
    RollButton->setGeometry(width() - CaptionHeight, 1, CaptionHeight - 2, CaptionHeight - 2);
    if (m_rolledUp)
        return;
    Panel1->setGeometry(rect().adjusted(PanelInset, CaptionHeight + PanelInset, -PanelInset, -PanelInset));
    PaintBox1->setGeometry(Panel1->rect());
    m_split = PaintBox1->width() / 2;
    PlaceEdit();
    PaintRows();
}

void TvlInspForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    raise();
}

#include "report/vlscriptbinding.h"

namespace {

struct PropertyName
{
    const char *name;
    TvlScriptProperty property;
};

const PropertyName kProperties[] = {
    {"Left", TvlScriptProperty::Left},
    {"Top", TvlScriptProperty::Top},
    {"Width", TvlScriptProperty::Width},
    {"Height", TvlScriptProperty::Height},
    {"Flags", TvlScriptProperty::Flags},
    {"Visible", TvlScriptProperty::Visible},
    {"FrameTyp", TvlScriptProperty::FrameTyp},
    {"FrameWidth", TvlScriptProperty::FrameWidth},
    {"FrameColor", TvlScriptProperty::FrameColor},
    {"FillColor", TvlScriptProperty::FillColor},
    {"Text", TvlScriptProperty::Text},
    {"FontName", TvlScriptProperty::FontName},
    {"FontSize", TvlScriptProperty::FontSize},
    {"FontStyle", TvlScriptProperty::FontStyle},
    {"FontColor", TvlScriptProperty::FontColor},
    {"Adjust", TvlScriptProperty::Adjust},
};

struct ColourName
{
    const char *name;
    qint64 value;
};

const ColourName kColours[] = {
    {"clWhite", 0xFFFFFF},         {"clBlack", 0},         {"clMaroon", 0x80},      {"clGreen", 0x8000},
    {"clOlive", 0x8080},           {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},
    {"clGray", 0x808080},          {"clSilver", 0xC0C0C0}, {"clRed", 0xFF},         {"clLime", 0xFF00},
    {"clYellow", 0xFFFF},          {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clTransparent", 0x1FFFFFFF},
};

bool memoOnly(TvlScriptProperty p)
{
    return p >= TvlScriptProperty::FontName;
}

bool bandAnswers(TvlScriptProperty p)
{
    return p <= TvlScriptProperty::Height || p == TvlScriptProperty::Visible;
}

// The kind each property is stored as.
Variant convertForProperty(TvlScriptProperty p, const Variant &value)
{
    switch (p) {
    case TvlScriptProperty::Visible:
        return Variant(value.toBool());
    case TvlScriptProperty::FrameWidth:
        return Variant(value.toDouble());
    case TvlScriptProperty::Text:
    case TvlScriptProperty::FontName:
        return Variant(value.toString());
    default:
        return Variant(qint64(value.toInt()));
    }
}

} // namespace

TInterpretator::TInterpretator(TvlScriptContext *context, TvlVariables *variables)
    : m_context(context)
    , m_variables(variables)
{}

bool TInterpretator::PropertyByName(const QString &name, TvlScriptProperty *property)
{
    for (const auto &p : kProperties)
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            *property = p.property;
            return true;
        }
    return false;
}

bool TInterpretator::ColourByName(const QString &name, qint64 *value)
{
    for (const auto &c : kColours)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            *value = c.value;
            return true;
        }
    return false;
}

bool TInterpretator::resolve(const QString &name, TvlScriptView **view, QString *property)
{
    const int point = int(name.indexOf(u'.'));
    if (point < 0) {
        *view = m_context->CurrentView();
        *property = name;
    } else {
        *view = m_context->FindView(name.left(point));
        *property = name.mid(point + 1);
    }
    return *view != nullptr;
}

void TInterpretator::GetValue(const QString &name, Variant &value)
{
    value = Variant(qint64(0));
    if (m_variables->IndexOf(name) >= 0) {
        value = m_variables->GetVariable(name);
        return;
    }
    if (name.compare(QLatin1String("FREESPACE"), Qt::CaseInsensitive) == 0) {
        value = Variant(QString::number(m_context->FreeSpace()));
        return;
    }
    TvlScriptView *view = nullptr;
    QString propertyName;
    if (!resolve(name, &view, &propertyName)) {
        qint64 colour = 0;
        if (!name.contains(u'.') && ColourByName(name, &colour))
            value = Variant(colour);
        else
            m_context->GetReportValue(name, value);
        return;
    }
    TvlScriptProperty property;
    if (!PropertyByName(propertyName, &property)) {
        qint64 colour = 0;
        if (ColourByName(propertyName, &colour))
            value = Variant(colour);
        else
            m_context->GetReportValue(name, value);
        return;
    }
    switch (view->ScriptKind()) {
    case TvlScriptView::Kind::Band:
        if (!bandAnswers(property))
            return; // stays 0
        break;
    case TvlScriptView::Kind::Other:
        if (memoOnly(property)) {
            m_context->GetReportValue(name, value);
            return;
        }
        break;
    case TvlScriptView::Kind::Memo:
        break;
    }
    value = view->ScriptProperty(property);
}

void TInterpretator::SetValue(const QString &name, const Variant &value)
{
    TvlScriptView *view = nullptr;
    QString propertyName;
    TvlScriptProperty property;
    if (!resolve(name, &view, &propertyName) || !PropertyByName(propertyName, &property)) {
        m_variables->SetVariable(name, value);
        return;
    }
    const TvlScriptView::Kind kind = view->ScriptKind();
    if ((kind == TvlScriptView::Kind::Band && !bandAnswers(property)) ||
        (kind == TvlScriptView::Kind::Other && memoOnly(property)))
        return;
    view->SetScriptProperty(property, convertForProperty(property, value));
}

void TInterpretator::DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                QString &val)
{
    if (name == u"NEWPAGE") {
        m_context->ForceNewPage();
        val = QStringLiteral("0");
    } else if (name == u"NEWCOLUMN") {
        m_context->ForceNewColumn();
        val = QStringLiteral("0");
    } else {
        m_context->CallReportFunction(name, p1, p2, p3, val);
    }
}

void TInterpretator::Serve()
{
    m_context->ServeEvents();
}

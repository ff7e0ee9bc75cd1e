#include "report/designer/form/designer.h"

#include "report/designer/dialogs/dialoganswers.h"

#include "report/designer/form/designerform.h"
#include "report/designer/form/designerglyphs.h"
#include "report/designer/page/designerglobals.h"
#include "report/rich/vlrichform.h"
#include "report/vlregistry.h"

#include <memory>

namespace {

std::unique_ptr<TvlDesignerForm> &designerForm()
{
    static std::unique_ptr<TvlDesignerForm> form;
    return form;
}

} // namespace

TvlDesigner::TvlDesigner(QObject *owner)
    : QObject(owner)
{}

void TvlDesigner::SetTemplateDir(const QString &dir)
{
    m_templateDir = dir;
    ::TemplateDir = dir;
}

void vlStartDesigner()
{
    if (designerForm())
        return;
    static bool toolRegistered = false;
    if (!toolRegistered) {
        // Registered while no designer is registered, so the form adds its
        // button once, with the other tools, when it is made.
        toolRegistered = true;
        vlRegisterDesignerTool({QStringLiteral("Vložit DB položky"), vlDesignerGlyph(QStringLiteral("OB2")), [] {
                                    if (TvlDesignerForm *form = vlDesignerForm())
                                        form->InsertDBFields();
                                }});
    }
    designerForm() = std::make_unique<TvlDesignerForm>();
    vlRegisterDesigner(designerForm().get());
    // The rich text editor offers the designed report's variables.
    TvlRichForm::ChooseVariable = [](QWidget *parent) {
        TvlDesignerForm *form = vlDesignerForm();
        return vlDialogAnswers().ChooseVariable(form ? form->Report() : nullptr, parent);
    };
}

void vlStopDesigner()
{
    if (!designerForm())
        return;
    vlRegisterDesigner(nullptr);
    TvlRichForm::ChooseVariable = nullptr;
    designerForm().reset();
}

TvlDesignerForm *vlDesignerForm()
{
    return designerForm().get();
}

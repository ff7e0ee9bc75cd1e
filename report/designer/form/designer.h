#pragma once
// Links the report designer into the program. The program starts the
// designer once its application object exists and stops it before that
// object goes; in between every report's DesignReport opens it. A TvlDesigner
// placed on a form names the folder of report templates.
#include <QObject>
#include <QString>

class TvlDesignerForm;

class TvlDesigner : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString TemplateDir READ TemplateDir WRITE SetTemplateDir)

public:
    explicit TvlDesigner(QObject *owner = nullptr);
    QString TemplateDir() const { return m_templateDir; }
    // Also the designer's folder of templates.
    void SetTemplateDir(const QString &dir);

private:
    QString m_templateDir;
};

// Creates the designer window and registers it with the engine; the
// designer's own tool "Vložit DB položky" is registered first. Repeated calls
// keep the one designer.
void vlStartDesigner();
// Unregisters and frees the designer.
void vlStopDesigner();
// The running designer, or nullptr.
TvlDesignerForm *vlDesignerForm();

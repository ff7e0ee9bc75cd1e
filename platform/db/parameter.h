#pragma once
// A named ":NAME" parameter of a dataset's SQL, kept in the server's text form.
#include "platform/currency.h"
#include "platform/datetime.h"
#include "platform/db/assignvariant.h"
#include "platform/db/snapshot.h"

#include <QString>

namespace Db {

class Parameter
{
public:
    explicit Parameter(const QString &name = QString())
        : Name(name)
    {}

    QString Name;

    bool IsNull() const { return !m_text; }
    void Clear() { m_text.reset(); }
    void SetAsString(const QString &value) { m_text = value.toUtf8(); }
    void SetAsInteger(qint64 value) { m_text = QByteArray::number(value); }
    void SetAsFloat(double value) { m_text = TextForm::ofDouble(value); }
    void SetAsCurrency(Currency value) { m_text = TextForm::ofCurrency(value); }
    void SetAsBoolean(bool value) { m_text = TextForm::ofBoolean(value); }
    void SetAsDateTime(TDateTime value) { m_text = TextForm::ofDateTime(value); }
    // Unassigned and Null clear; other kinds in their text form.
    void SetValue(const Variant &value) { AssignVariant(*this, value); }
    QString AsString() const { return m_text ? QString::fromUtf8(*m_text) : QString(); }

    const CellText &Text() const { return m_text; }
    void SetText(const CellText &text) { m_text = text; }

private:
    CellText m_text;
};

} // namespace Db

#pragma once
// Hands a Variant to anything with the SetAs... writers of a field or a
// parameter, in the writer of its kind.
#include "platform/variant.h"

namespace Db {

template <typename Target>
void AssignVariant(Target &target, const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Unassigned:
    case Variant::Type::Null:
        target.Clear();
        break;
    case Variant::Type::Int:
        target.SetAsInteger(value.intValue());
        break;
    case Variant::Type::Double:
        target.SetAsFloat(value.doubleValue());
        break;
    case Variant::Type::Currency:
        target.SetAsCurrency(value.currencyValue());
        break;
    case Variant::Type::Bool:
        target.SetAsBoolean(value.boolValue());
        break;
    case Variant::Type::DateTime:
        target.SetAsDateTime(value.dateTimeValue());
        break;
    case Variant::Type::String:
        target.SetAsString(value.stringValue());
        break;
    }
}

} // namespace Db

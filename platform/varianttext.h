#pragma once
// Date and time text as Variant reads it, with the Czech settings fixed in
// code: day.month.year and hours:minutes[:seconds].
#include "platform/datetime.h"

#include <QStringView>

#include <optional>

namespace VariantText {

// "6.12.2026", "06.12.26", "6.12.2026 9:05", "6.12.2026 9:05:30", "9:05:30"
// (a time alone is day 0). Two-digit years below 50 are 20xx, others 19xx.
std::optional<TDateTime> parseDateTime(QStringView text);

} // namespace VariantText

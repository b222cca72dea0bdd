#pragma once

#include "sheet/SheetLayout.h"

#include <QString>
#include <optional>

namespace tavlen {

// Why a sheet shows no entry, in one line for the user; none when it shows some, or when its
// notice already says why (an application that did not answer, or quit).
std::optional<QString> emptySheetReason(const SheetContent& content, const SheetLayout& layout);

} // namespace tavlen

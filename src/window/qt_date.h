#pragma once
// The one conversion between the ledger's civil dates and the dates of Qt's controls.
#include "core/records/civil_time.h"

#include <QDate>

namespace kavro {

QDate toQDate(Date d);
Date fromQDate(const QDate& d);

} // namespace kavro

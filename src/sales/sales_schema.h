#pragma once
// The tables of the sales file and how a file of an older schema is brought up to date.
//
// The schema's version is SQLite's user_version; the file carries application_id
// kSalesApplicationId so that no other database is taken for it. Each migration takes the
// file from version n - 1 to n inside one transaction that also sets user_version, so a
// crash leaves the old version or the new one. A file of a later version than this program
// knows is refused, never written: an older program must not damage what a newer one
// stored.
//
// Everything is append-only: triggers refuse UPDATE and DELETE on every table, so a sale,
// its lines, a void, a reprint and the steps of a settlement stay as they were written.
#include "sales/sqlite_db.h"

#include <string_view>
#include <vector>

namespace kavro {

inline constexpr long long kSalesApplicationId = 0x4B56534C; // "KVSL"
inline constexpr int kSalesSchemaVersion = 1;

// migrations()[n - 1] takes a file from version n - 1 to n.
const std::vector<std::string_view>& salesMigrations();

} // namespace kavro

#pragma once
// A business day as the desk would change it: a day file with parties in 通知, settled and
// taken back through the journal (saveDayJournaled), for the sales tests and the kill test.
#include "core/storage/atomic_file.h"
#include "sales/settlement_protocol.h"

#include <filesystem>

namespace kavro::test {

inline const Date kSalesDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};
inline const DateTime kSalesNow = makeDateTime(kSalesDay, 21, 30);

class DeskDay {
public:
    // Writes parties in rooms 1..parties, all 通知, unless the day file is there already.
    DeskDay(const std::filesystem::path& dir, int parties, const FileOps& ops = posixFileOps());

    BookingRef booking(int room) const;
    // The day file's save for a settlement of the room's party, and for the desk's undo of
    // the latest change.
    DaySave settleSave(int room, DateTime now) const;
    DaySave undoSave(DateTime now) const;
    bool settled(int room) const;

private:
    std::filesystem::path file_;
    const FileOps& ops_;
};

// The party's record line in the day file (CP932).
std::string dayLine(int room, std::string_view status);

// What the 会計 window confirms for the party of the room: 基本料金 and 延長 adding up to
// amount, paid in cash without change.
SaleInput saleFor(int room, DateTime now, long long amount = 4800);

} // namespace kavro::test

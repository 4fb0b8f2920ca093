// Showing another business day.
#include "app/form1.h"
#include "app/message_titles.h"

#include "ledger/day_view.h"

namespace kavro {

void Form1::showPickedDate() {
    if (!settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに別の日付を表示します。"),
                       false)) {
        setShownDay(dateOf(shownDay.start), shownDay.today);
        return;
    }
    const DateTime now = platform_.now();
    if (isBeyondViewLimit(shownDate(), businessDateAt(now))) {
        msgBox(QStringLiteral("30日以上前の記録は参照できません"), title::kDateLimit);
        setShownDay(businessDateAt(now), shownDay.today);
    } else {
        setShownDay(shownDate(), shownDay.today);
    }
    const Date shown = shownDate();
    // Before 06:00 the real time belongs to the day after the shown date, as the tick
    // projects it; the board's reference time then stays inside the shown business day.
    clockNow = shownDay.offset == 0 ? now : projectedClock(shown, now);
    board.reference = clockNow;
    resetEntry();
    loadDay();
}

} // namespace kavro

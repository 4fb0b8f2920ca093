// Showing another business day.
#include "app/form1.h"

#include "ledger/day_view.h"

namespace kavro {

void Form1::DTPicker1_Change() {
    const DateTime now = platform_.now();
    if (isBeyondViewLimit(shownDate(), dateOf(now))) {
        msgBox(QStringLiteral("30日以上前の記録は参照できません"), QStringLiteral("期日オーバー"));
        setShownDate(businessDateAt(now));
    }
    const Date shown = shownDate();
    dayStart = businessDayStart(shown);
    dayEnd = businessDayEnd(shown);
    dayOffset = daysBetween(baseDate, shown);
    // Before 06:00 the real time belongs to the day after the shown date, as the tick
    // projects it; the board's reference time then stays inside the shown business day.
    clockNow = dayOffset == 0 ? now : projectedClock(shown, now);
    refNow = clockNow;
    Command10_Click();
    LoadDay();
}

} // namespace kavro

// The 06:00 rollover and the restart request.
#include "app/form1.h"

#include "ledger/rollover.h"

#include <QLabel>
#include <utility>

namespace kavro {

namespace {

namespace fs = std::filesystem;

// Appends the stays of the ending day that run past its end to the new day's file.
// Returns an error text when a file could not be read or written.
std::optional<std::string> carryIntoNewDay(const fs::path& dir, Date endingDate, Date newDate) {
    DayContent ending;
    const fs::path endingPath = dayFilePath(dir, endingDate);
    std::error_code ec;
    if (fs::exists(endingPath, ec)) {
        auto read = readDayFile(endingPath);
        if (read.error)
            return *read.error + "\r\n" + endingPath.string();
        ending = std::move(read.content);
    }
    std::vector<std::string> endingLines;
    endingLines.reserve(ending.records.size());
    for (auto& r : ending.records)
        endingLines.push_back(std::move(r.text));

    // Read even when nothing is carried: the new day's file exists from now on.
    const fs::path newPath = dayFilePath(dir, newDate);
    auto fresh = readDayFile(newPath);
    if (fresh.error)
        return *fresh.error + "\r\n" + newPath.string();

    const Carry carry = carryOver(endingLines, businessDayEnd(endingDate),
                                  highestGroupNumber(fresh.content), lineTexts(fresh.content));
    if (carry.lines.empty())
        return std::nullopt;
    auto rendered = renderWithAppended(fresh.content, carry.lines);
    if (rendered.error)
        return *rendered.error;
    if (auto error = replaceFileAtomically(newPath, rendered.bytes))
        return *error + "\r\n" + newPath.string();
    return std::nullopt;
}

} // namespace

void Form1::rolloverCheck() {
    const DateTime now = platform_.now();
    const auto previous = std::exchange(lastTickClock_, now);
    if (!previous)
        return; // a program started during the minute 06:00 already opened the new day
    const auto change = dayChangePassed(*previous, now);
    if (!change || change == lastDayChange_)
        return; // a clock set back and forward again does not change the same day twice
    lastDayChange_ = change;
    RolloverDay();
}

void Form1::RolloverDay() {
    // The day that ends is the one of the clock, whatever day the window shows: a past or
    // future day left on screen must not hand its stays to the new day.
    const Date newDate = businessDateAt(platform_.now());
    const Date endingDate = addDays(newDate, -1);

    const auto error = carryIntoNewDay(platform_.programDir, endingDate, newDate);
    // Restarting after a failed carry would hide the failure behind a fresh start; the
    // message below stays on screen instead.
    if (!error)
        platform_.requestRestart();
    // Whether or not the machine agreed to restart, the window leaves the old day now: a
    // restart can be refused or take a while, and any save until then must land in the
    // new day's file on top of what was carried, never write the old day over it.
    showNewBusinessDay(newDate);

    if (error)
        msgBox(QStringLiteral("06:00の日替わりで、前日から続く記録を新しい日付ファイルへ"
                              "引き継げませんでした。\r\n前日の記録は前日のファイルに残っています。"
                              "パソコンは再起動しません。\r\n%1")
                   .arg(QString::fromStdString(*error)),
               QStringLiteral("ファイルエラー"));
}

void Form1::showNewBusinessDay(Date businessDate) {
    const DateTime now = platform_.now();
    setShownDate(businessDate);
    baseDate = businessDate;
    dayOffset = 0;
    dayStart = businessDayStart(businessDate);
    dayEnd = businessDayEnd(businessDate);
    refNow = now;
    clockNow = now;
    followClock = true;
    // A selection of the old day must not be committed into the new one.
    Command10_Click();
    Label11->setText(QString());
    LoadDay();
}

} // namespace kavro

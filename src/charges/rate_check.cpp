#include "charges/rate_check.h"

#include "charges/text_words.h"
#include "core/records/record.h"

namespace kavro {

namespace {

bool isPlainName(std::string_view name) {
    return !name.empty() && isValidUtf8(name) && name.find('#') == std::string_view::npos &&
           splitWords(name).size() == 1 && splitWords(name)[0] == name;
}

// Inside the window [from, until], which may run past midnight.
bool withinWindow(int time, int from, int until) {
    return from <= until ? from <= time && time <= until : time >= from || time <= until;
}

void checkClass(const RoomClass& c, std::vector<RateProblem>& out) {
    const int line = c.where.number;
    if (!isPlainName(c.name))
        out.push_back({line, "区分の名前「" + c.name + "」に空白や # は使えません"});
    if (c.rooms.none())
        out.push_back({line, "区分「" + c.name + "」に部屋がありません"});
    for (DayType type : kDayTypes) {
        const DayRates& r = c.rates[dayTypeIndex(type)];
        if (!r.rest)
            out.push_back({line, "区分「" + c.name + "」の" + std::string(dayTypeName(type)) +
                                     "のご休憩がありません"});
        if (r.stay && withinWindow(r.stay->morning, r.stay->from, r.stay->until))
            out.push_back({r.stay->where.number, "ご宿泊の退室時刻 " +
                                                     formatTimeOfDay(r.stay->morning) +
                                                     " が受付時間の中にあります"});
    }
}

void checkTable(const RateTable& table, std::vector<RateProblem>& out) {
    if (table.classes.empty())
        out.push_back({table.where.number, "この適用開始日の表に区分の行がありません"});
    for (std::size_t i = 0; i < table.classes.size(); ++i) {
        const RoomClass& c = table.classes[i];
        checkClass(c, out);
        for (std::size_t j = 0; j < i; ++j) {
            const auto shared = c.rooms & table.classes[j].rooms;
            for (int room = 0; room < kRoomCount; ++room)
                if (shared.test(static_cast<std::size_t>(room))) {
                    out.push_back({c.where.number,
                                   "部屋 " + roomCode(room) + " が区分「" + table.classes[j].name +
                                       "」（" + std::to_string(table.classes[j].where.number) +
                                       " 行目）にもあります"});
                    break;
                }
        }
    }
}

} // namespace

std::vector<RateProblem> checkRateBook(const RateBook& book) {
    std::vector<RateProblem> out;
    if (book.tables.empty())
        out.push_back({0, "適用開始日の行がありません（料金の表が一つもありません）"});
    for (std::size_t i = 0; i < book.tables.size(); ++i) {
        const RateTable& table = book.tables[i];
        if (i > 0 && !(book.tables[i - 1].from < table.from))
            out.push_back({table.where.number, "適用開始日 " + formatDate(table.from) +
                                                   " が前の表（" +
                                                   std::to_string(book.tables[i - 1].where.number) +
                                                   " 行目）の日付より後ではありません"});
        checkTable(table, out);
    }
    return out;
}

} // namespace kavro

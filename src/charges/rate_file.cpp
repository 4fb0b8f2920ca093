#include "charges/rate_file.h"

#include "charges/text_words.h"
#include "core/records/digits.h"
#include "core/records/record.h"

#include <charconv>
#include <map>

namespace kavro {

namespace {

constexpr std::string_view kFormatWord = "kavro-rates";

// The words that follow each line's keyword, named as the messages name them.
struct LineShape {
    std::string_view keyword;
    std::vector<std::string_view> fields;
    std::size_t optional = 0; // how many of the last fields may be left out
};

const LineShape kRest{"ご休憩",
                      {"区分", "曜日区分", "最初の分数", "料金", "延長の分数", "延長の料金"}};
const LineShape kStay{
    "ご宿泊", {"区分", "曜日区分", "受付時間", "退室時刻", "料金", "延長の分数", "延長の料金"}};
const LineShape kService{"サービスタイム", {"区分", "曜日区分", "時間帯", "料金", "最長の分数"}, 1};
const LineShape kExtra{"追加人数", {"区分", "曜日区分", "含む人数", "一人の料金"}};
const LineShape kLateNight{"深夜", {"区分", "曜日区分", "時間帯", "料金"}};
const LineShape kClass{"区分", {"名前", "部屋"}};
const LineShape kTableStart{"適用開始日", {"日付"}};
const LineShape kShopDayOff{"店休日", {"日付"}};
const LineShape kTax{"税率", {"税率"}};
const LineShape kRounding{"端数", {"端数"}};

constexpr long kLargestNumber = 9'999'999;

std::optional<Date> parseSlashDate(std::string_view s) {
    auto t = parseDateTime(std::string(s) + " 00:00");
    return t ? std::optional(dateOf(*t)) : std::nullopt;
}

// "9:00" or "09:00".
std::optional<int> parseTimeOfDay(std::string_view s) {
    const auto hm = parseHhNn(s.size() == 4 ? "0" + std::string(s) : std::string(s));
    return hm ? std::optional(hm->first * 60 + hm->second) : std::nullopt;
}

// Reads the file line by line into the book, noting one problem at most per line.
class Reader {
public:
    explicit Reader(RateFileParse& out) : out_(out) {}

    void read(int number, std::string_view text);
    void finish();

private:
    // The fields of the current line after its keyword; false (with the problem noted)
    // when their number does not fit the shape.
    bool takeFields(const LineShape& shape, const std::vector<std::string_view>& words);
    std::optional<long> number(std::size_t field, long least = 0);
    std::optional<int> time(std::size_t field, std::string_view example);
    std::optional<std::pair<int, int>> window(std::size_t field);
    std::string fieldName(std::size_t field) const {
        return std::string(shape_->keyword) + "の" + std::string(shape_->fields[field]);
    }
    bool inTable();
    void problem(std::string text) {
        if (!failed_)
            out_.problems.push_back({line_, std::move(text)});
        failed_ = true;
    }

    void readTableStart();
    void readTax();
    void readRounding();
    void readClass();
    void readPlan(const LineShape& shape);
    // The prices the plan line is for, or none with the problem noted.
    DayRates* planTarget(std::string& label);
    template <class Item>
    void store(std::optional<Item>& slot, Item item, const std::string& label);
    void closeTable();

    RateFileParse& out_;
    int line_ = 0;
    bool failed_ = false;
    bool sawFormat_ = false;
    bool stopped_ = false;
    const LineShape* shape_ = nullptr;
    std::vector<std::string_view> fields_;
    RateTable* table_ = nullptr;
    bool tableHasTax_ = false;
    int roundingLine_ = 0;
};

void Reader::read(int number, std::string_view text) {
    if (stopped_)
        return;
    line_ = number;
    failed_ = false;
    if (!isValidUtf8(text))
        return problem("UTF-8 の文字として読めません（文字コードを UTF-8 にして保存してください）");
    const std::vector<std::string_view> words = splitWords(text.substr(0, text.find('#')));
    if (words.empty())
        return;
    if (!sawFormat_) {
        sawFormat_ = true;
        // A file of another kind or of a later format: its lines would only add noise.
        stopped_ = words.size() != 2 || words[0] != kFormatWord ||
                   words[1] != std::to_string(kRatesFormat);
        if (words.size() != 2 || words[0] != kFormatWord)
            return problem("最初の行が形式の行（kavro-rates 1）ではありません");
        if (stopped_)
            return problem("形式「" + std::string(words[1]) + "」の料金表はこの版では読めません");
        return;
    }
    const std::string_view keyword = words[0];
    if (keyword == kShopDayOff.keyword) {
        if (!takeFields(kShopDayOff, words))
            return;
        const auto date = parseSlashDate(fields_[0]);
        if (!date)
            return problem("店休日の日付が正しくありません（例 2026/12/31）");
        out_.book.shopDaysOff.insert(*date);
        return;
    }
    if (keyword == kTableStart.keyword)
        return takeFields(kTableStart, words) ? readTableStart() : void();
    for (const LineShape* shape :
         {&kTax, &kRounding, &kClass, &kRest, &kStay, &kService, &kExtra, &kLateNight}) {
        if (keyword != shape->keyword)
            continue;
        if (!takeFields(*shape, words) || !inTable())
            return;
        if (shape == &kTax)
            return readTax();
        if (shape == &kRounding)
            return readRounding();
        if (shape == &kClass)
            return readClass();
        return readPlan(*shape);
    }
    problem("「" + std::string(keyword) + "」で始まる行は料金表にありません");
}

bool Reader::takeFields(const LineShape& shape, const std::vector<std::string_view>& words) {
    shape_ = &shape;
    fields_.assign(words.begin() + 1, words.end());
    const std::size_t most = shape.fields.size();
    if (fields_.size() + shape.optional >= most && fields_.size() <= most)
        return true;
    std::string expected;
    for (std::string_view f : shape.fields)
        expected += (expected.empty() ? "" : " ") + std::string(f);
    problem(std::string(shape.keyword) +
            (fields_.size() > most ? "の項目が多すぎます（" : "の項目が足りません（") + expected +
            "）");
    return false;
}

std::optional<long> Reader::number(std::size_t field, long least) {
    const std::string_view text = fields_[field];
    long value = 0;
    if (!isAllDigits(text)) {
        problem(fieldName(field) + "が数字ではありません");
        return std::nullopt;
    }
    if (text.size() > 7) {
        problem(fieldName(field) + "が大きすぎます（7 桁まで）");
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value < least) {
        problem(fieldName(field) + "は " + std::to_string(least) + " 以上です");
        return std::nullopt;
    }
    return value;
}

std::optional<int> Reader::time(std::size_t field, std::string_view example) {
    auto t = parseTimeOfDay(fields_[field]);
    if (!t)
        problem(fieldName(field) + "が正しくありません（例 " + std::string(example) + "）");
    return t;
}

std::optional<std::pair<int, int>> Reader::window(std::size_t field) {
    const std::string_view text = fields_[field];
    const auto dash = text.find('-');
    const auto from =
        dash == std::string_view::npos ? std::nullopt : parseTimeOfDay(text.substr(0, dash));
    const auto until =
        dash == std::string_view::npos ? std::nullopt : parseTimeOfDay(text.substr(dash + 1));
    if (!from || !until) {
        problem(fieldName(field) + "が正しくありません（例 20:00-02:00）");
        return std::nullopt;
    }
    if (*from == *until) {
        problem(fieldName(field) + "の始めと終わりが同じです");
        return std::nullopt;
    }
    return std::pair{*from, *until};
}

bool Reader::inTable() {
    if (!table_)
        problem(std::string(shape_->keyword) + "の行が適用開始日の行より前にあります");
    return table_ != nullptr;
}

void Reader::readTableStart() {
    // A table whose date cannot be read still takes its lines, so that they are not taken
    // for lines of the table before it.
    const auto date = parseSlashDate(fields_[0]);
    if (!date)
        problem("適用開始日の日付が正しくありません（例 2026/04/01）");
    closeTable();
    RateTable table;
    table.from = date.value_or(Date{});
    table.where.number = line_;
    out_.book.tables.push_back(std::move(table));
    table_ = &out_.book.tables.back();
    tableHasTax_ = false;
    roundingLine_ = 0;
}

void Reader::readTax() {
    if (tableHasTax_)
        return problem("税率の行が二つあります");
    tableHasTax_ = true; // even when unreadable: its own message says enough
    const auto percent = number(0);
    if (!percent)
        return;
    if (*percent > 100)
        return problem("税率は 0 から 100 までです");
    table_->taxPercent = static_cast<int>(*percent);
}

void Reader::readRounding() {
    if (roundingLine_)
        return problem("端数の行が " + std::to_string(roundingLine_) + " 行目にもあります");
    for (TaxRounding r : {TaxRounding::Down, TaxRounding::HalfUp, TaxRounding::Up})
        if (fields_[0] == roundingName(r)) {
            table_->rounding = r;
            roundingLine_ = line_;
            return;
        }
    problem("端数は 切り捨て・四捨五入・切り上げ のどれかです");
}

void Reader::readClass() {
    const std::string name(fields_[0]);
    for (const RoomClass& c : table_->classes)
        if (c.name == name)
            return problem("区分「" + name + "」が " + std::to_string(c.where.number) +
                           " 行目にもあります");
    std::string badRoom;
    const auto rooms = parseRooms(fields_[1], badRoom);
    if (!rooms)
        return problem(badRoom.empty() ? "区分の部屋が正しくありません（例 001-010,012）"
                                       : "部屋 " + badRoom + " はありません（001〜034）");
    RoomClass c;
    c.name = name;
    c.rooms = *rooms;
    c.where.number = line_;
    table_->classes.push_back(std::move(c));
}

DayRates* Reader::planTarget(std::string& label) {
    const std::string name(fields_[0]);
    const auto type = dayTypeFromName(fields_[1]);
    if (!type) {
        problem("曜日区分「" + std::string(fields_[1]) + "」は 平日・休前日・土日祝 のどれかです");
        return nullptr;
    }
    for (RoomClass& c : table_->classes)
        if (c.name == name) {
            label = std::string(shape_->keyword) + "（" + name + "・" +
                    std::string(dayTypeName(*type)) + "）";
            return &c.rates[dayTypeIndex(*type)];
        }
    problem("区分「" + name + "」がこの適用開始日の表にありません（区分の行を先に書きます）");
    return nullptr;
}

template <class Item>
void Reader::store(std::optional<Item>& slot, Item item, const std::string& label) {
    if (failed_)
        return;
    if (slot)
        return problem(label + "が " + std::to_string(slot->where.number) + " 行目にもあります");
    item.where.number = line_;
    slot = std::move(item);
}

void Reader::readPlan(const LineShape& shape) {
    std::string label;
    DayRates* rates = planTarget(label);
    if (!rates)
        return;
    if (&shape == &kRest) {
        auto first = number(2, 1), price = number(3), block = number(4, 1), blockPrice = number(5);
        if (first && price && block && blockPrice)
            store(rates->rest, RestPlan{int(*first), *price, int(*block), *blockPrice, {}}, label);
    } else if (&shape == &kStay) {
        auto w = window(2);
        auto morning = time(3, "11:00");
        auto price = number(4), block = number(5, 1), blockPrice = number(6);
        if (w && morning && price && block && blockPrice)
            store(rates->stay,
                  StayPlan{w->first, w->second, *morning, *price, int(*block), *blockPrice, {}},
                  label);
    } else if (&shape == &kService) {
        auto w = window(2);
        auto price = number(3);
        auto longest = fields_.size() > 4 ? number(4, 1) : std::optional<long>(0);
        if (w && price && longest)
            store(rates->service, ServicePlan{w->first, w->second, *price, int(*longest), {}},
                  label);
    } else if (&shape == &kExtra) {
        auto included = number(2, 1), perPerson = number(3);
        if (included && perPerson)
            store(rates->extraPerson, ExtraPersonCharge{int(*included), *perPerson, {}}, label);
    } else {
        auto w = window(2);
        auto amount = number(3);
        if (w && amount)
            store(rates->lateNight, LateNightCharge{w->first, w->second, *amount, {}}, label);
    }
}

void Reader::closeTable() {
    if (table_ && !tableHasTax_)
        out_.problems.push_back({table_->where.number, "この適用開始日の表に税率の行がありません"});
}

void Reader::finish() {
    if (!sawFormat_)
        out_.problems.push_back({0, "料金表が空です（最初の行は kavro-rates 1）"});
    closeTable();
}

void appendLine(std::string& out, std::initializer_list<std::string_view> words) {
    bool first = true;
    for (std::string_view w : words) {
        if (!first)
            out += ' ';
        out += w;
        first = false;
    }
    out += '\n';
}

std::string window(int from, int until) {
    return formatTimeOfDay(from) + "-" + formatTimeOfDay(until);
}

void appendPrices(std::string& out, const RoomClass& c) {
    for (DayType type : kDayTypes) {
        const DayRates& r = c.rates[dayTypeIndex(type)];
        const std::string_view day = dayTypeName(type);
        const auto n = [](auto v) { return std::to_string(v); };
        if (r.rest)
            appendLine(out,
                       {kRest.keyword, c.name, day, n(r.rest->firstMinutes), n(r.rest->firstPrice),
                        n(r.rest->blockMinutes), n(r.rest->blockPrice)});
        if (r.stay)
            appendLine(out, {kStay.keyword, c.name, day, window(r.stay->from, r.stay->until),
                             formatTimeOfDay(r.stay->morning), n(r.stay->price),
                             n(r.stay->blockMinutes), n(r.stay->blockPrice)});
        if (r.service && r.service->longest > 0)
            appendLine(out,
                       {kService.keyword, c.name, day, window(r.service->from, r.service->until),
                        n(r.service->price), n(r.service->longest)});
        else if (r.service)
            appendLine(out, {kService.keyword, c.name, day,
                             window(r.service->from, r.service->until), n(r.service->price)});
        if (r.extraPerson)
            appendLine(out, {kExtra.keyword, c.name, day, n(r.extraPerson->includedPeople),
                             n(r.extraPerson->perPerson)});
        if (r.lateNight)
            appendLine(out,
                       {kLateNight.keyword, c.name, day,
                        window(r.lateNight->from, r.lateNight->until), n(r.lateNight->amount)});
    }
}

} // namespace

std::string problemMessage(const RateProblem& p) {
    const std::string file(kRatesFileName);
    return p.line > 0 ? file + " の " + std::to_string(p.line) + " 行目: " + p.text
                      : file + ": " + p.text;
}

RateFileParse parseRateFile(std::string_view text) {
    RateFileParse out;
    Reader reader(out);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int number = 0;
    for (std::string_view line : splitOn(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        reader.read(++number, line);
    }
    reader.finish();
    return out;
}

std::string serializeRateBook(const RateBook& book) {
    std::string out = "# KAVRO 料金表（書式は README の「Charges (料金)」）\n";
    appendLine(out, {kFormatWord, std::to_string(kRatesFormat)});
    if (!book.shopDaysOff.empty())
        out += '\n';
    for (Date d : book.shopDaysOff)
        appendLine(out, {kShopDayOff.keyword, formatDate(d)});
    for (const RateTable& table : book.tables) {
        out += '\n';
        appendLine(out, {kTableStart.keyword, formatDate(table.from)});
        appendLine(out, {kTax.keyword, std::to_string(table.taxPercent)});
        appendLine(out, {kRounding.keyword, roundingName(table.rounding)});
        for (const RoomClass& c : table.classes)
            appendLine(out, {kClass.keyword, c.name, formatRooms(c.rooms)});
        for (const RoomClass& c : table.classes)
            appendPrices(out, c);
    }
    return out;
}

std::optional<DayType> dayTypeFromName(std::string_view word) {
    for (DayType type : kDayTypes)
        if (word == dayTypeName(type))
            return type;
    return std::nullopt;
}

std::string_view roundingName(TaxRounding rounding) {
    switch (rounding) {
    case TaxRounding::Down:
        return "切り捨て";
    case TaxRounding::HalfUp:
        return "四捨五入";
    case TaxRounding::Up:
        return "切り上げ";
    }
    return {};
}

std::string formatTimeOfDay(int minutes) {
    const int h = minutes / 60, m = minutes % 60;
    return {char('0' + h / 10), char('0' + h % 10), ':', char('0' + m / 10), char('0' + m % 10)};
}

std::string formatRooms(const std::bitset<kRoomCount>& rooms) {
    std::string out;
    for (int room = 0; room < kRoomCount; ++room) {
        if (!rooms.test(static_cast<std::size_t>(room)))
            continue;
        int last = room;
        while (last + 1 < kRoomCount && rooms.test(static_cast<std::size_t>(last + 1)))
            ++last;
        out += (out.empty() ? "" : ",") + roomCode(room);
        if (last > room)
            out += "-" + roomCode(last);
        room = last;
    }
    return out;
}

std::optional<std::bitset<kRoomCount>> parseRooms(std::string_view text, std::string& bad) {
    std::bitset<kRoomCount> rooms;
    for (std::string_view part : splitOn(text, ',')) {
        const auto dash = part.find('-');
        const std::string_view first = part.substr(0, dash);
        const std::string_view last =
            dash == std::string_view::npos ? first : part.substr(dash + 1);
        int a = 0, b = 0;
        if (!isAllDigits(first) || !isAllDigits(last) || first.size() > 3 || last.size() > 3)
            return std::nullopt;
        std::from_chars(first.data(), first.data() + first.size(), a);
        std::from_chars(last.data(), last.data() + last.size(), b);
        for (int room : {a, b})
            if (room < 1 || room > kRoomCount) {
                bad = std::string(room == a ? first : last);
                return std::nullopt;
            }
        if (b < a)
            return std::nullopt;
        for (int room = a; room <= b; ++room)
            rooms.set(static_cast<std::size_t>(room - 1));
    }
    return rooms;
}

} // namespace kavro

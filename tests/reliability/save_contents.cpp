#include "reliability/save_contents.h"

#include "core/records/record.h"

#include <array>
#include <memory>

namespace kavro::test {

namespace {

std::string record(int room, int group, const char* name, const char* status) {
    return formatId((room + 1) * 1000000L + group * 100L) +
           ",2026/12/05 22:00,1.5,2026/12/05 23:30,2," + roomCode(room) + "," + name + "," + status;
}

std::unique_ptr<SaveContent> make(int index) {
    auto c = std::make_unique<SaveContent>();
    const int perRoom[kSaveContentCount] = {6, 12, 0};
    for (int room = 0; room < kRoomCount; ++room)
        for (int p = 0; p < perRoom[index]; ++p)
            c->grid.set(
                room, p,
                record(room, 1001 + p, index == 0 ? "山田" : "ﾀﾅｶ", index == 0 ? "利用" : "精算"));
    if (index == 0)
        c->kept = {{1, "001100100,\x80\xA0,kept"}, {2, std::string("\0\0\0", 3)}};
    if (index == 2)
        for (int p = 0; p < 3; ++p)
            c->grid.set(0, p, record(0, 1001 + p, "佐藤", "予約"));
    c->bytes = renderDayFile(c->grid, c->kept).bytes;
    return c;
}

} // namespace

const SaveContent& saveContent(int index) {
    static const std::array<std::unique_ptr<SaveContent>, kSaveContentCount> contents{
        make(0), make(1), make(2)};
    return *contents[static_cast<std::size_t>(index % kSaveContentCount)];
}

const std::string& journalContent(int index) {
    static const std::array<std::string, kSaveContentCount> contents = [] {
        const std::string odd = std::string("001100100,\x80\xA0,odd") + "\r\n";
        auto day = [&](std::initializer_list<std::string> lines) {
            RenderResult r;
            for (const auto& l : lines)
                appendEncodedLine(r, l);
            return r.bytes + odd;
        };
        return std::array<std::string, kSaveContentCount>{
            day({record(0, 1001, "山田", "利用")}),
            day({record(0, 1001, "山田", "利用"), record(4, 1002, "佐藤", "利用")}),
            day({record(0, 1001, "山田", "精算"), record(4, 1002, "佐藤", "利用")}),
        };
    }();
    return contents[static_cast<std::size_t>(index % kSaveContentCount)];
}

} // namespace kavro::test

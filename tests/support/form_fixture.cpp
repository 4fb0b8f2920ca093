#include "support/form_fixture.h"

#include "ledger/cp932.h"

#include <QApplication>

namespace kavro::test {

DateTime at(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return makeDateTime(ymd(y, m, d), hh, mm, ss);
}

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

void writeDayLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines)
        bytes += *encodeCp932(l) + "\r\n";
    writeBytes(file, bytes);
}

std::vector<std::string> readDayLines(const std::filesystem::path& file) {
    std::string bytes = readBytes(file);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        out.push_back(decodeCp932(bytes.substr(start, end - start)).value_or("<undecodable>"));
        start = end + 2;
    }
    return out;
}

FormTest::FormTest() : world_(std::make_shared<FakeWorld>()) {
    world_->now = at(2026, 12, 5, 20, 0, 0);
}

FormTest::~FormTest() {
    form_.reset();
    // A window or dialog left open by a test would leak into the next one.
    for (QWidget* w : QApplication::topLevelWidgets())
        delete w;
}

void FormTest::start() {
    form_ = std::make_unique<Form1>(fakePlatform(world_, dir_.path()));
    ASSERT_TRUE(form_->startUp());
}

std::filesystem::path FormTest::dayFile(Date d) const {
    return dir_.path() / (formatYmd(d) + ".txt");
}

void FormTest::writeDay(Date d, const std::vector<std::string>& lines) const {
    writeDayLines(dayFile(d), lines);
}

std::vector<std::string> FormTest::readDay(Date d) const { return readDayLines(dayFile(d)); }

QString FormTest::lastMessageTitle() const {
    return world_->messages.empty() ? QString() : world_->messages.back().title;
}
QString FormTest::lastMessageText() const {
    return world_->messages.empty() ? QString() : world_->messages.back().text;
}

} // namespace kavro::test

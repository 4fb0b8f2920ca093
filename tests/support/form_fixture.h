#pragma once
// A main window over a temporary program directory and a fake world.
#include "app/form1.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kavro::test {

DateTime at(int y, unsigned m, unsigned d, int hh, int mm, int ss = 0);
Date ymd(int y, unsigned m, unsigned d);

// Day files as tests write and read them: UTF-8 lines in, CP932 CR LF on disk.
void writeDayLines(const std::filesystem::path& file, const std::vector<std::string>& lines);
std::vector<std::string> readDayLines(const std::filesystem::path& file);

class FormTest : public ::testing::Test {
protected:
    // The clock starts at 2026/12/05 20:00:00 unless a test changes it before start().
    FormTest();
    ~FormTest() override;

    // Builds the window and runs its start-up.
    void start();
    Form1& form() { return *form_; }
    FakeWorld& world() { return *world_; }
    const TempDir& dir() const { return dir_; }

    std::filesystem::path dayFile(Date businessDate) const;
    void writeDay(Date businessDate, const std::vector<std::string>& lines) const;
    std::vector<std::string> readDay(Date businessDate) const;
    void setNow(DateTime t) { world_->now = t; }
    QString lastMessageTitle() const;
    QString lastMessageText() const;

private:
    TempDir dir_;
    std::shared_ptr<FakeWorld> world_;
    std::unique_ptr<Form1> form_;
};

} // namespace kavro::test

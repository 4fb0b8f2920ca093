#pragma once
// What the desk model has to tell the clerk after a call: messages in the order they arose,
// and at most one question. A question keeps the model waiting: the window asks it and hands
// the answer back (DeskModel::answer), which may bring more messages and another question.
// While a question waits, the day cycle waits too, so that no day change, reload or save
// runs under a question the clerk has not answered yet.
#include <QString>
#include <optional>
#include <vector>

namespace kavro {

struct Notice {
    QString title;
    QString text;
};

struct Question {
    QString title;
    QString text;
};

struct Reply {
    std::vector<Notice> notices;
    std::optional<Question> question;

    void tell(const QString& title, const QString& text) { notices.push_back({title, text}); }
    // Appends another reply's messages, and takes its question.
    void take(Reply other) {
        for (auto& n : other.notices)
            notices.push_back(std::move(n));
        if (other.question)
            question = std::move(other.question);
    }
};

} // namespace kavro

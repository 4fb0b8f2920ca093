#pragma once
// The messages a window showed, recorded instead of shown.
#include <QString>
#include <functional>
#include <vector>

namespace kavro::test {

struct Messages {
    std::vector<std::pair<QString, QString>> shown;
    std::function<void(const QString&, const QString&)> function() {
        return
            [this](const QString& title, const QString& text) { shown.emplace_back(title, text); };
    }
    QString last() const { return shown.empty() ? QString() : shown.back().second; }
};

} // namespace kavro::test

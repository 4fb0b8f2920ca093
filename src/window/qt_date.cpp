#include "window/qt_date.h"

namespace kavro {

QDate toQDate(Date d) {
    return QDate(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                 static_cast<int>(static_cast<unsigned>(d.day())));
}

Date fromQDate(const QDate& d) {
    using namespace std::chrono;
    return Date{year{d.year()}, month{static_cast<unsigned>(d.month())},
                day{static_cast<unsigned>(d.day())}};
}

} // namespace kavro

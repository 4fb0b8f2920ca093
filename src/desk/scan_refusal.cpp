#include "desk/scan_refusal.h"

namespace kavro {

std::optional<Notice> scanRefusal(Conflict conflict) {
    switch (conflict) {
    case Conflict::None:
        break;
    case Conflict::InUse:
        return Notice{QStringLiteral("利用中"),
                      QStringLiteral("その区画のデータの中に、利用中のものが含まれています。\r\n"
                                     "データを清算にしてから操作してください")};
    case Conflict::Occupied:
        return Notice{
            QStringLiteral("利用データあり"),
            QStringLiteral("利用しているデータがあります\r\n精算してから操作してください")};
    case Conflict::Reserved:
        return Notice{QStringLiteral("予約あり"),
                      QStringLiteral("その区画のデータに予約があり、入力データと重なります\r\n"
                                     "予約を削除するか、ほかの区画を指定してください")};
    }
    return std::nullopt;
}

} // namespace kavro

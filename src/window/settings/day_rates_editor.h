#pragma once
// The prices of one room class on one day type: ご休憩 always, the other plans and charges
// each behind a check box of its own (left off, the class does without it).
#include "charges/rate_table.h"

#include <QWidget>

class QGroupBox;
class QSpinBox;
class QTimeEdit;

namespace kavro {

class DayRatesEditor : public QWidget {
    Q_OBJECT
public:
    explicit DayRatesEditor(QWidget* parent = nullptr);

    void showRates(const DayRates& rates);
    DayRates value() const;

    QSpinBox *restFirstMinutes, *restFirstPrice, *restBlockMinutes, *restBlockPrice;
    QGroupBox* stayGroup;
    QTimeEdit *stayFrom, *stayUntil, *stayMorning;
    QSpinBox *stayPrice, *stayBlockMinutes, *stayBlockPrice;
    QGroupBox* serviceGroup;
    QTimeEdit *serviceFrom, *serviceUntil;
    QSpinBox *servicePrice, *serviceLongest;
    QGroupBox* extraGroup;
    QSpinBox *extraIncluded, *extraPerPerson;
    QGroupBox* lateGroup;
    QTimeEdit *lateFrom, *lateUntil;
    QSpinBox* lateAmount;
};

} // namespace kavro

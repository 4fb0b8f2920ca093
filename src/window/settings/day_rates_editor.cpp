#include "window/settings/day_rates_editor.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimeEdit>

namespace kavro {

namespace {

// The rate file's numbers: at most seven digits.
constexpr int kLargest = 9'999'999;

QSpinBox* numberBox(const char* name, int least, const QString& suffix) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(least, kLargest);
    box->setSuffix(suffix);
    box->setGroupSeparatorShown(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}
QSpinBox* yenBox(const char* name) { return numberBox(name, 0, QStringLiteral(" 円")); }
QSpinBox* minutesBox(const char* name) { return numberBox(name, 1, QStringLiteral(" 分")); }

QTimeEdit* timeBox(const char* name) {
    auto* box = new QTimeEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("HH:mm"));
    box->setWrapping(true);
    return box;
}

QTime toTime(int minutes) { return QTime(minutes / 60, minutes % 60); }
int toMinutes(const QTime& t) { return t.hour() * 60 + t.minute(); }

// "20:00 ～ 02:00" in one row.
QWidget* span(QTimeEdit* from, QTimeEdit* until) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(from);
    layout->addWidget(new QLabel(QStringLiteral("～")));
    layout->addWidget(until);
    layout->addStretch();
    return row;
}

QGroupBox* group(const QString& title, const char* name, bool checkable) {
    auto* box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    box->setCheckable(checkable);
    return box;
}

} // namespace

DayRatesEditor::DayRatesEditor(QWidget* parent) : QWidget(parent) {
    auto* rest = group(QStringLiteral("ご休憩(&R)"), "restGroup", false);
    restFirstMinutes = minutesBox("restFirstMinutes");
    restFirstPrice = yenBox("restFirstPrice");
    restBlockMinutes = minutesBox("restBlockMinutes");
    restBlockPrice = yenBox("restBlockPrice");
    auto* restForm = new QFormLayout(rest);
    restForm->addRow(QStringLiteral("最初の時間:"), restFirstMinutes);
    restForm->addRow(QStringLiteral("最初の料金:"), restFirstPrice);
    restForm->addRow(QStringLiteral("延長の単位:"), restBlockMinutes);
    restForm->addRow(QStringLiteral("延長の料金:"), restBlockPrice);

    stayGroup = group(QStringLiteral("ご宿泊(&Y)"), "stayGroup", true);
    stayFrom = timeBox("stayFrom");
    stayUntil = timeBox("stayUntil");
    stayMorning = timeBox("stayMorning");
    stayPrice = yenBox("stayPrice");
    stayBlockMinutes = minutesBox("stayBlockMinutes");
    stayBlockPrice = yenBox("stayBlockPrice");
    auto* stayForm = new QFormLayout(stayGroup);
    stayForm->addRow(QStringLiteral("受付時間:"), span(stayFrom, stayUntil));
    stayForm->addRow(QStringLiteral("退室時刻:"), stayMorning);
    stayForm->addRow(QStringLiteral("料金:"), stayPrice);
    stayForm->addRow(QStringLiteral("退室後の延長単位:"), stayBlockMinutes);
    stayForm->addRow(QStringLiteral("延長の料金:"), stayBlockPrice);

    serviceGroup = group(QStringLiteral("サービスタイム(&V)"), "serviceGroup", true);
    serviceFrom = timeBox("serviceFrom");
    serviceUntil = timeBox("serviceUntil");
    servicePrice = yenBox("servicePrice");
    serviceLongest = numberBox("serviceLongest", 0, QStringLiteral(" 分"));
    serviceLongest->setSpecialValueText(QStringLiteral("時間帯いっぱい"));
    auto* serviceForm = new QFormLayout(serviceGroup);
    serviceForm->addRow(QStringLiteral("時間帯:"), span(serviceFrom, serviceUntil));
    serviceForm->addRow(QStringLiteral("料金:"), servicePrice);
    serviceForm->addRow(QStringLiteral("最長:"), serviceLongest);

    extraGroup = group(QStringLiteral("追加人数(&X)"), "extraGroup", true);
    extraIncluded = numberBox("extraIncluded", 1, QStringLiteral(" 名まで込み"));
    extraPerPerson = yenBox("extraPerPerson");
    auto* extraForm = new QFormLayout(extraGroup);
    extraForm->addRow(QStringLiteral("料金に含む人数:"), extraIncluded);
    extraForm->addRow(QStringLiteral("一人増すごとに:"), extraPerPerson);

    lateGroup = group(QStringLiteral("深夜料金(&L)"), "lateGroup", true);
    lateFrom = timeBox("lateFrom");
    lateUntil = timeBox("lateUntil");
    lateAmount = yenBox("lateAmount");
    auto* lateForm = new QFormLayout(lateGroup);
    lateForm->addRow(QStringLiteral("時間帯:"), span(lateFrom, lateUntil));
    lateForm->addRow(QStringLiteral("料金（ご休憩に一度）:"), lateAmount);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(rest, 0, 0);
    grid->addWidget(stayGroup, 0, 1);
    grid->addWidget(serviceGroup, 1, 0);
    grid->addWidget(extraGroup, 1, 1);
    grid->addWidget(lateGroup, 2, 0);
    showRates(DayRates{});
}

void DayRatesEditor::showRates(const DayRates& rates) {
    const RestPlan r = rates.rest.value_or(RestPlan{60, 0, 30, 0, {}});
    restFirstMinutes->setValue(r.firstMinutes);
    restFirstPrice->setValue(static_cast<int>(r.firstPrice));
    restBlockMinutes->setValue(r.blockMinutes);
    restBlockPrice->setValue(static_cast<int>(r.blockPrice));

    const StayPlan s = rates.stay.value_or(StayPlan{20 * 60, 2 * 60, 11 * 60, 0, 60, 0, {}});
    stayGroup->setChecked(rates.stay.has_value());
    stayFrom->setTime(toTime(s.from));
    stayUntil->setTime(toTime(s.until));
    stayMorning->setTime(toTime(s.morning));
    stayPrice->setValue(static_cast<int>(s.price));
    stayBlockMinutes->setValue(s.blockMinutes);
    stayBlockPrice->setValue(static_cast<int>(s.blockPrice));

    const ServicePlan v = rates.service.value_or(ServicePlan{6 * 60, 18 * 60, 0, 0, {}});
    serviceGroup->setChecked(rates.service.has_value());
    serviceFrom->setTime(toTime(v.from));
    serviceUntil->setTime(toTime(v.until));
    servicePrice->setValue(static_cast<int>(v.price));
    serviceLongest->setValue(v.longest);

    const ExtraPersonCharge e = rates.extraPerson.value_or(ExtraPersonCharge{2, 0, {}});
    extraGroup->setChecked(rates.extraPerson.has_value());
    extraIncluded->setValue(e.includedPeople);
    extraPerPerson->setValue(static_cast<int>(e.perPerson));

    const LateNightCharge l = rates.lateNight.value_or(LateNightCharge{22 * 60, 5 * 60, 0, {}});
    lateGroup->setChecked(rates.lateNight.has_value());
    lateFrom->setTime(toTime(l.from));
    lateUntil->setTime(toTime(l.until));
    lateAmount->setValue(static_cast<int>(l.amount));
}

DayRates DayRatesEditor::value() const {
    DayRates out;
    out.rest = RestPlan{restFirstMinutes->value(),
                        restFirstPrice->value(),
                        restBlockMinutes->value(),
                        restBlockPrice->value(),
                        {}};
    if (stayGroup->isChecked())
        out.stay = StayPlan{toMinutes(stayFrom->time()),
                            toMinutes(stayUntil->time()),
                            toMinutes(stayMorning->time()),
                            stayPrice->value(),
                            stayBlockMinutes->value(),
                            stayBlockPrice->value(),
                            {}};
    if (serviceGroup->isChecked())
        out.service = ServicePlan{toMinutes(serviceFrom->time()),
                                  toMinutes(serviceUntil->time()),
                                  servicePrice->value(),
                                  serviceLongest->value(),
                                  {}};
    if (extraGroup->isChecked())
        out.extraPerson = ExtraPersonCharge{extraIncluded->value(), extraPerPerson->value(), {}};
    if (lateGroup->isChecked())
        out.lateNight = LateNightCharge{
            toMinutes(lateFrom->time()), toMinutes(lateUntil->time()), lateAmount->value(), {}};
    return out;
}

} // namespace kavro

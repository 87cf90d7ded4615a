#include "twinscope/platform/DateTimePicker.h"

#include <cmath>

#include "twinscope/platform/QtDateTime.h"

namespace twinscope {

TDateTimePicker::TDateTimePicker(TDateTime value, QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    setMinimumDate(QDate(100, 1, 1));
    connect(this, &QDateEdit::dateChanged, this, [this](const QDate& d) { DatePicked(d); });
    SetDateTime(value);
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    value_ = value;
    updating_ = true;
    setDate(ToQDateTime(value).date());
    updating_ = false;
}

void TDateTimePicker::DatePicked(const QDate& date) {
    if (updating_) return;
    const QTime time = ToQDateTime(value_).time();
    value_ = FromQDateTime(QDateTime(date, time, Qt::UTC));
}

}  // namespace twinscope

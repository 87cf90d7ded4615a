#include "twinscope/platform/QtDateTime.h"

namespace twinscope {

TDateTime FromQDateTime(const QDateTime& value) {
    const QDate d = value.date();
    const QTime t = value.time();
    return EncodeDateTime({d.year(), d.month(), d.day()},
                          {t.hour(), t.minute(), t.second(), t.msec()});
}

QDateTime ToQDateTime(TDateTime value) {
    const DateParts d = DecodeDate(value);
    const TimeParts t = DecodeTime(value);
    return QDateTime(QDate(d.Year, d.Month, d.Day),
                     QTime(t.Hour, t.Minute, t.Second, t.Millisecond), Qt::UTC);
}

}  // namespace twinscope

#pragma once

#include <QDateEdit>

#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// A date picker with a calendar popup that keeps a full date-time value: it shows and edits
// the date, and picking another date keeps the time of day.
class TWINSCOPE_EXPORT TDateTimePicker : public QDateEdit {
public:
    explicit TDateTimePicker(TDateTime value, QWidget* parent = nullptr);

    TDateTime DateTime() const { return value_; }
    void SetDateTime(TDateTime value);

private:
    void DatePicked(const QDate& date);

    TDateTime value_ = 0;
    bool updating_ = false;
};

}  // namespace twinscope

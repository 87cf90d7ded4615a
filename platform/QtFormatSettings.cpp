#include "twinscope/platform/QtFormatSettings.h"

namespace twinscope {

std::string RuntimeDateTimeFormat(const QString& qtFormat) {
    const std::string in = qtFormat.toStdString();
    std::string out;
    for (std::size_t i = 0; i < in.size();) {
        const char c = in[i];
        std::size_t run = 1;
        while (i + run < in.size() && in[i + run] == c) ++run;
        switch (c) {
            case '\'': {  // quoted literal: copied with its quotes, '' is a quote
                const std::size_t end = in.find('\'', i + 1);
                const std::size_t stop = end == std::string::npos ? in.size() : end + 1;
                out += in.substr(i, stop - i);
                i = stop;
                continue;
            }
            case 'M': out += std::string(run, 'm'); break;
            case 'm': out += std::string(std::min<std::size_t>(run, 2), 'n'); break;
            case 'H': out += std::string(std::min<std::size_t>(run, 2), 'h'); break;
            case 'A':
            case 'a':
                if (i + 1 < in.size() && (in[i + 1] == 'P' || in[i + 1] == 'p')) {
                    out += "AMPM";
                    i += 2;
                    continue;
                }
                out += std::string(run, c);
                break;
            case 't': break;  // time zone: not in the runtime's language
            default: out += std::string(run, c); break;
        }
        i += run;
    }
    // A trailing blank left by a dropped time zone.
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

FormatSettings FormatSettingsFromLocale(const QLocale& locale) {
    FormatSettings s;
    s.DecimalSeparator = locale.decimalPoint().toStdString();
    s.ThousandSeparator = locale.groupSeparator().toStdString();
    // A system locale customised so that both separators coincide would make "1,500" and
    // "1,5" look alike: its groups are set apart by a narrow no-break space instead.
    if (s.ThousandSeparator == s.DecimalSeparator) s.ThousandSeparator = "\u202F";
    s.ShortDateFormat = RuntimeDateTimeFormat(locale.dateFormat(QLocale::ShortFormat));
    s.LongDateFormat = RuntimeDateTimeFormat(locale.dateFormat(QLocale::LongFormat));
    s.ShortTimeFormat = RuntimeDateTimeFormat(locale.timeFormat(QLocale::ShortFormat));
    s.LongTimeFormat = RuntimeDateTimeFormat(locale.timeFormat(QLocale::LongFormat));
    s.TimeAMString = locale.amText().toStdString();
    s.TimePMString = locale.pmText().toStdString();
    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[m - 1] = locale.monthName(m, QLocale::ShortFormat).toStdString();
        s.LongMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat).toStdString();
    }
    // The runtime counts days from Sunday; Qt from Monday (1) to Sunday (7).
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;
        s.ShortDayNames[d] = locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
        s.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat).toStdString();
    }
    return s;
}

}  // namespace twinscope

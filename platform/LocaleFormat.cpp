#include "platform/LocaleFormat.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <memory>

namespace platform {

namespace {

std::unique_ptr<QLocale>& TestLocale() {
    static std::unique_ptr<QLocale> locale;
    return locale;
}

QLocale FormatLocale() {
    return TestLocale() ? *TestLocale() : QLocale::system();
}

std::string ToSingleByte(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x100)
            out.push_back(static_cast<char>(u));
        else if (c.isSpace())
            out.push_back(static_cast<char>(0xA0));
        else
            out.push_back('?');
    }
    return out;
}

// Qt's short formats may carry seconds in some locales; the list shows hours and minutes.
QString WithoutSeconds(QString format) {
    for (const QString& seconds :
         {QStringLiteral(":ss"), QStringLiteral(":s"), QStringLiteral(".ss"), QStringLiteral(".s")})
        format.remove(seconds);
    return format;
}

}  // namespace

std::string FormatGroupedNumber(std::uint64_t value) {
    QLocale locale = FormatLocale();
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return ToSingleByte(locale.toString(static_cast<qulonglong>(value)));
}

std::string FormatShortDate(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    return ToSingleByte(FormatLocale().toString(date, QLocale::ShortFormat));
}

std::string FormatShortTime(int hour, int minute) {
    const QTime time(hour, minute);
    if (!time.isValid())
        return {};
    const QLocale locale = FormatLocale();
    return ToSingleByte(
        locale.toString(time, WithoutSeconds(locale.timeFormat(QLocale::ShortFormat))));
}

std::string FormatLocalDateTime(std::int64_t secondsSince1970) {
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(secondsSince1970).toLocalTime();
    const QDate date = moment.date();
    const QTime time = moment.time();
    return FormatShortDate(date.year(), date.month(), date.day()) + " " +
           FormatShortTime(time.hour(), time.minute());
}

void SetFormatLocaleForTests(const QLocale& locale) {
    TestLocale() = std::make_unique<QLocale>(locale);
}

void ResetFormatLocaleForTests() {
    TestLocale().reset();
}

}  // namespace platform

#include "Lib/Platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>

namespace
{
#ifndef _WIN32
// Sets TZ for one test and puts the old value back. Windows takes local time from the system's
// zone, which a test cannot change, so there the tests compare with the C runtime's local time.
class TimeZone
{
public:
    explicit TimeZone(const char* p_Zone)
    {
        if (const char* old = getenv("TZ"))
            m_Old = old, m_HadOld = true;
        setenv("TZ", p_Zone, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (m_HadOld)
            setenv("TZ", m_Old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_Old;
    bool m_HadOld = false;
};
#endif

tm CalendarOf(time_t p_Time, bool p_Local)
{
    tm calendar{};
#ifdef _WIN32
    p_Local ? localtime_s(&calendar, &p_Time) : gmtime_s(&calendar, &p_Time);
#else
    p_Local ? localtime_r(&p_Time, &calendar) : gmtime_r(&p_Time, &calendar);
#endif
    return calendar;
}

time_t FromUtcCalendar(tm& p_Calendar)
{
#ifdef _WIN32
    return _mkgmtime(&p_Calendar);
#else
    return timegm(&p_Calendar);
#endif
}

std::string Format(time_t p_Time, const char* p_Format, bool p_Local = false)
{
    const tm calendar = CalendarOf(p_Time, p_Local);
    char buffer[128] = {};
    strftime(buffer, sizeof(buffer), p_Format, &calendar);
    return buffer;
}

// time() reads the coarse clock, which may still show the last second when the precise one (which
// the clock functions read) has turned over; so the precise clock bounds a moment from above.
time_t PreciseNow()
{
    return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}
} // namespace

TEST(Clock, WallClockSecondsFollowTheSystemClock)
{
    const time_t before = time(nullptr);
    const double seconds = Lib::GetWallClockSeconds();
    const time_t after = PreciseNow();
    EXPECT_GE(seconds, static_cast<double>(before));
    EXPECT_LT(seconds, static_cast<double>(after) + 1.0);
}

TEST(Clock, UtcTimeIsCoordinatedUniversalTimeWhateverTheZone)
{
#ifndef _WIN32
    // A zone far from UTC shows up as wrong hours if local time leaks in.
    const TimeZone zone("VORL-9");
#endif
    const time_t before = time(nullptr);
    const Lib::LogTime now = Lib::GetUtcTime();
    const time_t after = PreciseNow();

    tm calendar{};
    calendar.tm_year = now.year - 1900;
    calendar.tm_mon = now.month - 1;
    calendar.tm_mday = now.day;
    calendar.tm_hour = now.hour;
    calendar.tm_min = now.minute;
    calendar.tm_sec = now.second;
    const time_t asUtc = FromUtcCalendar(calendar);
    EXPECT_GE(asUtc, before);
    EXPECT_LE(asUtc, after);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}

TEST(Clock, FormatLocalTimeUsesTheLocalZone)
{
#ifdef _WIN32
    constexpr time_t k_Offset = 0;
    constexpr bool k_Local = true;
#else
    const TimeZone zone("VORL-3"); // three hours east of UTC
    constexpr time_t k_Offset = 3 * 3600;
    constexpr bool k_Local = false;
#endif
    const time_t before = time(nullptr);
    const std::string formatted = Lib::FormatLocalTime("%Y-%m-%d_%H-%M-%S").ToNarrow().Bytes();
    const time_t after = PreciseNow();

    bool matched = false;
    for (time_t moment = before; moment <= after; ++moment)
        matched = matched || formatted == Format(moment + k_Offset, "%Y-%m-%d_%H-%M-%S", k_Local);
    EXPECT_TRUE(matched) << formatted;
}

TEST(Clock, FormatLocalTimeKeepsNonAsciiText)
{
    const std::string formatted = Lib::FormatLocalTime(L"Bildschirmfoto – %Y").ToNarrow().Bytes();
    const std::string year = std::to_string(1900 + CalendarOf(time(nullptr), true).tm_year);
    EXPECT_EQ(formatted, "Bildschirmfoto \xE2\x80\x93 " + year);
}

TEST(Clock, FormatLocalTimeIsEmptyWhenTheResultDoesNotFitIn80Bytes)
{
    const std::string fits(79, 'x');
    EXPECT_EQ(Lib::FormatLocalTime(fits.c_str()).ToNarrow().Bytes(), fits);
    const std::string tooLong(80, 'x');
    EXPECT_TRUE(Lib::FormatLocalTime(tooLong.c_str()).IsEmpty());
    // The limit is on the result, not the format: eight years of four digits plus 48 characters.
    EXPECT_TRUE(Lib::FormatLocalTime((std::string(48, 'y') + "%Y%Y%Y%Y%Y%Y%Y%Y").c_str()).IsEmpty());
    EXPECT_TRUE(Lib::FormatLocalTime("").IsEmpty());
}

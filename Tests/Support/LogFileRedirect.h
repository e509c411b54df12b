#pragma once
// Sends the logger's file lines into a test's own folder and puts the old file name back after.
#include "Lib/Log.h"

#include <string>

namespace TestSupport
{
class LogFileRedirect
{
public:
    explicit LogFileRedirect(const std::string& p_Path) : m_OldName(Lib::GetLogFileName())
    {
        Lib::SetLogFileName(p_Path.c_str());
    }
    ~LogFileRedirect() { Lib::SetLogFileName(m_OldName.c_str()); }
    LogFileRedirect(const LogFileRedirect&) = delete;
    LogFileRedirect& operator=(const LogFileRedirect&) = delete;

private:
    std::string m_OldName;
};
} // namespace TestSupport

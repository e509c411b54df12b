#pragma once
// The engine's name and version as the banner, the default screen and `vorl --version` show them.

namespace Telvar
{
inline constexpr const char* k_CompanyName = "Orvane";
inline constexpr const char* k_EngineName = "Quarne Engine";
inline constexpr const char* k_EngineVersion = "Alpha 0.5.0";
} // namespace Telvar

#pragma once

#include <QLatin1StringView>

// Parameter values of the record store, with the numbers callers pass.
namespace velkaram::rs {

inline constexpr int adStateClosed = 0;
inline constexpr int adStateOpen = 1;

inline constexpr int adUseServer = 2;
inline constexpr int adUseClient = 3;

inline constexpr int adOpenForwardOnly = 0;
inline constexpr int adOpenKeyset = 1;
inline constexpr int adOpenDynamic = 2;
inline constexpr int adOpenStatic = 3;

inline constexpr int adLockReadOnly = 1;
inline constexpr int adLockOptimistic = 3;

inline constexpr int adCmdUnspecified = -1;
inline constexpr int adCmdTable = 2;

inline constexpr QLatin1StringView JetProvider("Microsoft.Jet.OLEDB.4.0");

} // namespace velkaram::rs

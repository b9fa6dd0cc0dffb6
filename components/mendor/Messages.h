#pragma once

// The texts that GetLastError hands back. They are the same in every system
// language.

namespace mendor::message {

inline constexpr const char* FetchPageFailed = "不能访问网络,导致不能获得URL内容!";
inline constexpr const char* DescriptionEmpty = "XML为空!";
inline constexpr const char* FetchDescriptionFailed = "不能访问网络,导致不能获得升级信息!";
inline constexpr const char* BadRoot = "XML的头标签错误!";
inline constexpr const char* NothingToUpgrade = "没有需要升级的组件!";
inline constexpr const char* UpdaterDownloadFailed = "不能访问网络,导致不能升级!";
inline constexpr const char* NoNeedToUpgrade = "No need to Verup !";
// The hand-off block cannot be made, or the updater cannot be started.
inline constexpr const char* HandOffFailed = "不能启动升级程序!";
// The updater of an earlier hand-off has not yet taken its description.
inline constexpr const char* HandOffBusy = "升级程序还在读取上一次的升级信息,请稍后再试!";

} // namespace mendor::message

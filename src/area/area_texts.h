#pragma once

#include <QString>

// Texts the experiment area shows.
namespace ampery::area::texts {

inline const QString oneSourceOnly = QStringLiteral("一个实验只能放置一个电源。");
inline const QString tenMotorsAtMost = QStringLiteral("一个实验最多只能放置10个电动机。");
inline const QString sourceWithoutLoop = QStringLiteral("提示：电源没有形成回路。");

} // namespace ampery::area::texts

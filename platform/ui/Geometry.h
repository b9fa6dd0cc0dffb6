#pragma once

// Conversions between the platform's rectangles and points and Qt's.

#include "platform/base/Types.h"

#include <QPoint>
#include <QRect>

namespace ui {

inline RECT ToRect(const QRect& rect)
{
    return RECT { rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height() };
}

inline QRect ToQRect(const RECT& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

inline POINT ToPoint(const QPoint& point)
{
    return POINT { point.x(), point.y() };
}

inline QPoint ToQPoint(const POINT& point)
{
    return QPoint(point.x, point.y);
}

} // namespace ui

#pragma once

// Takes over painting and input of an existing widget that the system did not
// make itself (the multi-document area's background, a list's cells): the
// hook's handlers run before the widget's own handling and may replace it.
// The hook lives as long as the widget or until it is deleted.

#include "platform/base/Types.h"

#include <QObject>

#include <functional>

class QPainter;
class QWidget;

namespace ui {

class CWindowHook : public QObject {
public:
    enum class Mouse { LeftDown, LeftUp, RightDown, RightUp, LeftDoubleClick, Move };

    // Paints the whole widget; the default painting is skipped.
    using PaintHandler = std::function<void(QPainter& painter, const RECT& clientRect)>;
    // The widget's new size, after its own handling.
    using SizeHandler = std::function<void(int cx, int cy)>;
    // A mouse event at a point of the widget; true consumes it.
    using MouseHandler = std::function<bool(Mouse mouse, POINT point)>;

    // Watches the widget; the hook becomes the widget's child.
    explicit CWindowHook(QWidget* widget);
    ~CWindowHook() override;

    QWidget* GetWidget() const { return m_widget; }
    void SetPaintHandler(PaintHandler handler) { m_paint = std::move(handler); }
    void SetSizeHandler(SizeHandler handler) { m_size = std::move(handler); }
    void SetMouseHandler(MouseHandler handler) { m_mouse = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_widget;
    PaintHandler m_paint;
    SizeHandler m_size;
    MouseHandler m_mouse;
};

} // namespace ui

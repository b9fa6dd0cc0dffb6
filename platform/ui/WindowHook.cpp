#include "platform/ui/WindowHook.h"

#include "platform/ui/Geometry.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

namespace ui {

CWindowHook::CWindowHook(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
{
    widget->installEventFilter(this);
}

CWindowHook::~CWindowHook()
{
    m_widget->removeEventFilter(this);
}

bool CWindowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_widget)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        if (m_paint) {
            QPainter painter(m_widget);
            m_paint(painter, RECT { 0, 0, m_widget->width(), m_widget->height() });
            return true;
        }
        break;
    case QEvent::Resize:
        if (m_size) {
            auto* resize = static_cast<QResizeEvent*>(event);
            m_size(resize->size().width(), resize->size().height());
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (m_mouse) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            bool left = mouse->button() == Qt::LeftButton;
            bool right = mouse->button() == Qt::RightButton;
            Mouse kind = Mouse::Move;
            if (event->type() == QEvent::MouseButtonPress && (left || right))
                kind = left ? Mouse::LeftDown : Mouse::RightDown;
            else if (event->type() == QEvent::MouseButtonRelease && (left || right))
                kind = left ? Mouse::LeftUp : Mouse::RightUp;
            else if (event->type() == QEvent::MouseButtonDblClick && left)
                kind = Mouse::LeftDoubleClick;
            else if (event->type() != QEvent::MouseMove)
                break;
            return m_mouse(kind, ToPoint(mouse->position().toPoint()));
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace ui

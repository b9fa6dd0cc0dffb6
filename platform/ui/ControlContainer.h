#pragma once

// The controls of a dialog or form view, made from a dialog template inside a
// parent widget and found by id. Rectangles are converted from dialog units
// with the base units of the template's font. The container reports the
// controls' notifications by id: clicked, selection change, text change, focus
// lost and double click.

#include "platform/base/Types.h"
#include "platform/ui/DialogTemplate.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QButtonGroup;
class QFont;
class QWidget;

namespace ui {

enum class Notification { Clicked, SelectionChange, TextChange, FocusLost, DoubleClick };

class CControlContainer : public QObject {
public:
    using NotificationSink = std::function<void(WORD id, Notification notification)>;
    // Makes the widget of a hosted control (ProgID in the template's text);
    // null leaves an empty place.
    using HostedFactory = std::function<QWidget*(const DialogControl& control, QWidget* parent)>;

    explicit CControlContainer(QWidget* parent);
    ~CControlContainer() override;

    // Makes the controls and sizes the parent to the template. The parent
    // gets the template's font.
    void Create(const DialogTemplate& dialog, const HostedFactory& hosted = {});
    void SetNotificationSink(NotificationSink sink) { m_sink = std::move(sink); }

    QWidget* GetControl(WORD id) const;
    ControlKind GetKind(WORD id) const;
    // The id of a control, 0 when the widget is none of ours.
    WORD GetId(const QWidget* control) const;
    // The radio buttons of the group that begins with the id, in order.
    std::vector<QWidget*> RadioGroup(WORD firstId) const;
    // The default push button, or null.
    QWidget* DefaultButton() const { return m_defaultButton; }

    // Pixels of a rectangle in dialog units, with this container's font.
    RECT DialogUnitsToPixels(short x, short y, short cx, short cy) const;
    SIZE BaseUnits() const { return m_baseUnits; }
    // Base units of a font: average character width and height in pixels.
    static SIZE BaseUnitsOf(const QFont& font);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeControl(const DialogControl& control, const HostedFactory& hosted);
    void Notify(WORD id, Notification notification);

    QWidget* m_parent;
    SIZE m_baseUnits { 4, 8 };
    NotificationSink m_sink;
    std::map<WORD, QWidget*> m_controls;
    std::map<WORD, ControlKind> m_kinds;
    std::map<const QWidget*, WORD> m_ids;
    std::map<WORD, std::vector<QWidget*>> m_radioGroups;
    QWidget* m_defaultButton = nullptr;
};

} // namespace ui

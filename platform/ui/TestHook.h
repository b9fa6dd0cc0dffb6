#pragma once

// Lets a test answer the modal windows the program opens. While a CTestHook
// lives, every modal dialog, message box and common dialog is handed to its
// handler as soon as its modal run has started; the handler reads and sets
// controls by id, presses a button and so ends the run. With no hook
// installed (every program outside the tests) none of this is active.

#include <functional>
#include <string>

class QWidget;

namespace ui {

// What a test sees of one modal window.
class CModalWindow {
public:
    using ControlFinder = std::function<QWidget*(int id)>;
    CModalWindow(QWidget* window, ControlFinder finder, std::string text, bool messageBox);

    QWidget* Widget() const { return m_window; }
    bool IsMessageBox() const { return m_messageBox; }
    std::string Caption() const;
    // The message of a message box; empty for other windows.
    const std::string& Text() const { return m_text; }

    // Controls by id; buttons of message boxes by their result (IDOK, IDYES...).
    QWidget* Control(int id) const;
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    int ControlCheck(int id) const;
    void SetControlCheck(int id, int check);
    // Clicks the button; false when the window has no such button.
    bool Press(int id);

private:
    QWidget* m_window;
    ControlFinder m_finder;
    std::string m_text;
    bool m_messageBox;
};

class CTestHook {
public:
    using Handler = std::function<void(CModalWindow& window)>;

    explicit CTestHook(Handler handler);
    ~CTestHook();
    CTestHook(const CTestHook&) = delete;
    CTestHook& operator=(const CTestHook&) = delete;

    static bool IsActive();
    // Called by the framework once the window's modal run is about to start:
    // schedules the handler for the first turn of that run.
    static void ModalWindowOpening(
        QWidget* window, CModalWindow::ControlFinder finder, std::string text = {}, bool messageBox = false);

private:
    Handler m_previous;
};

} // namespace ui

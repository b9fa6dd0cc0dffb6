#pragma once

// The updater's small window: one row per step with its progress and its
// outcome. The steps run on another thread; what it reports reaches the
// window through its event queue. When everything has succeeded the window
// closes by itself after a moment; otherwise it stays until the user closes
// it, so that the reasons can be read.

#include "outside/verup/UpdateRun.h"

#include <QWidget>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace verup {

class CVerupWindow : public QWidget, public IUpdateObserver {
public:
    explicit CVerupWindow(const std::vector<UpdateEntry>& steps, int closeDelayMilliseconds = 3000);

    // From any thread.
    void StepStarted(std::size_t step) override;
    void StepFinished(std::size_t step, bool succeeded, const std::string& message) override;
    void RunFinished(bool allSucceeded);

    QString Outcome(std::size_t step) const;
    QProgressBar* Progress(std::size_t step) const { return m_bars[step]; }
    QString Status() const;
    bool CanClose() const;

private:
    void ShowStarted(std::size_t step);
    void ShowFinished(std::size_t step, bool succeeded, const QString& message);
    void ShowRunFinished(bool allSucceeded);

    QTableWidget* m_table;
    QLabel* m_status;
    QPushButton* m_close;
    std::vector<QProgressBar*> m_bars;
    int m_closeDelay;
};

} // namespace verup

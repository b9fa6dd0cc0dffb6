#include "outside/verup/VerupWindow.h"

#include "platform/base/CodePage.h"
#include "platform/base/Language.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace verup {

namespace {

enum Column { EntryColumn, ProgressColumn, OutcomeColumn };

// The window's own texts, English and Chinese.
struct WindowText {
    const char* english;
    const char* chinese;
};

constexpr WindowText TitleText { "Updating the suite", "正在升级" };
constexpr WindowText EntryText { "Entry", "项目" };
constexpr WindowText ProgressText { "Progress", "进度" };
constexpr WindowText OutcomeText { "Outcome", "结果" };
constexpr WindowText WaitingText { "Waiting", "等待" };
constexpr WindowText WorkingText { "Working...", "正在处理..." };
constexpr WindowText CloseText { "Close", "关闭" };
constexpr WindowText AllDoneText { "Everything was updated.", "全部升级完成。" };
constexpr WindowText SomeFailedText { "Some entries were not updated.", "有项目没有升级成功。" };

QString FromAnsi(const std::string& text)
{
    return QString::fromStdU16String(base::AnsiToUtf16(text));
}

QString Text(const WindowText& text)
{
    return FromAnsi(base::IsChineseUserInterface() ? text.chinese : text.english);
}

} // namespace

CVerupWindow::CVerupWindow(const std::vector<UpdateEntry>& steps, int closeDelayMilliseconds)
    : m_table(new QTableWidget(static_cast<int>(steps.size()), 3, this))
    , m_status(new QLabel(Text(WorkingText), this))
    , m_close(new QPushButton(Text(CloseText), this))
    , m_closeDelay(closeDelayMilliseconds)
{
    setWindowTitle(Text(TitleText));
    m_table->setHorizontalHeaderLabels({ Text(EntryText), Text(ProgressText), Text(OutcomeText) });
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t step = 0; step < steps.size(); ++step) {
        const int row = static_cast<int>(step);
        m_table->setItem(row, EntryColumn, new QTableWidgetItem(FromAnsi(steps[step].Label())));
        m_table->setItem(row, OutcomeColumn, new QTableWidgetItem(Text(WaitingText)));
        auto* bar = new QProgressBar(m_table);
        bar->setRange(0, 1);
        bar->setValue(0);
        m_table->setCellWidget(row, ProgressColumn, bar);
        m_bars.push_back(bar);
    }
    m_table->resizeColumnToContents(EntryColumn);
    m_close->setEnabled(false);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_status);
    layout->addWidget(m_close, 0, Qt::AlignRight);
    resize(640, 120 + 30 * static_cast<int>(steps.size()));
}

void CVerupWindow::StepStarted(std::size_t step)
{
    QMetaObject::invokeMethod(
        this, [this, step] { ShowStarted(step); }, Qt::QueuedConnection);
}

void CVerupWindow::StepFinished(std::size_t step, bool succeeded, const std::string& message)
{
    QMetaObject::invokeMethod(
        this, [this, step, succeeded, text = FromAnsi(message)] { ShowFinished(step, succeeded, text); },
        Qt::QueuedConnection);
}

void CVerupWindow::RunFinished(bool allSucceeded)
{
    QMetaObject::invokeMethod(
        this, [this, allSucceeded] { ShowRunFinished(allSucceeded); }, Qt::QueuedConnection);
}

void CVerupWindow::ShowStarted(std::size_t step)
{
    m_bars[step]->setRange(0, 0); // busy: a transfer's length is not known ahead
    m_table->item(static_cast<int>(step), OutcomeColumn)->setText(Text(WorkingText));
}

void CVerupWindow::ShowFinished(std::size_t step, bool succeeded, const QString& message)
{
    m_bars[step]->setRange(0, 1);
    m_bars[step]->setValue(succeeded ? 1 : 0);
    QTableWidgetItem* outcome = m_table->item(static_cast<int>(step), OutcomeColumn);
    outcome->setText(message);
    outcome->setToolTip(message);
    outcome->setForeground(succeeded ? palette().text() : QBrush(Qt::red));
}

void CVerupWindow::ShowRunFinished(bool allSucceeded)
{
    m_status->setText(Text(allSucceeded ? AllDoneText : SomeFailedText));
    m_close->setEnabled(true);
    if (allSucceeded)
        QTimer::singleShot(m_closeDelay, this, &QWidget::close);
}

QString CVerupWindow::Outcome(std::size_t step) const
{
    return m_table->item(static_cast<int>(step), OutcomeColumn)->text();
}

QString CVerupWindow::Status() const
{
    return m_status->text();
}

bool CVerupWindow::CanClose() const
{
    return m_close->isEnabled();
}

} // namespace verup

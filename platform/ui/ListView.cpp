#include "platform/ui/ListView.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/ImageStrip.h"
#include "platform/ui/Text.h"
#include "platform/ui/VirtualKeys.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace ui {
namespace {

constexpr int DataRole = Qt::UserRole + 1;

QTableWidgetItem* ReadOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

// Hands each cell to the owner's painter first.
class CListView::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CListView* list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (m_list->m_painter) {
            QRect rect = option.rect.translated(m_list->viewport()->mapTo(m_list, QPoint(0, 0)));
            CellPaint cell { index.row(), index.column(), ToRect(rect),
                m_list->selectionModel()->isRowSelected(index.row(), QModelIndex()), m_list->hasFocus() };
            painter->save();
            // The painter works in the list's coordinates, like the rectangle.
            painter->translate(-m_list->viewport()->mapTo(m_list, QPoint(0, 0)));
            bool painted = m_list->m_painter(*painter, cell);
            painter->restore();
            if (painted)
                return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    CListView* m_list;
};

CListView::CListView(QWidget* parent)
    : QTableWidget(parent)
{
    setItemDelegate(new Delegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
}

CListView::~CListView() = default;

void CListView::SetExtendedStyle(DWORD style)
{
    m_extendedStyle = style;
    setShowGrid(style & LVS_EX_GRIDLINES);
    setSelectionBehavior(style & LVS_EX_FULLROWSELECT ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

int CListView::InsertColumn(int index, const std::string& header, int width)
{
    if (index < 0 || index > columnCount())
        index = columnCount();
    insertColumn(index);
    setHorizontalHeaderItem(index, new QTableWidgetItem(ToQString(header)));
    for (int row = 0; row < rowCount(); ++row)
        setItem(row, index, ReadOnlyItem(QString()));
    setColumnWidth(index, width);
    return index;
}

bool CListView::DeleteColumn(int index)
{
    if (index < 0 || index >= columnCount())
        return false;
    removeColumn(index);
    return true;
}

void CListView::SetColumnHeader(int index, const std::string& header)
{
    if (QTableWidgetItem* item = horizontalHeaderItem(index))
        item->setText(ToQString(header));
}

std::string CListView::GetColumnHeader(int index) const
{
    QTableWidgetItem* item = horizontalHeaderItem(index);
    return item ? FromQString(item->text()) : std::string();
}

int CListView::GetColumnWidth(int index) const
{
    return index >= 0 && index < columnCount() ? columnWidth(index) : 0;
}

void CListView::SetColumnWidth(int index, int width)
{
    if (index >= 0 && index < columnCount())
        setColumnWidth(index, width);
}

bool CListView::SetHeaderImages(const std::vector<BYTE>& strip, int iconSize, COLORREF mask)
{
    std::vector<QIcon> images = SplitImageStrip(strip, iconSize, iconSize, mask);
    if (images.empty())
        return false;
    m_headerImages = std::move(images);
    return true;
}

void CListView::SetHeaderImage(int column, int image)
{
    QTableWidgetItem* item = horizontalHeaderItem(column);
    if (!item)
        return;
    bool known = image >= 0 && static_cast<size_t>(image) < m_headerImages.size();
    item->setIcon(known ? m_headerImages[static_cast<size_t>(image)] : QIcon());
}

int CListView::InsertItem(int row, const std::string& text)
{
    if (row < 0 || row > rowCount())
        row = rowCount();
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column)
        setItem(row, column, ReadOnlyItem(column == 0 ? ToQString(text) : QString()));
    if (QTableWidgetItem* first = item(row, 0))
        first->setData(DataRole, QVariant::fromValue<qulonglong>(0));
    return row;
}

bool CListView::DeleteItem(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    removeRow(row);
    return true;
}

void CListView::DeleteAllItems()
{
    setRowCount(0);
}

bool CListView::SetItemText(int row, int column, const std::string& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return false;
    cell->setText(ToQString(text));
    return true;
}

std::string CListView::GetItemText(int row, int column) const
{
    QTableWidgetItem* cell = item(row, column);
    return cell ? FromQString(cell->text()) : std::string();
}

bool CListView::SetItemData(int row, UINT_PTR data)
{
    QTableWidgetItem* cell = item(row, 0);
    if (!cell)
        return false;
    cell->setData(DataRole, QVariant::fromValue<qulonglong>(data));
    return true;
}

UINT_PTR CListView::GetItemData(int row) const
{
    QTableWidgetItem* cell = item(row, 0);
    return cell ? static_cast<UINT_PTR>(cell->data(DataRole).toULongLong()) : 0;
}

int CListView::GetSelectedRow() const
{
    QModelIndexList rows = selectionModel()->selectedIndexes();
    int selected = -1;
    for (const QModelIndex& index : rows)
        if (selected < 0 || index.row() < selected)
            selected = index.row();
    return selected;
}

void CListView::SelectRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    if (m_extendedStyle & LVS_EX_FULLROWSELECT)
        selectRow(row);
    else
        setCurrentCell(row, 0);
}

void CListView::EnsureVisible(int row)
{
    if (QTableWidgetItem* cell = item(row, 0))
        scrollToItem(cell);
}

RECT CListView::GetCellRect(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return RECT {};
    QRect rect = visualRect(model()->index(row, column));
    return ToRect(rect.translated(viewport()->mapTo(this, QPoint(0, 0))));
}

void CListView::HitTest(POINT point, int& row, int& column) const
{
    QPoint inViewport = ToQPoint(point) - viewport()->mapTo(this, QPoint(0, 0));
    QModelIndex index = indexAt(inViewport);
    row = index.isValid() ? index.row() : -1;
    column = index.isValid() ? index.column() : -1;
}

void CListView::ReportMouse(const QMouseEvent* event, const MouseHandler& handler) const
{
    if (!handler || event->button() != Qt::LeftButton)
        return;
    POINT point = ToPoint(viewport()->mapTo(this, event->position().toPoint()));
    int row = -1;
    int column = -1;
    HitTest(point, row, column);
    handler(row, column, point);
}

void CListView::mousePressEvent(QMouseEvent* event)
{
    QTableWidget::mousePressEvent(event);
    ReportMouse(event, m_clickHandler);
}

void CListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    ReportMouse(event, m_doubleClickHandler);
}

void CListView::keyPressEvent(QKeyEvent* event)
{
    if (m_keyHandler && m_keyHandler(VirtualKeyFromQt(event->key()))) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace ui

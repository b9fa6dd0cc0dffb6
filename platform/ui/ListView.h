#pragma once

// A list in report mode: columns with headers (and header images), rows of
// cell texts, a number of item data per row, single selection, optional
// full-row selection and grid lines. Cells are never edited by the list
// itself; it reports clicks, double clicks and keys to its owner, which may
// also paint cells itself (owner drawing).

#include "platform/base/Types.h"

#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

class QPainter;

constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

namespace ui {

class CListView : public QTableWidget {
public:
    struct CellPaint {
        int row;
        int column;
        RECT rect; // in the list's client coordinates
        bool selected;
        bool focused; // the list has the keyboard focus
    };
    // Called for every cell drawn; true when it painted the cell itself.
    using CellPainter = std::function<bool(QPainter& painter, const CellPaint& cell)>;
    // Row and column -1 when the point is outside any row or column.
    using MouseHandler = std::function<void(int row, int column, POINT point)>;
    // A key pressed in the list (its virtual-key number); true consumes it.
    using KeyHandler = std::function<bool(int virtualKey)>;

    explicit CListView(QWidget* parent = nullptr);
    ~CListView() override;

    void SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_extendedStyle; }

    int InsertColumn(int index, const std::string& header, int width);
    bool DeleteColumn(int index);
    int GetColumnCount() const { return columnCount(); }
    void SetColumnHeader(int index, const std::string& header);
    std::string GetColumnHeader(int index) const;
    int GetColumnWidth(int index) const;
    void SetColumnWidth(int index, int width);
    // A picture strip of square images iconSize pixels wide; the mask colour
    // shows through.
    bool SetHeaderImages(const std::vector<BYTE>& strip, int iconSize, COLORREF mask);
    void SetHeaderImage(int column, int image);

    // A new row of empty cells at the index (at the end when out of range)
    // with the text in column 0; returns its index.
    int InsertItem(int row, const std::string& text);
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    bool SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    bool SetItemData(int row, UINT_PTR data);
    UINT_PTR GetItemData(int row) const;

    // The selected row, or -1.
    int GetSelectedRow() const;
    void SelectRow(int row);
    void EnsureVisible(int row);
    RECT GetCellRect(int row, int column) const;
    // The cell under a point of the list's client area.
    void HitTest(POINT point, int& row, int& column) const;

    void SetCellPainter(CellPainter painter) { m_painter = std::move(painter); }
    void SetClickHandler(MouseHandler handler) { m_clickHandler = std::move(handler); }
    void SetDoubleClickHandler(MouseHandler handler) { m_doubleClickHandler = std::move(handler); }
    void SetKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Delegate;
    friend class Delegate;
    void ReportMouse(const QMouseEvent* event, const MouseHandler& handler) const;

    DWORD m_extendedStyle = 0;
    std::vector<QIcon> m_headerImages;
    CellPainter m_painter;
    MouseHandler m_clickHandler;
    MouseHandler m_doubleClickHandler;
    KeyHandler m_keyHandler;
};

} // namespace ui

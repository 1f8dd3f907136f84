// CCellID, CCellRange: a grid cell's coordinates and a rectangle of cells.
#pragma once

#include <windows.h>

// A cell's row and column; (-1, -1) is no cell.
class CCellID {
public:
    explicit CCellID(int nRow = -1, int nCol = -1) noexcept : row(nRow), col(nCol) {}

    int IsValid() const noexcept { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& other) const noexcept { return row == other.row && col == other.col; }
    bool operator!=(const CCellID& other) const noexcept { return !(*this == other); }

    int row;
    int col;
};

// The cells from (minimum row, minimum column) to (maximum row, maximum column), both inclusive.
class CCellRange {
public:
    explicit CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1) noexcept
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol)
    {
    }

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1) noexcept
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }

    int IsValid() const noexcept
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow &&
            m_nMinCol <= m_nMaxCol;
    }
    int InRange(int row, int col) const noexcept
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    int InRange(const CCellID& cellID) const noexcept { return InRange(cellID.row, cellID.col); }
    int Count() const noexcept { return GetRowSpan() * GetColSpan(); }

    CCellID GetTopLeft() const noexcept { return CCellID(m_nMinRow, m_nMinCol); }
    int GetMinRow() const noexcept { return m_nMinRow; }
    int GetMinCol() const noexcept { return m_nMinCol; }
    int GetMaxRow() const noexcept { return m_nMaxRow; }
    int GetMaxCol() const noexcept { return m_nMaxCol; }
    int GetRowSpan() const noexcept { return m_nMaxRow - m_nMinRow + 1; }
    int GetColSpan() const noexcept { return m_nMaxCol - m_nMinCol + 1; }

    bool operator==(const CCellRange& other) const noexcept
    {
        return m_nMinRow == other.m_nMinRow && m_nMinCol == other.m_nMinCol && m_nMaxRow == other.m_nMaxRow &&
            m_nMaxCol == other.m_nMaxCol;
    }
    bool operator!=(const CCellRange& other) const noexcept { return !(*this == other); }

private:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};

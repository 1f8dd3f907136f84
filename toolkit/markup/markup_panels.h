// CKitMarkupUIElementCollection, CKitMarkupPanel, CKitMarkupCanvas, CKitMarkupStackPanel, CKitMarkupWrapPanel, CKitMarkupDockPanel, CKitMarkupUniformGrid: elements with many children and their placement.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_framework_element.h"

// The children of a panel; a change makes the owning element measure again.
class CKitMarkupUIElementCollection : public CKitMarkupCollection {
public:
    CKitMarkupUIElementCollection();

    void OnChanged() override;

    CKitMarkupUIElement* GetElement(int nIndex) const;
};

// A framework element with a collection of children and a background.
class CKitMarkupPanel : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupPanel)
public:
    CKitMarkupPanel();
    ~CKitMarkupPanel() override;

    // Content goes to the children.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKitMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // The panel itself only where it has a background.
    CKitMarkupInputElement* HitTestCore(POINT point) override;

    CKitMarkupBrush* GetBackground() const;
    CKitMarkupUIElementCollection* GetChildren() const { return m_pChildren; }

    static CKitMarkupDependencyProperty* m_pBackgroundProperty;
    static void RegisterProperties();

private:
    CKitMarkupUIElementCollection* m_pChildren;
};

// A panel that places its children at the offsets of their attached Left, Top, Right and Bottom.
class CKitMarkupCanvas : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupCanvas)
public:
    CKitMarkupCanvas() = default;

    // Children measure without bounds; the canvas itself asks for nothing.
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // Left wins over Right and Top over Bottom; a child without either sits at 0.
    SIZE ArrangeOverride(SIZE szFinal) override;

    static CKitMarkupDependencyProperty* m_pTopProperty;
    static CKitMarkupDependencyProperty* m_pRightProperty;
    static CKitMarkupDependencyProperty* m_pLeftProperty;
    static CKitMarkupDependencyProperty* m_pBottomProperty;
    static void RegisterProperties();
};

// Orientation values of the stack and wrap panels.
enum { kMarkupOrientationHorizontal = 0, kMarkupOrientationVertical = 1 };

// Children in one row or one column, each given the panel's full extent across.
class CKitMarkupStackPanel : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupStackPanel)
public:
    CKitMarkupStackPanel() = default;

    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    // Vertical when unset.
    int GetOrientation() const;

    static CKitMarkupDependencyProperty* m_pOrientationProperty;
    static void RegisterProperties();
};

// Children in rows (or columns) that wrap at the panel's edge, optionally in cells of a fixed size.
class CKitMarkupWrapPanel : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupWrapPanel)
public:
    CKitMarkupWrapPanel() = default;

    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    // Horizontal when unset.
    int GetOrientation() const;

    static CKitMarkupDependencyProperty* m_pOrientationProperty;
    static CKitMarkupDependencyProperty* m_pItemWidthProperty;
    static CKitMarkupDependencyProperty* m_pItemHeightProperty;
    static void RegisterProperties();

private:
    // A child's size along and across the lines: the item size where set, else its desired size.
    SIZE GetItemSize(const CKitMarkupUIElement* pChild, bool bHorizontal) const;
    void ArrangeLine(int nFirst, int nEnd, int nOffset, int nThickness, bool bHorizontal);
};

// Children docked to the sides in order; the last one may fill what is left.
class CKitMarkupDockPanel : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupDockPanel)
public:
    enum { dockLeft = 0, dockTop = 1, dockRight = 2, dockBottom = 3 };

    CKitMarkupDockPanel() = default;

    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    static int GetDock(const CKitMarkupObject* pChild);

    static CKitMarkupDependencyProperty* m_pDockProperty;
    static CKitMarkupDependencyProperty* m_pLastChildFillProperty;
    static void RegisterProperties();
};

// Children in equal cells, row by row; Collapsed children take no cell.
class CKitMarkupUniformGrid : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupUniformGrid)
public:
    CKitMarkupUniformGrid();

    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    // The dimensions of the last measure.
    int GetColumnCount() const { return m_nColumns; }
    int GetRowCount() const { return m_nRows; }
    int GetFirstColumn() const { return m_nFirstColumn; }

    static CKitMarkupDependencyProperty* m_pFirstColumnProperty;
    static CKitMarkupDependencyProperty* m_pColumnsProperty;
    static CKitMarkupDependencyProperty* m_pRowsProperty;
    static void RegisterProperties();

private:
    void UpdateDimensions();

    int m_nColumns;
    int m_nRows;
    int m_nFirstColumn;
};

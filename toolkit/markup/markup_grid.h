// CKitMarkupGridLength, CKitMarkupDefinitionBase, CKitMarkupColumnDefinition, CKitMarkupRowDefinition, CKitMarkupDefinitionCollection and its row and column kinds, CKitMarkupGrid: the grid panel and its tracks.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_panels.h"

#include <vector>

class CKitMarkupGrid;

// A track length: Auto, pixels or a share of the remaining space (star).
class CKitMarkupGridLength : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupGridLength)
public:
    enum { unitAuto = 0, unitPixel = 1, unitStar = 2 };

    explicit CKitMarkupGridLength(double dValue = 0.0, int nUnit = unitPixel) : m_dValue(dValue), m_nUnit(nUnit) {}

    // "Auto", "*", "2.5*" or a number of pixels; anything else does not convert.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    double GetValue() const { return m_dValue; }
    int GetUnit() const { return m_nUnit; }

private:
    double m_dValue;
    int m_nUnit;
};

// A column or a row of a grid with the working sizes of its last layout.
class CKitMarkupDefinitionBase : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupDefinitionBase)
public:
    // Size types, bit values so that the types of several tracks can be joined.
    enum { sizePixel = 1, sizeAuto = 2, sizeStar = 4 };

    explicit CKitMarkupDefinitionBase(bool bColumn = false);

    // A change makes the grid that owns the definition measure again.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;

    bool IsColumn() const { return m_bColumn; }
    // Width or Height, MinWidth or MinHeight, MaxWidth or MaxHeight.
    const CKitMarkupGridLength* GetLength() const;
    int GetUserMinSize() const;
    int GetUserMaxSize() const;
    // The min size when Auto, else the larger of min and measure size.
    double GetPreferredSize() const;
    // The grid whose collection holds the definition, or nullptr.
    CKitMarkupGrid* GetOwnerGrid() const;

    int m_nMinSize;
    int m_nSizeType;
    double m_dMeasureSize;
    double m_dSizeCache;
    int m_nFinalOffset;
    // Read from the properties when the grid starts a measure.
    int m_nUserMinSize;
    int m_nUserMaxSize;

private:
    bool m_bColumn;
};

class CKitMarkupColumnDefinition : public CKitMarkupDefinitionBase {
    DECLARE_MARKUPCLASS(CKitMarkupColumnDefinition)
public:
    CKitMarkupColumnDefinition() : CKitMarkupDefinitionBase(true) {}

    static CKitMarkupDependencyProperty* m_pWidthProperty;
    static CKitMarkupDependencyProperty* m_pMinWidthProperty;
    static CKitMarkupDependencyProperty* m_pMaxWidthProperty;
    static void RegisterProperties();
};

class CKitMarkupRowDefinition : public CKitMarkupDefinitionBase {
    DECLARE_MARKUPCLASS(CKitMarkupRowDefinition)
public:
    CKitMarkupRowDefinition() : CKitMarkupDefinitionBase(false) {}

    static CKitMarkupDependencyProperty* m_pHeightProperty;
    static CKitMarkupDependencyProperty* m_pMinHeightProperty;
    static CKitMarkupDependencyProperty* m_pMaxHeightProperty;
    static void RegisterProperties();
};

class CKitMarkupDefinitionCollection : public CKitMarkupCollection {
    DECLARE_MARKUPCLASS(CKitMarkupDefinitionCollection)
public:
    CKitMarkupDefinitionCollection();
    // A change makes the owning grid measure again.
    void OnChanged() override;

    CKitMarkupDefinitionBase* GetDefinition(int nIndex) const
    {
        return static_cast<CKitMarkupDefinitionBase*>(GetAt(nIndex));
    }
};

class CKitMarkupColumnDefinitionCollection : public CKitMarkupDefinitionCollection {
    DECLARE_MARKUPCLASS(CKitMarkupColumnDefinitionCollection)
public:
    CKitMarkupColumnDefinitionCollection();
};

class CKitMarkupRowDefinitionCollection : public CKitMarkupDefinitionCollection {
    DECLARE_MARKUPCLASS(CKitMarkupRowDefinitionCollection)
public:
    CKitMarkupRowDefinitionCollection();
};

// Children in cells of rows and columns sized in pixels, to content (Auto) or by shares of the rest (star).
class CKitMarkupGrid : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupGrid)
public:
    CKitMarkupGrid();
    ~CKitMarkupGrid() override;

    // The definition collections accept only their own collection class.
    void SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                           CKitMarkupObject* pValue) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    CKitMarkupColumnDefinitionCollection* GetColumnDefinitions() const;
    CKitMarkupRowDefinitionCollection* GetRowDefinitions() const;
    // The columns and rows of the last layout (a default one stands in for an empty collection).
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    CKitMarkupDefinitionBase* GetColumn(int nIndex) const { return m_columns[static_cast<size_t>(nIndex)]; }
    CKitMarkupDefinitionBase* GetRow(int nIndex) const { return m_rows[static_cast<size_t>(nIndex)]; }

    static CKitMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CKitMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CKitMarkupDependencyProperty* m_pColumnProperty;
    static CKitMarkupDependencyProperty* m_pRowProperty;
    static CKitMarkupDependencyProperty* m_pColumnSpanProperty;
    static CKitMarkupDependencyProperty* m_pRowSpanProperty;
    static void RegisterProperties();

private:
    // Where one child sits.
    struct CellCache {
        int nColumn;
        int nRow;
        int nColumnSpan;
        int nRowSpan;
        int nColumnSizeTypes;
        int nRowSizeTypes;
        int nNext;
    };
    // The four groups in which cells are measured, and whether group 3 holds cells in Auto rows.
    struct CellGroups {
        int heads[4];
        bool bGroup3InAutoRows;
    };

    // The definitions of this layout, one reference each.
    void BuildDefinitions();
    void ReleaseDefinitions();
    CellGroups BuildCells();
    void MeasureCell(CKitMarkupDrawingContext* pDC, int nChild, bool bForceUnboundedHeight);
    void MeasureGroup(CKitMarkupDrawingContext* pDC, int nHead, bool bIgnoreDesiredWidths,
                      bool bForceUnboundedHeight);

    std::vector<CKitMarkupDefinitionBase*> m_columns;
    std::vector<CKitMarkupDefinitionBase*> m_rows;
    std::vector<CellCache> m_cells;
    bool m_bHasCells;
};
